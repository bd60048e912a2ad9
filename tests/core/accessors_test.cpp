#include "config/settings_file.hpp"
#include "support/float_bits.hpp"
#include "support/temp_files.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

using config::SettingsFile;

class AccessorsTest : public ::testing::Test {
protected:
    // A store holding one line "Key=<value>".
    SettingsFile with_value(std::string_view value) {
        const auto path = dir.write("a.ini", "Key=" + std::string{value} + "\n").string();
        return SettingsFile{path.c_str()};
    }
    test_support::TempDir dir;
};

void expect_rgb(const config::ColorRgb& c, int r, int g, int b) {
    EXPECT_EQ(c.red, r);
    EXPECT_EQ(c.green, g);
    EXPECT_EQ(c.blue, b);
}

void expect_rgba(const config::ColorRgba& c, int r, int g, int b, int a) {
    EXPECT_EQ(c.red, r);
    EXPECT_EQ(c.green, g);
    EXPECT_EQ(c.blue, b);
    EXPECT_EQ(c.alpha, a);
}

TEST_F(AccessorsTest, AbsentKeyGivesTheDefaultsEveryTime) {
    const auto file = with_value("1 2 3");
    for (int round = 0; round < 2; ++round) {
        expect_rgb(file.get_rgb("Other", 255, 150, 225), 255, 150, 225);
        expect_rgba(file.get_rgba("Other", 175, 175, 175), 175, 175, 175, 255);
        EXPECT_EQ(file.get_int("Other", 2), 2);
        EXPECT_EQ(file.get_float("Other", 0.6f), 0.6f);
    }
    EXPECT_EQ(file.size(), 1u); // a query never inserts
    expect_rgb(file.get_rgb("key", 7, 8, 9), 7, 8, 9);
}

TEST_F(AccessorsTest, PresentButEmptyOrLettersGiveZerosNotDefaults) {
    for (const char* text : {"", "red"}) {
        const auto file = with_value(text);
        expect_rgb(file.get_rgb("Key", 255, 150, 225), 0, 0, 0);
        expect_rgba(file.get_rgba("Key", 175, 175, 175), 0, 0, 0, 255);
        EXPECT_EQ(file.get_int("Key", 2), 0);
        EXPECT_EQ(file.get_float("Key", 0.6f), 0.0f);
    }
}

TEST_F(AccessorsTest, ColoursFollowFormattedInput) {
    expect_rgb(with_value("255,150,225").get_rgb("Key", 1, 1, 1), 255, 0, 0);
    expect_rgb(with_value("255 150").get_rgb("Key", 1, 1, 1), 255, 150, 0);
    expect_rgb(with_value("255\t150   225").get_rgb("Key", 1, 1, 1), 255, 150, 225);
    expect_rgb(with_value("-1 300 7").get_rgb("Key", 1, 1, 1), -1, 300, 7);
    expect_rgb(with_value("+4 -0 9x 8").get_rgb("Key", 1, 1, 1), 4, 0, 9);
    expect_rgb(with_value("10-20").get_rgb("Key", 1, 1, 1), 10, -20, 0);
    expect_rgba(with_value("255 150 225").get_rgba("Key", 1, 1, 1), 255, 150, 225, 255);
    expect_rgba(with_value("1 2 3 4 5").get_rgba("Key", 9, 9, 9), 1, 2, 3, 4);
    expect_rgba(with_value("1 2 3 x").get_rgba("Key", 9, 9, 9), 1, 2, 3, 255);
}

TEST_F(AccessorsTest, IntegersFollowAtoiAndSaturate) {
    EXPECT_EQ(with_value("+5").get_int("Key", 9), 5);
    EXPECT_EQ(with_value("  5").get_int("Key", 9), 5);
    EXPECT_EQ(with_value("007").get_int("Key", 9), 7);
    EXPECT_EQ(with_value("0x1F").get_int("Key", 9), 0);
    EXPECT_EQ(with_value("2 ; bold").get_int("Key", 9), 2);
    EXPECT_EQ(with_value("-12abc").get_int("Key", 9), -12);
    EXPECT_EQ(with_value("99999999999").get_int("Key", 9), 2147483647);
    EXPECT_EQ(with_value("-99999999999").get_int("Key", 9), -2147483647 - 1);
    EXPECT_EQ(with_value("2147483647").get_int("Key", 9), 2147483647);
    EXPECT_EQ(with_value(std::string(40, '9')).get_int("Key", 9), 2147483647);
}

TEST_F(AccessorsTest, NumbersFollowStrtodNarrowedToSingle) {
    EXPECT_EQ(with_value("1.5e1").get_float("Key", 9.0f), 15.0f);
    EXPECT_EQ(with_value("1,5").get_float("Key", 9.0f), 1.0f);
    EXPECT_EQ(with_value(".5").get_float("Key", 9.0f), 0.5f);
    EXPECT_EQ(with_value("0.6").get_float("Key", 9.0f), 0.6f);
    EXPECT_EQ(test_support::float_bits(with_value("0.6").get_float("Key", 0)), 0x3F19999Au);
    EXPECT_EQ(with_value("-2.25junk").get_float("Key", 9.0f), -2.25f);
    EXPECT_EQ(with_value("0x1p4").get_float("Key", 9.0f), 16.0f);
    EXPECT_TRUE(std::isinf(with_value("inf").get_float("Key", 9.0f)));
    EXPECT_TRUE(std::isinf(with_value("1e300").get_float("Key", 9.0f)));
    EXPECT_TRUE(std::isnan(with_value("nan").get_float("Key", 9.0f)));
}

} // namespace

namespace {

// The colour fields follow the C library's "%d %d %d %d" wherever the numbers fit.
TEST(ScanIntegers, AgreesWithFormattedInput) {
    for (const char* text :
         {"", "red", "1", " 1 2", "1,2,3", "+4 -0 9x 8", "10-20", "1\t\n2\v3\f4\r5", "- 5", "+-5",
          "--5", "007 08", "2147483647 -2147483648", "1 2 3 4 5", "1 2 x 4", " +", "0x1F",
          "\xC3\xA9 1",
          "1\xFF"
          "2"}) {
        int expected[4] = {-7, -7, -7, -7};
        const int fields = std::sscanf(text, "%d %d %d %d", &expected[0], &expected[1],
                                       &expected[2], &expected[3]);
        std::int32_t got[4] = {-7, -7, -7, -7};
        EXPECT_EQ(config::scan_integers(text, got, 4), fields < 0 ? 0 : fields) << text;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(got[i], expected[i]) << text << " field " << i;
    }
}

TEST(ScanIntegers, SaturatesAndSaysWhereItStopped) {
    std::int32_t value = 0;
    const char* end = nullptr;
    EXPECT_EQ(config::scan_integers("99999999999999999999 rest", &value, 1, &end), 1);
    EXPECT_EQ(value, 2147483647);
    EXPECT_STREQ(end, " rest");
    EXPECT_EQ(config::scan_integers("-99999999999999999999", &value, 1), 1);
    EXPECT_EQ(value, -2147483647 - 1);
}

} // namespace
