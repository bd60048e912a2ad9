#include "check/ini_check.hpp"
#include "check/key_suggestion.hpp"
#include "check/template_ini.hpp"
#include "check/text_mode.hpp"
#include "config/settings_file.hpp"
#include "hud/apply_settings.hpp"
#include "support/temp_files.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

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

TEST_F(CheckerTest, RepeatedKeysSayWhichLineWins) {
    EXPECT_EQ(only_finding("MoneyColor=1 2 3\nTimeColor=1 2 3\nMoneyColor=4 5 6\n"),
              "1: \"MoneyColor\" again on line 3 | line 3 wins; remove the others");
}

// What players write, and the one finding each gets: its line, a piece of its message,
// and the line to paste.
struct Mistake {
    std::string ini;
    int line;
    std::string says;
    std::string write;
};

const std::vector<Mistake> mistakes{
    {"moneycolor=1 2 3\n", 1, "did you mean \"MoneyColor\"",
     "write MoneyColor=1 2 3 (letter case)"},
    {"TimeColor=1 2 3\nMoneyColour=1 2 3\n", 2, "unknown key \"MoneyColour\"",
     "write MoneyColor=1 2 3 (the plugin spells it this way)"},
    {"Mesagebox=1 2 3\n", 1, "\"Messagebox\"", "write Messagebox=1 2 3 (a missing letter)"},
    {"Money Color=1 2 3\n", 1, "\"Money Color\"",
     "write MoneyColor=1 2 3 (a blank inside the key)"},
    {"Brightness=5\n", 1, "unknown key \"Brightness\"",
     "the plugin does not use this key; remove the line"},
    {"WastedBustedColor=1 2 3\n", 1, "", "write WastedBusted=1 2 3 (the plugin's name for it)"},
    {"MessageBoxColor=0 0 0\n", 1, "", "write Messagebox=0 0 0 (the plugin's name for it)"},
    {"WantedStarsColor=9 9 9\n", 1, "", "write WantedActiveColor=9 9 9 (the plugin's name for it)"},
    {"ArmorIconColor=1 2 3 4\n", 1, "",
     "write ArmourIconColor=1 2 3 4 (the plugin spells it this way)"},
    {"Mon\x01"
     "ey=1\n",
     1, "unknown key \"Mon\\x01ey\"", "the plugin does not use this key; remove the line"},
    {"MoneyColor=#FF0000\n", 1, "gets 0 0 0 (black) instead of 255 0 0",
     "write MoneyColor=255 0 0"},
    {"MoneyColor=#f00\n", 1, "hex", "write MoneyColor=255 0 0"},
    {"MoneyColor=0xFF0000\n", 1, "hex", "write MoneyColor=255 0 0"},
    {"MoneyColor=FF8000\n", 1, "hex", "write MoneyColor=255 128 0"},
    {"MoneyColor=red\n", 1, "the colour name", "write MoneyColor=255 0 0"},
    {"TimerColor=100% 50% 0% 50%\n", 1, "percentages", "write TimerColor=255 128 0 128"},
    {"ZoneColor=0, 255, 0\n", 1, "gets 0 0 0 (black) instead of 0 255 0",
     "write ZoneColor=0 255 0"},
    {"MoneyColor=255,0,0\n", 1, "only by chance", "write MoneyColor=255 0 0"},
    {"RiflesCursorNoZoomSize=0,6\n", 1, "the plugin reads 0", "write RiflesCursorNoZoomSize=0.6"},
    {"CounterColor=10 20 30 40 50\n", 1, "alpha 40 makes it nearly invisible",
     "write CounterColor=10 20 30 40 (with that alpha), or CounterColor=10 20 30 (solid)"},
    {"MoneyColor=10 20 30 40\n", 1, "no alpha", "write MoneyColor=10 20 30"},
    {"ZoneColor=45\n", 1, "has 1 of its 3 numbers: the plugin writes 45 0 0",
     "write ZoneColor=45 155 90 (the missing ones as the default)"},
    {"HealthIconColor=\n", 1, "is empty: the plugin writes 0 0 0 (black)",
     "write HealthIconColor=255 150 225 (the default)"},
    {"MoneyColor=1 2 3 ; red\n", 1, "\"; red\"", "write MoneyColor=1 2 3"},
    {"Messagebox=300 10 20\n", 1, "red 300 is outside 0..255", "write Messagebox=255 10 20"},
    {"MoneyTextStyle=-1\n", 1, "style -1 is outside 0..255", "write MoneyTextStyle=0"},
    {"ZoneTextStyle=bold\n", 1, "not a number", "write ZoneTextStyle=0 (the default)"},
    {"AllWeaponsCursorSize=big\n", 1, "not a number",
     "write AllWeaponsCursorSize=32.0 (the default)"},
    {"ZoneTextStyle=2 ; bold\n", 1, "\"; bold\"", "write ZoneTextStyle=2"},
    {"MoneyColor 1 2 3\n", 1, "no \"=\"", "write MoneyColor=1 2 3"},
    {"", 0, "the file is empty: every setting takes its default", ""},
    {std::string("\xFF\xFEM\0o\0=\0"
                 "1\0\r\0\n\0",
                 14),
     0, "UTF-16", ""},
    {"\xEF\xBB\xBFMoneyColor=1 2 3\r\n", 1, "MoneyColor keeps its default", ""},
    {"MoneyColor=1 2 3\n\x1AZoneColor=1 2 3\n", 2, "Ctrl-Z", ""},
};

TEST_F(CheckerTest, EveryCommonMistakeEndsWithALineToPaste) {
    for (const auto& mistake : mistakes) {
        const auto report = check(mistake.ini);
        SCOPED_TRACE(mistake.ini);
        ASSERT_EQ(report.findings.size(), 1u);
        const auto& f = report.findings.front();
        EXPECT_EQ(f.line, mistake.line);
        EXPECT_NE(f.message.find(mistake.says), std::string::npos) << f.message;
        if (!mistake.write.empty()) {
            EXPECT_EQ(f.suggestion, mistake.write);
        }
        for (const char c : f.message + f.suggestion) // nothing raw reaches the terminal
            EXPECT_TRUE(c >= 0x20 && c < 0x7F) << f.message;
    }
}

// What the plugin reads through the Windows runtime's text mode: the checker's model of
// it, and under Wine the runtime itself.
TEST_F(CheckerTest, TextModeIsTheWindowsRuntimes) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"a\r\nb\r\n", "a\nb\n"},
        {"a\rb", "a\rb"},
        {"a\r\r\nb", "a\r\nb"},
        {"a\x1A"
         "b\n",
         "a"},
        {"x\r", "x\r"},
        {std::string("a\0b\n", 4), std::string("a\0b\n", 4)},
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(checker::windows_text_mode(bytes), text);
#ifdef _WIN32
        const auto file = dir.write("mode.ini", bytes).string();
        std::FILE* in = std::fopen(file.c_str(), "r");
        ASSERT_NE(in, nullptr);
        std::string read;
        for (int c; (c = std::fgetc(in)) != EOF;)
            read += static_cast<char>(c);
        std::fclose(in);
        EXPECT_EQ(read, text);
#endif
    }
}

TEST_F(CheckerTest, FileLevelSurprises) {
    EXPECT_EQ(only_finding("[HUD]\nMoneyColor=1 2 3\n"),
              "1: section header \"[HUD]\" | sections mean nothing to the plugin; the line is "
              "ignored");
    EXPECT_EQ(only_finding("Volume 3\n"), "1: no \"=\" on this line | write Key=value");

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
