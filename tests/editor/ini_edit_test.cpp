// Edits of a player's ini: only the edited setting's line changes, whatever bytes it
// holds; files the plugin cannot read are converted keeping every line; each fix does
// exactly what it says. The property test edits generated files of every kind of line.

#include "edit/apply_fixes.hpp"
#include "edit/ini_edit.hpp"
#include "edit/reader_lines.hpp"
#include "edit/text_encoding.hpp"
#include "edit_properties.hpp"
#include "hud/hud_setting_table.hpp"
#include "ini_rules/ini_check.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

struct Edit {
    std::string before, key, value, after;
};

TEST(IniEdit, ChangesOnlyTheLineThePluginReads) {
    const std::string pad(255 - 16, ' ');
    const std::vector<Edit> edits{
        // the last of two lines is the one the plugin reads
        {"; mine\r\nMoneyColor=1 1 1\r\nX=y\r\nMoneyColor=2 2 2\r\n", "MoneyColor", "9 9 9",
         "; mine\r\nMoneyColor=1 1 1\r\nX=y\r\nMoneyColor=9 9 9\r\n"},
        // LF lines stay LF; a missing key is appended after the last line gets its end
        {"# c\nA=1", "ZoneTextStyle", "3", "# c\nA=1\nZoneTextStyle=3\n"},
        // keys are exact: another case is another key
        {"moneycolor=1 2 3\r\n", "MoneyColor", "4 5 6", "moneycolor=1 2 3\r\nMoneyColor=4 5 6\r\n"},
        // appended before a Ctrl-Z, after which the plugin reads nothing
        {"A=1\r\n\x1A\r\n", "MoneyColor", "1 2 3", "A=1\r\nMoneyColor=1 2 3\r\n\x1A\r\n"},
        {"\x1AMoneyColor=1 2 3\r\n", "MoneyColor", "7 7 7",
         "MoneyColor=7 7 7\r\n\x1AMoneyColor=1 2 3\r\n"},
        {"", "MoneyColor", "1 2 3", "MoneyColor=1 2 3\r\n"},
        // CR alone: the plugin reads one line; the comment and the rest stay
        {"MoneyColor=1 2 3\r; my colours\rZoneColor=4 5 6\r", "MoneyColor", "1 200 3",
         "MoneyColor=1 200 3\r; my colours\rZoneColor=4 5 6\r"},
        // a NUL hides the rest of its piece: the comment is one line to the checker, not two
        {"; c\0omment\r\nMoneyColor=#FF0000\r\n"s, "MoneyColor", "255 0 0",
         "; c\0omment\r\nMoneyColor=255 0 0\r\n"s},
        {"MoneyColor=1 2 3\0 old\r\n"s, "MoneyColor", "255 255 255",
         "MoneyColor=255 255 255\0 old\r\n"s},
        // a line cut at 255 bytes: its second piece is an entry of its own and stays one
        {"MoneyColor=1 2 3" + pad + "ZoneColor=4 5 6\r\n", "MoneyColor", "9 9 9",
         "MoneyColor=9 9 9\r\nZoneColor=4 5 6\r\n"},
    };
    for (const auto& edit : edits)
        EXPECT_EQ(editor::set_value(edit.before, edit.key, edit.value), edit.after) << edit.before;
}

// A file longer than the plugin's pass reads: an edit lands where the pass reads it, and
// costs no other setting, or does not happen.
TEST(IniEdit, PastThePassesBoundAKeyGoesWhereThePluginReadsIt) {
    std::string comments;
    for (int line = 1; line < 10000; ++line)
        comments += "; padding\r\n";
    const auto money = [](const std::string& file) {
        return checker::check_settings_bytes(file).settings[hud::row_of("MoneyColor")].parsed;
    };
    const std::vector<double> nines{9, 9, 9};
    // the key past the bound: it comes first, and the comment at the bound goes past it
    const std::string past = comments + "; last\r\nMoneyColor=1 2 3\r\n";
    const std::string first = editor::set_value(past, "MoneyColor", "9 9 9");
    EXPECT_EQ(first, "MoneyColor=9 9 9\r\n" + past);
    EXPECT_EQ(money(first), nines);
    // a blank line the pass reads takes it, and nothing moves
    std::string blank = past;
    blank.replace(blank.find("; padding\r\n", 500), 11, "  \r\n");
    const std::string in_place = editor::set_value(blank, "MoneyColor", "9 9 9");
    EXPECT_EQ(in_place.size(), blank.size() + 14);
    EXPECT_EQ(money(in_place), nines);
    EXPECT_TRUE(in_place.ends_with("; last\r\nMoneyColor=1 2 3\r\n"));
    // no blank line, and the line at the bound sets another key: no place costs nothing
    const std::string full = comments + "ZoneColor=1 2 3\r\nMoneyColor=1 2 3\r\n";
    EXPECT_EQ(editor::set_value(full, "MoneyColor", "9 9 9"), full);
}

TEST(IniEdit, ResetsEverySettingAndMakesTheTemplate) {
    EXPECT_EQ(editor::reset_all("; c\r\nMoneyColor=1 2 3\r\nOther=1\r\nAllWeaponsCursorSize=9\r\n"),
              "; c\r\nMoneyColor=0 207 133\r\nOther=1\r\nAllWeaponsCursorSize=32.0\r\n");
    EXPECT_EQ(editor::reset_all("; a\0b\r\nMoneyColor=1 2 3\r; x\r"s),
              "; a\0b\r\nMoneyColor=0 207 133\r; x\r"s);
    const std::string fresh = editor::new_file();
    EXPECT_EQ(fresh.find("\n"), fresh.find("\r\n") + 1);
    EXPECT_NE(fresh.find("MoneyColor=0 207 133\r\n"), std::string::npos);
}

// ASCII as UTF-16: a NUL after (little-endian) or before each byte.
std::string widened(std::string_view ascii, bool little_endian) {
    std::string out;
    for (const char c : ascii)
        out += little_endian ? std::string{c, '\0'} : std::string{'\0', c};
    return out;
}

TEST(IniEdit, ConvertsWhatThePluginCannotReadKeepingEveryLine) {
    // "; café 🎨" and a setting, LF or CR LF; café's é and the palette emoji (U+1F3A8)
    const std::string readable = "; caf\xC3\xA9 \xF0\x9F\x8E\xA8\r\nMoneyColor=1 2 3\r\n";
    const std::string le = "\xFF\xFE" + widened("; caf", true) + "\xE9\0 \0<\xD8\xA8\xDF"s +
                           widened("\r\nMoneyColor=1 2 3\r\n", true);
    const std::string be = widened("; caf", false) + "\0\xE9\0 \xD8<\xDF\xA8"s +
                           widened("\nMoneyColor=1 2 3\n", false);
    const std::vector<std::pair<std::string, std::string>> cases{
        {le, readable},
        {be, readable},
        {"\xEF\xBB\xBF; caf\xC3\xA9 \xF0\x9F\x8E\xA8\nMoneyColor=1 2 3\n", readable},
        {"MoneyColor=1 2 3\n", "MoneyColor=1 2 3\n"}, // 8-bit: as it is
    };
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(editor::plugin_readable(bytes), expected);
    // The first and last character of each UTF-8 length, from UTF-16.
    const std::string edges = "\xFF\xFE\x7F\0\x80\0\xFF\x07\x00\x08\xFF\xFF\x00\xD8\x00\xDC"s;
    EXPECT_EQ(editor::plugin_readable(edges),
              "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80");
}

// Each kind of fix on a file as it is saved: the bytes it gives, to the byte.
TEST(Fixes, EachFindingsFixGivesTheseBytes) {
    struct Case {
        std::string file, after;
    };
    const std::vector<Case> cases{
        {"; mine\r\nMoneyColor=#FF0000\r\n# c\r\n", "; mine\r\nMoneyColor=255 0 0\r\n# c\r\n"},
        // LF stays LF; a last line without its end keeps none
        {"MoneyColor=rgb(255, 0, 0)\nZoneColor=0,255,0", "MoneyColor=255 0 0\nZoneColor=0 255 0"},
        // a typo of a key, carrying its value; a far-off key made a comment
        {"MoneyColour=1 2 3\r\nVolume=5\r\n", "MoneyColor=1 2 3\r\n; Volume=5\r\n"},
        // the earlier of two lines goes, with its line end
        {"ZoneColor=1 2 3\r\nZoneColor=4 5 6\r\n", "ZoneColor=4 5 6\r\n"},
        // the mark goes, the line it spoiled stays
        {"\xEF\xBB\xBFMoneyColor=1 2 3\r\n", "MoneyColor=1 2 3\r\n"},
        // the mark and a value on its line, both
        {"\xEF\xBB\xBF; c\r\nTimeColor=1 2 3 4 5\r\n", "; c\r\nTimeColor=1 2 3 4\r\n"},
        // carriage returns alone: each gets its line feed
        {"MoneyColor=1 2 3\rZoneColor=4 5 6\r", "MoneyColor=1 2 3\r\nZoneColor=4 5 6\r\n"},
        {"; c\nMoneyColor=1 2 3\rZoneColor=4 5 6\n", "; c\nMoneyColor=1 2 3\r\nZoneColor=4 5 6\n"},
        // a Ctrl-Z in the middle goes; the lines after it count again
        {"ZoneColor=1 2 3\r\n\x1AMoneyColor=1 2 3\r\n", "ZoneColor=1 2 3\r\nMoneyColor=1 2 3\r\n"},
        // a NUL hides the rest of its line: no fix rewrites that line
        {"MoneyColor=#FF0000\0 x\r\n"s, "MoneyColor=#FF0000\0 x\r\n"s},
        // a section header made a comment; "Key value" given its "="
        {"[HUD]\r\nMoneyColor 1 2 3\r\n", "; [HUD]\r\nMoneyColor=1 2 3\r\n"},
        // UTF-16 as 8-bit text
        {widened("MoneyColor=1 2 3\r\n", true), "MoneyColor=1 2 3\r\n"},
        // a carriage return at the very end gets its line feed too
        {"; c\nMoneyColor=1 2 3\rZoneColor=4 5 6\r",
         "; c\nMoneyColor=1 2 3\r\nZoneColor=4 5 6\r\n"},
    };
    for (const auto& [file, after] : cases) {
        const auto report = checker::check_settings_bytes(file);
        EXPECT_EQ(editor::apply_fixes(file, edit_properties::fixes_of(report)), after)
            << testing::PrintToString(file);
    }
}

TEST(Fixes, LinesAreTheCheckersAndTheOrderKeepsThemRight) {
    using checker::Fix;
    using checker::FixAction;
    const std::string file = "A=1\r\nB=2\r\nC=3\r\n\x1A D=4\r\n";
    const std::vector<Fix> fixes{checker::line_fix(FixAction::delete_line, 1),
                                 checker::line_fix(FixAction::replace_line, 3, "C=9"),
                                 checker::line_fix(FixAction::append_line, 0, "E=5"),
                                 checker::line_fix(FixAction::comment_line, 2)};
    // Line 3 is C's whatever goes before it; the new line goes where the plugin reads.
    EXPECT_EQ(editor::apply_fixes(file, fixes), "; B=2\r\nC=9\r\nE=5\r\n\x1A D=4\r\n");
    // Past the Ctrl-Z is no line of the checker's: nothing changes there.
    EXPECT_EQ(editor::apply_fix(file, checker::line_fix(FixAction::delete_line, 5)), file);
    // The last line, without an end, goes with the end before it.
    EXPECT_EQ(editor::apply_fix("A=1\nB=2", checker::line_fix(FixAction::delete_line, 2)), "A=1");
    // A new line after one that ends in a carriage return alone: only its line feed is
    // added before it; after a line without an end, the file's own line end.
    const auto appended = [](std::string_view bytes) {
        return editor::apply_fix(bytes, checker::line_fix(FixAction::append_line, 0, "E=5"));
    };
    EXPECT_EQ(appended("A=1\rB=2\r"), "A=1\rB=2\r\nE=5\r\n");
    EXPECT_EQ(appended("A=1\nB=2"), "A=1\nB=2\nE=5\n");
    EXPECT_EQ(appended("A=1\r\nB=2"), "A=1\r\nB=2\r\nE=5\r\n");
    EXPECT_EQ(editor::set_value("A=1\rB=2\r", "ZoneTextStyle", "1"),
              "A=1\rB=2\r\nZoneTextStyle=1\r\n");
}

// ---- the property: generated files, random edits -------------------------------------

std::string random_line(std::mt19937& random) {
    static const std::vector<std::string> parts{"MoneyColor=1 2 3",
                                                "ZoneColor=4 5 6",
                                                "CounterColor=9 9 9 9",
                                                "; comment",
                                                "# c",
                                                "[HUD]",
                                                "  MoneyTextStyle = 2",
                                                "AllWeaponsCursorSize=0.5",
                                                "junk",
                                                "=",
                                                "moneycolor=1",
                                                "RadarColour=7",
                                                "\0"s,
                                                "\x1A",
                                                "\r",
                                                "\t",
                                                "\xEF\xBB\xBF",
                                                "\xE9t\xE9",
                                                "WastedBusted=1 1"};
    const auto some_parts = [&] {
        std::string text;
        for (int i = std::uniform_int_distribution(0, 2)(random); i >= 0; --i)
            text += parts[std::uniform_int_distribution<std::size_t>(0, parts.size() - 1)(random)];
        return text;
    };
    std::string line = some_parts();
    // lines past 255 bytes, cut by the reader at any place
    if (std::uniform_int_distribution(0, 5)(random) == 0)
        line += std::string(std::uniform_int_distribution(200, 300)(random), ' ') + some_parts();
    const int end = std::uniform_int_distribution(0, 3)(random);
    return line + (end == 0 ? "\r\n" : end == 1 ? "\n" : end == 2 ? "\r" : "");
}

// A value as the page writes it, and the numbers the plugin must read from it.
struct Value {
    std::string text;
    std::vector<double> numbers;
};

Value random_value(std::mt19937& random, hud::SettingKind kind) {
    const auto number = [&] { return std::uniform_int_distribution(0, 255)(random); };
    if (kind == hud::SettingKind::Float) {
        const int tenths = number() * 10 + number() % 10;
        return {std::to_string(tenths / 10) + "." + std::to_string(tenths % 10),
                {double(float(tenths / 10.0))}};
    }
    const int count = kind == hud::SettingKind::Rgba ? 4 : kind == hud::SettingKind::Rgb ? 3 : 1;
    Value value;
    for (int i = 0; i < count; ++i) {
        const int n = number();
        value.text += i ? " " : "";
        value.text += std::to_string(n);
        value.numbers.push_back(n);
    }
    return value;
}

TEST(IniEditProperty, AnEditChangesItsLineAndThePluginReadsTheNewValue) {
    std::mt19937 random(17);
    int edits = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string file;
        for (int i = std::uniform_int_distribution(0, 6)(random); i > 0; --i)
            file += random_line(random);
        if (editor::encoding_of(file) != editor::Encoding::eight_bit) continue;
        const std::size_t row = std::uniform_int_distribution<std::size_t>(0, 33)(random);
        const Value value = random_value(random, hud::hud_setting_table[row].kind);
        const auto report = checker::check_settings_bytes(file);
        EXPECT_STREQ(edit_properties::edit_broken(file, report, row, value.text, value.numbers),
                     nullptr)
            << testing::PrintToString(file) << " " << value.text;
        EXPECT_STREQ(edit_properties::fix_broken(file, report), nullptr)
            << testing::PrintToString(file);
        EXPECT_STREQ(edit_properties::reset_broken(file), nullptr) << testing::PrintToString(file);
        ++edits;
    }
    EXPECT_GT(edits, 2000);
}

} // namespace
