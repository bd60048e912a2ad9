#include "config/settings_file.hpp"
#include "findings/render.hpp"
#include "hud/apply_settings.hpp"
#include "ini_rules/ini_check.hpp"
#include "ini_rules/key_suggestion.hpp"
#include "ini_rules/template_ini.hpp"
#include "ini_rules/text_mode.hpp"
#include "support/temp_files.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

// What the checker says of each common mistake, line by line, is in the report
// baselines (baselines/*.report); these tests hold what a report cannot show.

namespace {

class CheckerTest : public ::testing::Test {
protected:
    checker::CheckReport check(std::string_view ini) {
        path = dir.write("Tessivar.VC.ini", ini).string();
        auto report = checker::check_settings_file(path);
        EXPECT_TRUE(report.has_value());
        return report ? *report : checker::CheckReport{};
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

// The plugin's pass reads the first 10 000 lines only; the checker sees what it sees.
TEST_F(CheckerTest, WhatThePassLeavesUnreadIsSaid) {
    std::string ini;
    for (int line = 1; line < 10000; ++line)
        ini += "; padding\n";
    const auto report = check(ini + "ZoneColor=1 2 3\nMoneyColor=4 5 6\n");
    EXPECT_EQ(report.settings[17].line, 10000); // ZoneColor: read
    EXPECT_EQ(report.settings[8].line, 0);      // MoneyColor: past the bound, the default
    ASSERT_EQ(report.findings.size(), 1u);
    EXPECT_EQ(report.findings[0].line, 10001);
    EXPECT_EQ(report.findings[0].rule, checker::Rule::settings_beyond_bound);
    const std::string said = checker::message_of(report.findings[0], checker::english());
    EXPECT_NE(said.find("first 10000 lines"), std::string::npos) << said;
    EXPECT_NE(said.find("MoneyColor included"), std::string::npos) << said;
    EXPECT_TRUE(check(ini + "ZoneColor=1 2 3\n").findings.empty());
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
