// Files no editor should produce: whatever they hold, the reader keeps every entry it
// can and the pass still makes its writes.

#include "config/settings_file.hpp"
#include "config/settings_location.hpp"
#include "config/settings_path.hpp"
#include "hud/apply_settings.hpp"
#include "support/temp_files.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using config::SettingsFile;

class RobustnessTest : public ::testing::Test {
protected:
    SettingsFile read(std::string_view bytes) {
        path = dir.write("Tessivar.VC.ini", bytes).string();
        return SettingsFile{path.c_str()};
    }
    static std::size_t writes_for(const SettingsFile& file) {
        hud::RecordingWriter writer;
        hud::apply_settings(file, writer);
        return writer.writes().size();
    }
    test_support::TempDir dir;
    std::string path;
};

TEST_F(RobustnessTest, OneMebibyteOnASingleLine) {
    std::string ini = "MoneyColor=1 2 3 " + std::string(1 << 20, 'x') + "\nZoneColor=4 5 6\n";
    ini[100000] = '='; // one piece of the long line holds an "="
    const auto file = read(ini);
    EXPECT_EQ(file.get_rgb("MoneyColor", 9, 9, 9).blue, 3);
    EXPECT_EQ(file.get_rgb("ZoneColor", 9, 9, 9).red, 4); // the line after it is not lost
    EXPECT_EQ(file.size(), 3u);
    EXPECT_EQ(writes_for(file), 92u);
}

TEST_F(RobustnessTest, AHundredThousandLines) {
    std::string ini;
    for (int i = 0; i < 100000; ++i)
        ini += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    ini += "MoneyColor=7 8 9\n";
    const auto file = read(ini);
    EXPECT_EQ(file.size(), 100001u);
    EXPECT_EQ(file.get_int("Key99999", 0), 99999);
    EXPECT_EQ(file.get_rgb("MoneyColor", 0, 0, 0).blue, 9);
}

TEST_F(RobustnessTest, NulBytesEndTheirLineOnly) {
    using namespace std::literals;
    const auto file = read("Messagebox=1\0"
                           "2 3\nMoneyColor=4 5 6\n\0\nZoneColor=7\n"sv);
    EXPECT_EQ(*file.find("Messagebox"), "1");
    EXPECT_EQ(file.get_rgb("MoneyColor", 0, 0, 0).green, 5);
    EXPECT_EQ(file.get_rgb("ZoneColor", 0, 0, 0).red, 7);
}

TEST_F(RobustnessTest, HighBytesAndInvalidUtf8AreOrdinaryBytes) {
    const auto file = read("Money\xFF\xFE"
                           "Color=\xC3\xA9 1\n\xC0\xAF=\x80\x81\nMoneyColor=1 \xE2\x82\xAC 3\n");
    EXPECT_EQ(*file.find("Money\xFF\xFE"
                         "Color"),
              "\xC3\xA9 1");
    EXPECT_EQ(*file.find("\xC0\xAF"), "\x80\x81");
    const auto money = file.get_rgb("MoneyColor", 9, 9, 9);
    EXPECT_EQ(money.red, 1);
    EXPECT_EQ(money.green, 0); // reading stops at the first byte that is no number
    EXPECT_EQ(writes_for(file), 92u);
}

// Through the pass's own entry, which reads the file settings_path names: it keeps
// nothing of the first file for the second run.
TEST_F(RobustnessTest, AFileReplacedBetweenTwoPassesIsReadAfresh) {
    read("MoneyColor=1 2 3\nZoneTextStyle=3\n");
    config::store_settings_path(path);
    ASSERT_EQ(std::string{config::settings_path.data()}, path);
    hud::RecordingWriter first;
    hud::recolour_from_settings_path(first);
    dir.write("Tessivar.VC.ini", "MoneyColor=9 9 9\n");
    hud::RecordingWriter second;
    hud::recolour_from_settings_path(second);
    config::store_settings_path({});
    EXPECT_NE(first.writes(), second.writes());
    const auto zone_style = [](const hud::RecordingWriter& writer) {
        for (const auto& write : writer.writes())
            if (write.address == 0x559918) return int{write.byte};
        return -1;
    };
    EXPECT_EQ(zone_style(first), 3);
    EXPECT_EQ(zone_style(second), 0); // the key is gone: its default again
}

} // namespace
