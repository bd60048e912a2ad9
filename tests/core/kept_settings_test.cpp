// The pass's own store: only the table's keys, in fixed storage, from the first pieces
// of the file. For those keys it must say what the full store says.

#include "config/settings_file.hpp"
#include "hud/hud_setting_table.hpp"
#include "support/temp_files.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::literals;

using TableSettings = config::KeptSettings<hud::hud_setting_count>;

TableSettings table_store() {
    return TableSettings{hud::hud_setting_keys};
}

TEST(KeptSettings, AgreesWithTheFullStoreOnEveryTableKey) {
    const std::string_view texts[] = {
        "  MoneyColor =  255 0 0 \r\n\tTimeColor\t=\t1 2 3\t\n",
        "MoneyColor=1 2 3\nOther=4\nMoneyColor=7 8 9\n",     // the last one wins
        "\xEF\xBB\xBFMessagebox=1 2 3\nMessagebox2=4 5 6\n", // a byte-order mark
        "# ZoneColor=1 2 3\n; ZoneColor=1\nZoneColor\n[HUD]\nZoneColor=\n",
        "MoneyColor=1\0"
        "2 3\nZoneColor=4 5 6\n"sv,                   // a NUL ends its piece
        "TimerColor=1 2 3 4\rCounterColor=5 6 7 8\r", // carriage returns only
        "Money Color=1\nmoneycolor=2\nMoneyColor=3\n",
    };
    for (const std::string_view text : texts) {
        auto kept = table_store();
        kept.read_text(text);
        const auto full = config::SettingsFile::from_text(text);
        for (const auto& row : hud::hud_setting_table)
            EXPECT_EQ(kept.find(row.key), full.find(row.key)) << row.key << " in " << text;
    }
}

TEST(KeptSettings, ALongLineIsReadInPiecesAsTheFullStoreReadsIt) {
    const std::string text = "ZoneColor=1 " + std::string(300, '2') + "MoneyColor=5 6 7\n";
    auto kept = table_store();
    kept.read_text(text);
    EXPECT_EQ(kept.find("ZoneColor")->size(), 245u); // cut where its piece ends
    EXPECT_EQ(kept.find("ZoneColor"), config::SettingsFile::from_text(text).find("ZoneColor"));
}

TEST(KeptSettings, PiecesPastTheLimitAreNotRead) {
    std::string text;
    for (int n = 1; n < config::pass_piece_limit; ++n)
        text += "x\n";
    text += "MoneyColor=1 2 3\nZoneColor=4 5 6\n";
    auto kept = table_store();
    kept.read_text(text);
    EXPECT_EQ(kept.find("MoneyColor"), "1 2 3"); // piece 10 000
    EXPECT_EQ(kept.find("ZoneColor"), std::nullopt);
    EXPECT_EQ(kept.get_rgb("ZoneColor", 45, 155, 90).red, 45);
}

TEST(KeptSettings, ReadsAFileAndNothingWithoutOne) {
    const test_support::TempDir dir;
    const auto path = dir.write("Tessivar.VC.ini", "MoneyColor=1 2 3\nMoneyColor=4 5 6\n");
    auto kept = table_store();
    kept.read_file(path.string().c_str());
    EXPECT_EQ(kept.get_rgb("MoneyColor", 0, 0, 0).red, 4);
    for (const char* nothing : {"", static_cast<const char*>(nullptr)}) {
        auto empty = table_store();
        empty.read_file(nothing);
        EXPECT_EQ(empty.find("MoneyColor"), std::nullopt);
    }
}

// The plugin has always opened the file in text mode: CR LF ends a line everywhere, and
// on Windows a Ctrl-Z ends the file. A key with an empty value is present all the same.
TEST(KeptSettings, ReadsTheFileInTextModeAsTheFullStoreDoes) {
    const test_support::TempDir dir;
    const auto path = dir.write("Tessivar.VC.ini", "\xEF\xBB\xBFMessagebox=1 2 3\r\n"
                                                   "ZoneColor=4 5 6\r\nTimeColor=\r\n"
                                                   "\x1A\nZoneColor=7 8 9\r\n")
                          .string();
    auto kept = table_store();
    kept.read_file(path.c_str());
#ifdef _WIN32
    EXPECT_EQ(kept.find("ZoneColor"), "4 5 6");
#else
    EXPECT_EQ(kept.find("ZoneColor"), "7 8 9");
#endif
    EXPECT_EQ(kept.find("TimeColor"), "");
    EXPECT_EQ(kept.find("Messagebox"), std::nullopt); // the mark is part of its key
    const config::SettingsFile full{path.c_str()};
    for (const auto& row : hud::hud_setting_table)
        EXPECT_EQ(kept.find(row.key), full.find(row.key)) << row.key;
}

} // namespace
