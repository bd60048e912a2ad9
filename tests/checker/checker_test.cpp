#include "config/settings_file.hpp"
#include "findings/render.hpp"
#include "hud/apply_settings.hpp"
#include "ini_rules/encoding.hpp"
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

// How faint an alpha is said to make a colour: the boundaries the docs give (64, 192).
TEST(ValueFindings, AnAlphaIsNamedNearlyInvisibleOrSeeThroughAtItsBounds) {
    const std::vector<std::pair<int, std::string>> alphas{
        {63, "nearly invisible"}, {64, "see-through"}, {191, "see-through"}, {192, ""}};
    for (const auto& [alpha, effect] : alphas) {
        const auto report =
            checker::check_settings_bytes("CounterColor=1 2 3 " + std::to_string(alpha) + " 9\n");
        ASSERT_EQ(report.findings.size(), 1u) << alpha;
        const std::string said = checker::message_of(report.findings[0], checker::english());
        EXPECT_EQ(said.find("nearly invisible") != std::string::npos, effect == "nearly invisible")
            << said;
        EXPECT_EQ(said.find("see-through") != std::string::npos, effect == "see-through") << said;
    }
}

// A size is usual up to 1000 either way; beyond, the plugin's writing it is said.
TEST(ValueFindings, ASizeBeyondTheLargestUsualIsNamed) {
    const std::vector<std::pair<std::string, bool>> sizes{
        {"1000", false}, {"-1000", false}, {"1000.5", true}, {"-1001", true}, {"inf", true}};
    for (const auto& [size, named] : sizes) {
        const auto report = checker::check_settings_bytes("AllWeaponsCursorSize=" + size + "\n");
        EXPECT_EQ(!report.findings.empty(), named) << size;
    }
}

// UTF-8 is told from other 8-bit text by every sequence's first and last value, and
// UTF-16 only where the bytes are UTF-16 text from their start.
TEST(Encoding, IsToldAtTheEdges) {
    using namespace std::string_literals;
    const auto le = [](std::string_view ascii) {
        std::string out;
        for (const char c : ascii)
            out += std::string{c, '\0'};
        return out;
    };
    const std::vector<std::pair<std::string, std::string>> cases{
        {"MoneyColor=1 2 3\n", "ascii"},
        {"; \xF4\x8F\xBF\xBF\n", "utf-8"},          // U+10FFFF
        {"; \xF4\x90\x80\x80\n", "ansi"},           // past it
        {"; \xE0\xA0\x80 \xED\x9F\xBF\n", "utf-8"}, // U+0800, U+D7FF
        {"; \xE0\x9F\xBF\n", "ansi"},               // overlong
        {"; \xED\xA0\x80\n", "ansi"},               // a surrogate
        {"; caf\xE9\n", "ansi"},
        {"\xEF\xBB\xBFMoneyColor=1 2 3\n", "utf-8-bom"},
        {"\xFF\xFE" + le("MoneyColor=1 2 3"), "utf-16le"},
        {le("MoneyColor=1 2 3\r\n"), "utf-16le"},
        {le("MoneyColor=1 2 3\r\n").substr(1) + "\0"s, "utf-16be"},
        // 8-bit text a crashed editor padded with NULs: the plugin reads its setting
        {"MoneyColor=1 2 3\r\n" + std::string(4000, '\0'), "ascii"},
        {"MoneyColor=1 2 3" + std::string(3, '\0'), "ascii"},
        // UTF-16 text at the start only, then 8-bit: not UTF-16 text throughout
        {le("comment ") + "; comm\r\n", "ascii"}, // two thirds of it
        {le("comment ") + "; c\r\n", "utf-16le"}, // three quarters
    };
    for (const auto& [bytes, id] : cases)
        EXPECT_EQ(checker::encoding_id(bytes), id) << testing::PrintToString(bytes);
}

TEST(KeySuggestion, FarOffKeysGetNone) {
    EXPECT_FALSE(checker::nearest_table_key("Volume").has_value());
    EXPECT_EQ(checker::nearest_table_key("TIMERCOLOR")->key, "TimerColor");
    EXPECT_EQ(checker::nearest_table_key("Timer Color")->key, "TimerColor");
}

} // namespace
