// The toolkit's integer conversions and file name helpers.
#include <toolkit/SysUtils.h>

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>

TEST(SysUtils, IntegerTextThatConverts) {
    struct {
        const char* text;
        int value;
    } cases[] = {{"12", 12},
                 {"-5", -5},
                 {"+7", 7},
                 {"007", 7},
                 {"$1F", 31},
                 {"0x1F", 31},
                 {"0X1f", 31},
                 {"-$10", -16},
                 {"$FFFFFFFF", -1},
                 {"$80000000", INT_MIN},
                 {"2147483647", INT_MAX},
                 {"-2147483648", INT_MIN}};
    for (auto& c : cases) {
        EXPECT_EQ(c.value, StrToInt(c.text)) << c.text;
        EXPECT_EQ(c.value, StrToIntDef(c.text, 99)) << c.text;
        int value = 0;
        EXPECT_TRUE(TryStrToInt(c.text, value)) << c.text;
        EXPECT_EQ(c.value, value) << c.text;
    }
}

TEST(SysUtils, IntegerTextThatDoesNot) {
    for (const char* text : {"", " 1", "1 ", "abc", "12abc", "1.5", "2147483648", "-2147483649", "$100000000", "0x",
                             "$", "-", "+", "$G", "1e3"}) {
        int value = 0;
        EXPECT_FALSE(TryStrToInt(text, value)) << text;
        EXPECT_EQ(99, StrToIntDef(text, 99)) << text;
        try {
            StrToInt(text);
            ADD_FAILURE() << "no exception for '" << text << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string("'") + text + "' is not a valid integer value", e.Message());
        }
    }
}

TEST(SysUtils, IntToStrAndFileNames) {
    EXPECT_EQ("-5", IntToStr(-5));
    EXPECT_EQ("-9223372036854775808", IntToStr(LLONG_MIN));
    EXPECT_EQ("/opt/app/", ExtractFilePath("/opt/app/Config.ini"));
    EXPECT_EQ("/", ExtractFilePath("/Config.ini"));
    EXPECT_EQ("", ExtractFilePath("Config.ini"));
    EXPECT_EQ("/opt/app/", ExtractFilePath("/opt/app/"));

    testsupport::TempDir dir;
    std::ofstream(dir.File(u8"帮助.pdf")) << "x";
    EXPECT_TRUE(FileExists(dir.Path().string() + "/帮助.pdf"));  // code page 936 name, UTF-8 on disk
    EXPECT_FALSE(FileExists(dir.File("absent.pdf")));
    EXPECT_FALSE(FileExists(dir.Path().string()));  // a directory is no file
}
