#include "config/settings_file.hpp"
#include "hud/recolour_pass.hpp"
#include "ini_check.hpp"
#include "key_suggestion.hpp"
#include "support/temp_files.hpp"
#include "template_ini.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

class CheckerTest : public ::testing::Test {
protected:
    checker::CheckReport check(std::string_view ini) {
        path = dir.write("Tessivar.VC.ini", ini).string();
        auto report = checker::check_settings_file(path);
        EXPECT_TRUE(report.has_value());
        return report ? *report : checker::CheckReport{};
    }
    // The one finding of a file, as "line: message | suggestion".
    std::string only_finding(std::string_view ini) {
        const auto report = check(ini);
        if (report.findings.size() != 1)
            return std::to_string(report.findings.size()) + " findings";
        const auto& f = report.findings.front();
        return std::to_string(f.line) + ": " + f.message + " | " + f.suggestion;
    }
    test_support::TempDir dir;
    std::string path;
};

const std::string clean_ini = "; my colours\n"
                              "# shared by the crew\n"
                              "\n"
                              "MoneyColor = 255 0 0\r\n"
                              "TimeColor=10 20 30 40\n"
                              "ZoneTextStyle=1\n"
                              "AllWeaponsCursorSize=24.5\n";

TEST_F(CheckerTest, ACleanFileHasNoFindings) {
    const auto report = check(clean_ini);
    EXPECT_TRUE(report.findings.empty());
    ASSERT_EQ(report.settings.size(), 34u);
    EXPECT_EQ(report.settings[8].line, 4); // MoneyColor
    EXPECT_EQ(report.settings[8].raw, "255 0 0");
    EXPECT_EQ(report.settings[0].line, 0); // Messagebox: default
    EXPECT_TRUE(check(checker::template_ini()).findings.empty());
}

TEST_F(CheckerTest, UnknownKeysGetTheNearestTableKey) {
    EXPECT_EQ(only_finding("moneycolor=1 2 3\n"),
              "1: unknown key \"moneycolor\" | did you mean \"MoneyColor\"? (letter case)");
    EXPECT_EQ(only_finding("TimeColor=1 2 3\nMoneyColour=1 2 3\n"),
              "2: unknown key \"MoneyColour\" | did you mean \"MoneyColor\"? (an extra letter)");
    EXPECT_EQ(only_finding("Mesagebox=1 2 3\n"),
              "1: unknown key \"Mesagebox\" | did you mean \"Messagebox\"? (a missing letter)");
    EXPECT_EQ(only_finding("Money Color=1 2 3\n"),
              "1: unknown key \"Money Color\" | did you mean \"MoneyColor\"? (a blank inside "
              "the key)");
    EXPECT_EQ(only_finding("Brightness=5\n"),
              "1: unknown key \"Brightness\" | the plugin does not use this key");
}

TEST_F(CheckerTest, RepeatedKeysSayWhichLineWins) {
    EXPECT_EQ(only_finding("MoneyColor=1 2 3\nTimeColor=1 2 3\nMoneyColor=4 5 6\n"),
              "1: \"MoneyColor\" again on line 3 | line 3 wins; remove the others");
}

TEST_F(CheckerTest, ColourFormatMistakes) {
    EXPECT_EQ(only_finding("MoneyColor=255,0,0\n"),
              "1: \"MoneyColor\" is written with commas | separate the numbers with blanks: "
              "red green blue");
    EXPECT_EQ(only_finding("ZoneColor=45\n"),
              "1: \"ZoneColor\" has 1 of its 3 numbers | write red green blue; the missing ones "
              "become 0");
    EXPECT_EQ(only_finding("MoneyColor=1 2 3 ; red\n"),
              "1: text after the numbers of \"MoneyColor\": \"; red\" | remove it; the plugin "
              "ignores it");
    EXPECT_EQ(check("TimeColor=1 2 3\n").findings.size(), 0u); // alpha may be left out
}

TEST_F(CheckerTest, ComponentsOutsideTheByteRange) {
    EXPECT_EQ(only_finding("Messagebox=300 10 20\n"),
              "1: \"Messagebox\" red 300 is outside 0..255 | use 0..255; this component keeps "
              "the game's own value");
    EXPECT_EQ(only_finding("MoneyTextStyle=-1\n"),
              "1: \"MoneyTextStyle\" style -1 is outside 0..255 | use 0..255; this component "
              "keeps the game's own value");
}

TEST_F(CheckerTest, NumbersThatDoNotParse) {
    EXPECT_EQ(only_finding("ZoneTextStyle=bold\n"),
              "1: \"ZoneTextStyle\" is not a number: \"bold\" | write a whole number such as 2; "
              "the plugin reads 0");
    EXPECT_EQ(only_finding("AllWeaponsCursorSize=big\n"),
              "1: \"AllWeaponsCursorSize\" is not a number: \"big\" | write a number such as 0.6; "
              "the plugin writes 0");
    EXPECT_EQ(only_finding("ZoneTextStyle=2 ; bold\n"),
              "1: text after the number of \"ZoneTextStyle\": \"; bold\" | remove it; the plugin "
              "ignores it");
}

TEST_F(CheckerTest, FileLevelSurprises) {
    const auto bom = check("\xEF\xBB\xBFMoneyColor=1 2 3\n");
    ASSERT_EQ(bom.findings.size(), 2u); // the mark, and the key it spoils
    EXPECT_EQ(bom.findings[0].message, "byte-order mark at the start of the file");
    EXPECT_NE(bom.findings[1].suggestion.find("MoneyColor"), std::string::npos);

    EXPECT_EQ(only_finding("[HUD]\nMoneyColor=1 2 3\n"),
              "1: section header \"[HUD]\" | sections mean nothing to the plugin; the line is "
              "ignored");
    EXPECT_EQ(only_finding("MoneyColor 1 2 3\n"), "1: no \"=\" on this line | write Key=value");

    const auto cr_only = check("MoneyColor=1 2 3\rTimeColor=1 2 3\r");
    ASSERT_FALSE(cr_only.findings.empty());
    EXPECT_EQ(cr_only.findings[0].message, "carriage returns but no line feeds");

    const auto long_line =
        check("Styledtext=1 2 3" + std::string(300, ' ') + "\nZoneColor=1 2 3\n");
    ASSERT_EQ(long_line.findings.size(), 1u);
    EXPECT_EQ(long_line.findings[0].message, "line longer than 255 bytes");
    EXPECT_EQ(long_line.settings[17].line, 2); // ZoneColor still counted on line 2
}

// The checker's verdict is the pass's: every component it says is written is written,
// with the same value, and every one it says is skipped is not.
TEST_F(CheckerTest, VerdictAgreesWithTheRecolourPass) {
    const std::string messy = "Messagebox=300 -1 20\nMoneyColor=255,0,0\nTimeColor=1 2\n"
                              "ZoneTextStyle=999\nVehicleTextStyle=x\nAllWeaponsCursorSize=1e3\n"
                              "Counter2Color=1 2 3 256\nmoneycolor=9 9 9\n";
    for (const std::string& ini : {messy, clean_ini, std::string{}}) {
        const auto report = check(ini);
        hud::RecordingWriter pass;
        hud::apply_settings(config::SettingsFile{path.c_str()}, pass);
        std::vector<hud::RecordedWrite> said;
        for (const auto& setting : report.settings)
            for (const auto& write : setting.writes)
                if (write) said.push_back(*write);
        EXPECT_EQ(said, pass.writes());
    }
}

TEST_F(CheckerTest, TemplateReadsBackAsTheDefaults) {
    const auto template_path = dir.write("template.ini", checker::template_ini()).string();
    hud::RecordingWriter from_template, from_nothing;
    hud::apply_settings(config::SettingsFile{template_path.c_str()}, from_template);
    hud::apply_settings(config::SettingsFile{nullptr}, from_nothing);
    EXPECT_EQ(from_template.writes().size(), 92u);
    EXPECT_EQ(from_template.writes(), from_nothing.writes());
    EXPECT_EQ(config::SettingsFile{template_path.c_str()}.size(), 34u);
}

TEST(KeySuggestion, FarOffKeysGetNone) {
    EXPECT_FALSE(checker::nearest_table_key("Volume").has_value());
    EXPECT_EQ(checker::nearest_table_key("TIMERCOLOR")->key, "TimerColor");
    EXPECT_EQ(checker::nearest_table_key("Timer Color")->key, "TimerColor");
}

} // namespace
