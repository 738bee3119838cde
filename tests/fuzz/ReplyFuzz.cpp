// Read-back replies as the serial line brings them: noise, a header, a length and a body, cut anywhere. A reply
// that is taken holds readable text only, and the same line written as a frame reads back equal.
#include "Fuzz.h"
#include "Protocol.h"

#include <algorithm>
#include <cstring>

namespace {

bool Read(const uint8_t* data, size_t size, ChannelLine& line) {
    size_t at = 0;
    TReadBytes read = [&](void* buffer, int32_t count) {
        size_t n = std::min(size - at, static_cast<size_t>(std::max(count, 0)));
        std::memcpy(buffer, data + at, n);
        at += n;
        if (n == static_cast<size_t>(count)) return true;
        SetLastError(ERROR_HANDLE_EOF);  // the line has nothing more to give
        return false;
    };
    // The source ends with an error, so the scan never waits; a window of a minute keeps the result independent of
    // how fast the machine runs the input.
    return ReadReply(read, 60000, line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ChannelLine line;
    if (!Read(data, size, line)) return 0;

    FUZZ_CHECK(line.Text.size() <= MaxReplyLength - 3);
    FUZZ_CHECK(line.Size <= 3 && line.Y <= 63);
    for (char c : line.Text) FUZZ_CHECK(static_cast<BYTE>(c) >= 0x20 && static_cast<BYTE>(c) != 0x7F);
    if (!line.Text.empty())
        FUZZ_CHECK(MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, line.Text.data(),
                                       static_cast<int>(line.Text.size()), nullptr, 0) > 0);

    if (line.Text.size() > MaxFrameText) return 0;
    Frame frame = TextFrame(0, 0, line.X, line.Y, line.Size, line.Text);
    std::swap(frame[0], frame[1]);  // the unit answers with the header turned round
    ChannelLine again;
    FUZZ_CHECK(Read(frame.data(), frame.size(), again));
    FUZZ_CHECK(again.Text == line.Text && again.X == line.X && again.Y == line.Y && again.Size == line.Size);
    return 0;
}
