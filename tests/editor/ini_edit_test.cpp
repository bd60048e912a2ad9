// Edits of a player's ini: only the edited line changes, and the file comes out as
// Notepad saves it (CRLF, no byte-order mark).

#include "ini_edit.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Edit {
    std::string before, key, value, after;
};

TEST(IniEdit, SetsTheLineThePluginReadsAndKeepsTheRest) {
    const std::vector<Edit> edits{
        // the last of two lines is the one the plugin reads
        {"; mine\r\nMoneyColor=1 1 1\r\nX=y\r\nMoneyColor=2 2 2\r\n", "MoneyColor", "9 9 9",
         "; mine\r\nMoneyColor=1 1 1\r\nX=y\r\nMoneyColor=9 9 9\r\n"},
        // a missing key is appended; LF lines become CRLF, the mark goes
        {"\xEF\xBB\xBF# c\nA=1", "ZoneTextStyle", "3", "# c\r\nA=1\r\nZoneTextStyle=3\r\n"},
        // the mark no longer hides the first line's key
        {"\xEF\xBB\xBFMoneyColor=1 2 3\r\n", "MoneyColor", "4 5 6", "MoneyColor=4 5 6\r\n"},
        // keys are exact: another case is another key
        {"moneycolor=1 2 3\r\n", "MoneyColor", "4 5 6", "moneycolor=1 2 3\r\nMoneyColor=4 5 6\r\n"},
        // appended before a Ctrl-Z, after which the plugin reads nothing
        {"A=1\r\n\x1A\r\n", "MoneyColor", "1 2 3", "A=1\r\nMoneyColor=1 2 3\r\n\x1A\r\n"},
        // a key after a Ctrl-Z is not the plugin's: a new line before it
        {"\x1AMoneyColor=1 2 3\r\n", "MoneyColor", "7 7 7",
         "MoneyColor=7 7 7\r\n\x1AMoneyColor=1 2 3\r\n"},
        {"", "MoneyColor", "1 2 3", "MoneyColor=1 2 3\r\n"},
    };
    for (const auto& edit : edits)
        EXPECT_EQ(editor::set_value(edit.before, edit.key, edit.value), edit.after) << edit.before;
}

TEST(IniEdit, ReplacesALineAndResetsEverySetting) {
    EXPECT_EQ(editor::replace_line("a\r\nMoneyColor=#FF0000\r\nb", 2, "MoneyColor=255 0 0"),
              "a\r\nMoneyColor=255 0 0\r\nb");
    EXPECT_EQ(editor::replace_line("a\r\n", 5, "x"), "a\r\n"); // no such line
    EXPECT_EQ(editor::reset_all("; c\r\nMoneyColor=1 2 3\r\nOther=1\r\nAllWeaponsCursorSize=9\r\n"),
              "; c\r\nMoneyColor=0 207 133\r\nOther=1\r\nAllWeaponsCursorSize=32.0\r\n");
    const std::string fresh = editor::new_file();
    EXPECT_EQ(fresh.find("\n"), fresh.find("\r\n") + 1);
    EXPECT_NE(fresh.find("MoneyColor=0 207 133\r\n"), std::string::npos);
}

} // namespace
