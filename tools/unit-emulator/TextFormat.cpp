// Hex listings and the GBK-to-UTF-8 conversion used by the emulator's frame log and state dump.
#include "TextFormat.h"

#include <iconv.h>

#include <cstdio>

namespace unit_emulator {
namespace {

void AppendEscape(std::string& out, uint8_t byte) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
    out += buffer;
}

// One iconv descriptor per conversion call: descriptors keep shift state and are not thread-safe,
// and the log is written from the emulator thread while tests describe state from theirs.
class Cp936Decoder {
public:
    Cp936Decoder() : FHandle(iconv_open("UTF-8", "CP936")) {}
    ~Cp936Decoder() {
        if (Valid()) iconv_close(FHandle);
    }
    Cp936Decoder(const Cp936Decoder&) = delete;
    Cp936Decoder& operator=(const Cp936Decoder&) = delete;

    bool Valid() const { return FHandle != reinterpret_cast<iconv_t>(-1); }

    // Converts exactly `n` bytes as one unit; false when they are not one complete valid character.
    bool Convert(const char* in, size_t n, std::string& out) {
        iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
        char result[16];
        char* inPtr = const_cast<char*>(in);
        size_t inLeft = n;
        char* outPtr = result;
        size_t outLeft = sizeof result;
        if (iconv(FHandle, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) return false;
        out.append(result, outPtr);
        return true;
    }

private:
    iconv_t FHandle;
};

}  // namespace

std::string HexBytes(const uint8_t* data, size_t n) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(n * 3);
    for (size_t i = 0; i < n; ++i) {
        if (i != 0) out += ' ';
        out += digits[data[i] >> 4];
        out += digits[data[i] & 15];
    }
    return out;
}

std::string HexBytes(const std::string& bytes) {
    return HexBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string GbkToUtf8(const std::string& gbk) {
    Cp936Decoder decoder;
    std::string out;
    size_t i = 0;
    while (i < gbk.size()) {
        const uint8_t byte = static_cast<uint8_t>(gbk[i]);
        if (byte < 0x80) {
            if (byte < 0x20 || byte == 0x7F || byte == '"' || byte == '\\') {
                AppendEscape(out, byte);
            } else {
                out += static_cast<char>(byte);
            }
            ++i;
            continue;
        }
        // Code page 936 has one single-byte character above 0x7F (0x80, the euro sign); everything
        // else is a lead byte followed by one trail byte.
        if (decoder.Valid() && decoder.Convert(&gbk[i], 1, out)) {
            i += 1;
        } else if (decoder.Valid() && i + 1 < gbk.size() && static_cast<uint8_t>(gbk[i + 1]) >= 0x40 &&
                   decoder.Convert(&gbk[i], 2, out)) {
            i += 2;
        } else {
            AppendEscape(out, byte);
            ++i;
        }
    }
    return out;
}

}  // namespace unit_emulator
