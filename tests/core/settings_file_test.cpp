#include "config/settings_file.hpp"
#include "config/settings_path.hpp"
#include "support/temp_files.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using config::SettingsFile;

class SettingsFileTest : public ::testing::Test {
protected:
    SettingsFile read(std::string_view bytes) {
        const auto path = dir.write("Tessivar.VC.ini", bytes).string();
        return SettingsFile{path.c_str()};
    }
    std::string value(const SettingsFile& file, std::string_view key) {
        const auto found = file.find(key);
        return found ? std::string{*found} : std::string{"<absent>"};
    }
    test_support::TempDir dir;
};

TEST_F(SettingsFileTest, TrimsBlanksAroundKeyAndValue) {
    const auto file = read("  MoneyColor =  255 0 0 \r\n\tTimeColor\t=\t1 2 3\t\n");
    EXPECT_EQ(value(file, "MoneyColor"), "255 0 0");
    EXPECT_EQ(value(file, "TimeColor"), "1 2 3");
    EXPECT_EQ(file.size(), 2u);
}

TEST_F(SettingsFileTest, CommentsBlankLinesAndLinesWithoutEqualsStoreNothing) {
    const auto file = read("# MoneyColor=1 2 3\n   ; MoneyColor=1 2 3\n\n   \t \nMoneyColor\n"
                           "[HUD]\n");
    EXPECT_EQ(file.size(), 0u);
}

TEST_F(SettingsFileTest, KeyEndsAtFirstEqualsAndEmptyPartsAreLegal) {
    const auto file = read("=5\nKey=a=b\nEmpty=\nBlank=   \n");
    EXPECT_EQ(value(file, ""), "5");
    EXPECT_EQ(value(file, "Key"), "a=b");
    EXPECT_EQ(value(file, "Empty"), "");
    EXPECT_EQ(value(file, "Blank"), "");
}

TEST_F(SettingsFileTest, KeysAreExactInnerBlanksAndCaseIncluded) {
    const auto file = read("Money Color=1\nmoneycolor=1 2 3\n");
    EXPECT_EQ(value(file, "Money Color"), "1");
    EXPECT_EQ(value(file, "MoneyColor"), "<absent>");
    EXPECT_EQ(value(file, "moneycolor"), "1 2 3");
}

TEST_F(SettingsFileTest, NoInlineCommentsAndNoQuoting) {
    const auto file = read("MoneyColor=255 0 0 ; red\nName=\"quoted\"\n");
    EXPECT_EQ(value(file, "MoneyColor"), "255 0 0 ; red");
    EXPECT_EQ(value(file, "Name"), "\"quoted\"");
}

TEST_F(SettingsFileTest, LastOccurrenceWinsAndLastLineNeedsNoNewline) {
    const auto file = read("MoneyColor=1 1 1\nMoneyColor=2 2 2\nTimeColor=9 9 9");
    EXPECT_EQ(value(file, "MoneyColor"), "2 2 2");
    EXPECT_EQ(value(file, "TimeColor"), "9 9 9");
}

TEST_F(SettingsFileTest, LongLinesArriveIn255BytePieces) {
    // 300 characters: the first piece ends the value; the 45-byte rest is a line of
    // its own and becomes an entry only if it holds an "=".
    const std::string first = "Long=" + std::string(250, 'a');
    const auto cut = read(first + std::string(40, 'b') + "X=yz\n");
    EXPECT_EQ(value(cut, "Long"), std::string(250, 'a'));
    EXPECT_EQ(value(cut, std::string(40, 'b') + "X"), "yz");
    EXPECT_EQ(cut.size(), 2u);

    const auto plain = read(first + std::string(45, 'b') + "\nNext=1\n");
    EXPECT_EQ(plain.size(), 2u);
    EXPECT_EQ(value(plain, "Next"), "1");

    // Exactly 255 bytes before the line feed: the lone line feed is an empty line.
    const auto exact = read("K=" + std::string(253, 'v') + "\nNext=2\n");
    EXPECT_EQ(value(exact, "K"), std::string(253, 'v'));
    EXPECT_EQ(value(exact, "Next"), "2");
}

TEST_F(SettingsFileTest, CarriageReturnsAloneMakeOneLongLine) {
    const auto file = read("A=1\rB=2\rC=3\r");
    EXPECT_EQ(file.size(), 1u);
    EXPECT_EQ(value(file, "A"), "1\rB=2\rC=3");
}

TEST_F(SettingsFileTest, ByteOrderMarkBecomesPartOfTheFirstKey) {
    const auto file = read("\xEF\xBB\xBFMoneyColor=1 2 3\nTimeColor=4 5 6\n");
    EXPECT_EQ(value(file, "MoneyColor"), "<absent>");
    EXPECT_EQ(value(file, "\xEF\xBB\xBFMoneyColor"), "1 2 3");
    EXPECT_EQ(value(file, "TimeColor"), "4 5 6");

    const auto comment = read("\xEF\xBB\xBF# not=a comment\n");
    EXPECT_EQ(value(comment, "\xEF\xBB\xBF# not"), "a comment");
}

TEST_F(SettingsFileTest, MissingEmptyAndUnnamedFilesGiveAnEmptyStore) {
    EXPECT_EQ(read("").size(), 0u);
    EXPECT_EQ(SettingsFile{(dir.path() / "absent.ini").string().c_str()}.size(), 0u);
    EXPECT_EQ(SettingsFile{""}.size(), 0u);
    EXPECT_EQ(SettingsFile{nullptr}.size(), 0u);
    EXPECT_EQ(SettingsFile{dir.path().string().c_str()}.size(), 0u); // a folder
}

TEST_F(SettingsFileTest, DefaultConstructionReadsSettingsPath) {
    const auto path = dir.write("x.ini", "MoneyColor=1 2 3\n").string();
    ASSERT_LT(path.size(), config::settings_path.size());
    std::copy(path.begin(), path.end(), config::settings_path.begin());
    config::settings_path[path.size()] = '\0';
    EXPECT_EQ(value(SettingsFile{}, "MoneyColor"), "1 2 3");
    config::settings_path[0] = '\0';
    EXPECT_EQ(SettingsFile{}.size(), 0u);
}

} // namespace
