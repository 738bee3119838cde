// Length-prefixed strings in streams, and damaged length prefixes.
#include <skin/StreamStrings.h>

#include <toolkit/MemoryStream.h>

#include <gtest/gtest.h>

namespace {

std::string Bytes(TMemoryStream& stream) {
    return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

TEST(StreamStrings, WritesALittleEndianCountThenTheBytes) {
    TMemoryStream stream;
    WriteString(stream,
                "\xCD\xA8\xB5\xC0"
                "1");
    WriteString(stream, "");
    EXPECT_EQ(Bytes(stream), std::string("\x05\x00\x00\x00\xCD\xA8\xB5\xC0"
                                         "1"
                                         "\x00\x00\x00\x00",
                                         13));
    stream.SetPosition(0);
    EXPECT_EQ(ReadString(stream),
              "\xCD\xA8\xB5\xC0"
              "1");
    EXPECT_EQ(ReadString(stream), "");
    EXPECT_EQ(stream.Position(), stream.Size());
}

TEST(StreamStrings, ZeroBytesInsideTheTextSurvive) {
    TMemoryStream stream;
    const std::string text("a\0b", 3);
    WriteString(stream, text);
    stream.SetPosition(0);
    EXPECT_EQ(ReadString(stream), text);
}

TEST(StreamStrings, DamagedCountsRaiseBeforeAllocating) {
    const std::string prefixes[] = {
        std::string("\xFF\xFF\xFF\xFF", 4),  // negative
        std::string("\x00\x00\x00\x7F", 4),  // about two gigabytes
        std::string("\x05\x00\x00\x00"
                    "abc",
                    7),              // two bytes short
        std::string("\x05\x00", 2),  // the count itself cut off
    };
    for (const std::string& bytes : prefixes) {
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
        stream.SetPosition(0);
        EXPECT_THROW(ReadString(stream), EReadError) << bytes.size();
    }
}

}  // namespace
