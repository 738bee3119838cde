// The option bytes: their record read back, extra bytes skipped, a short record refused.
#include "TableStreamBytes.h"

#include <skin/ThemeOptions.h>

#include <gtest/gtest.h>

using namespace tabletest;

namespace {

TEST(ThemeOptions, RecordRoundTripsAndCopies) {
    TskThemeOptions options(nullptr);
    options.SetOption(0, 7);
    options.SetOption(1, 200);
    options.SetOption(2, 9);  // no third option
    TMemoryStream stream;
    options.SaveToStream(stream);
    EXPECT_EQ(Bytes(stream), std::string("\x01\x07\xC8", 3));
    stream.SetPosition(0);
    TskThemeOptions read(nullptr);
    read.LoadFromStream(stream);
    EXPECT_EQ(read.Option(0), 7);
    EXPECT_EQ(read.Option(1), 200);
    TskThemeOptions copy(nullptr);
    copy.Assign(&read);
    EXPECT_EQ(copy.Option(1), 200);
}

TEST(ThemeOptions, ExtraBytesAreSkippedAndAShortRecordIsRefused) {
    TMemoryStream stream;
    Fill(stream, std::string("\x03\x01\x02\x03\x04\x55", 6), 6);
    TskThemeOptions options(nullptr);
    options.LoadFromStream(stream);
    EXPECT_EQ(options.Option(0), 1);
    EXPECT_EQ(options.Option(1), 2);
    EXPECT_EQ(stream.Position(), 5);

    Fill(stream, std::string("\x03\x09\x09\x09", 4), 4);
    EXPECT_THROW(options.LoadFromStream(stream), EReadError);
    EXPECT_EQ(options.Option(0), 1);
}

}  // namespace
