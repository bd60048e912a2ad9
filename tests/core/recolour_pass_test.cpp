#include "config/settings_file.hpp"
#include "hud/apply_settings.hpp"
#include "hud/host_writer.hpp"
#include "hud/hud_setting_table.hpp"
#include "support/float_bits.hpp"
#include "support/temp_files.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

namespace {

using hud::RecordedWrite;
using Kind = RecordedWrite::Kind;

std::vector<RecordedWrite> pass_over(const config::SettingsFile& file) {
    hud::RecordingWriter writer;
    hud::apply_settings(file, writer);
    return writer.writes();
}

class RecolourPassTest : public ::testing::Test {
protected:
    std::vector<RecordedWrite> pass_with(std::string_view ini) {
        const auto path = dir.write("Tessivar.VC.ini", ini).string();
        return pass_over(config::SettingsFile{path.c_str()});
    }
    // The last byte written to `address`, or -1 when none was.
    static int byte_at(const std::vector<RecordedWrite>& writes, HostAddress address) {
        int found = -1;
        for (const auto& w : writes)
            if (w.address == address && w.kind == Kind::byte) found = w.byte;
        return found;
    }
    // The last real written to `address`, or NaN when none was.
    static float real_at(const std::vector<RecordedWrite>& writes, HostAddress address) {
        float found = std::nanf("");
        for (const auto& w : writes)
            if (w.address == address && w.kind == Kind::real) found = w.real;
        return found;
    }
    test_support::TempDir dir;
};

TEST(HudSettingTable, HasTheShapeTheHostLayoutNeeds) {
    std::map<hud::SettingKind, int> kinds;
    std::set<HostAddress> addresses;
    std::set<std::string_view> keys;
    int targets = 0;
    for (const auto& row : hud::hud_setting_table) {
        ++kinds[row.kind];
        keys.insert(row.key);
        for (int i = 0; i < hud::component_count(row.kind); ++i, ++targets) {
            EXPECT_NE(row.targets[i], 0u) << row.key;
            addresses.insert(row.targets[i]);
        }
        for (int i = hud::component_count(row.kind); i < 4; ++i)
            EXPECT_EQ(row.targets[i], 0u);
    }
    EXPECT_EQ(kinds[hud::SettingKind::Rgb], 11);
    EXPECT_EQ(kinds[hud::SettingKind::Rgba], 12);
    EXPECT_EQ(kinds[hud::SettingKind::Integer], 8);
    EXPECT_EQ(kinds[hud::SettingKind::Float], 3);
    EXPECT_EQ(targets, hud::hud_write_count);
    EXPECT_EQ(addresses.size(), 92u); // no address twice
    EXPECT_EQ(keys.size(), 34u);
}

TEST_F(RecolourPassTest, NoFileGivesThe92DefaultWritesInTableOrder) {
    const auto writes = pass_over(config::SettingsFile{nullptr});
    ASSERT_EQ(writes.size(), 92u);
    int bytes = 0;
    for (const auto& w : writes)
        bytes += w.kind == Kind::byte;
    EXPECT_EQ(bytes, 89);

    EXPECT_EQ(writes[0], (RecordedWrite{Kind::byte, 0x55b5e4, 0, 0.0f}));
    EXPECT_EQ(writes[1], (RecordedWrite{Kind::byte, 0x55b5e2, 0, 0.0f}));
    EXPECT_EQ(writes[2], (RecordedWrite{Kind::byte, 0x55b5e0, 0, 0.0f}));
    EXPECT_EQ(writes.back(), (RecordedWrite{Kind::real, 0x697b10, 0, 32.0f}));

    // The order is the table's, component by component.
    std::size_t next = 0;
    for (const auto& row : hud::hud_setting_table)
        for (int i = 0; i < hud::component_count(row.kind); ++i)
            EXPECT_EQ(writes[next++].address, row.targets[i]) << row.key;

    EXPECT_EQ(byte_at(writes, 0x559f82), 255); // TimeColor alpha
    EXPECT_EQ(byte_at(writes, 0x559918), 0);   // ZoneTextStyle
    EXPECT_EQ(byte_at(writes, 0x55879b), 1);   // BulletNumberTextStyle
    EXPECT_EQ(test_support::float_bits(real_at(writes, 0x697b14)), 0x3F19999Au);
    EXPECT_EQ(test_support::float_bits(real_at(writes, 0x697b1c)), 0x3ECCCCCDu);
    EXPECT_EQ(pass_with(""), writes); // an empty file is no file
}

TEST_F(RecolourPassTest, OutOfRangeComponentSkipsOnlyItsOwnByte) {
    const auto writes = pass_with("Messagebox=300 10 20\nMoneyTextStyle=-1\n");
    EXPECT_EQ(writes.size(), 90u);
    EXPECT_EQ(byte_at(writes, 0x55b5e4), -1);
    EXPECT_EQ(byte_at(writes, 0x55b5e2), 10);
    EXPECT_EQ(byte_at(writes, 0x55b5e0), 20);
    EXPECT_EQ(byte_at(writes, 0x55821d), -1);
    EXPECT_EQ(byte_at(pass_with("MoneyTextStyle=256\n"), 0x55821d), -1);
    EXPECT_EQ(byte_at(pass_with("MoneyTextStyle=255\n"), 0x55821d), 255);
    EXPECT_EQ(byte_at(pass_with("MoneyTextStyle=0\n"), 0x55821d), 0);
    EXPECT_EQ(byte_at(pass_with("MoneyTextStyle=99999999999\n"), 0x55821d), -1);
}

TEST_F(RecolourPassTest, RgbaAlphaIsOpaqueUnlessGiven) {
    const auto three = pass_with("TimeColor=10 20 30\n");
    EXPECT_EQ(byte_at(three, 0x559f91), 10);
    EXPECT_EQ(byte_at(three, 0x559f8c), 20);
    EXPECT_EQ(byte_at(three, 0x559f87), 30);
    EXPECT_EQ(byte_at(three, 0x559f82), 255);
    EXPECT_EQ(byte_at(pass_with("TimeColor=10 20 30 40\n"), 0x559f82), 40);
}

TEST_F(RecolourPassTest, MalformedValuesWriteWhatParses) {
    const auto commas = pass_with("WantedActiveColor=255,0,0\nZoneColor=45\n"
                                  "AllWeaponsCursorSize=big\nOtherWeaponsCursorSize=1e3\n");
    EXPECT_EQ(byte_at(commas, 0x5590ca), 255);
    EXPECT_EQ(byte_at(commas, 0x5590c5), 0);
    EXPECT_EQ(byte_at(commas, 0x5590c0), 0);
    EXPECT_EQ(byte_at(commas, 0x559954), 45);
    EXPECT_EQ(byte_at(commas, 0x55994f), 0);
    EXPECT_EQ(byte_at(commas, 0x55994d), 0);
    EXPECT_EQ(real_at(commas, 0x697b10), 0.0f);
    EXPECT_EQ(real_at(commas, 0x697b1c), 1000.0f);
    const auto empty = pass_with("WantedActiveColor=\n");
    EXPECT_EQ(byte_at(empty, 0x5590ca), 0);
    EXPECT_EQ(byte_at(empty, 0x5590c0), 0);
}

TEST_F(RecolourPassTest, KeysMatchOnlyInTheirOwnLetterCase) {
    const auto writes = pass_with("messagebox=9 9 9\nMESSAGEBOX2=9 9 9\n");
    EXPECT_EQ(writes, pass_over(config::SettingsFile{nullptr}));
}

TEST_F(RecolourPassTest, EveryKeyReachesItsOwnTargets) {
    // Give every row a distinct value and check each lands where its row says.
    std::string ini;
    for (std::size_t row = 0; row < hud::hud_setting_table.size(); ++row) {
        const auto& s = hud::hud_setting_table[row];
        const int v = static_cast<int>(row) + 1;
        ini += std::string{s.key} + "=";
        for (int i = 0; i < hud::component_count(s.kind); ++i)
            ini += std::to_string(v * 4 + i) + " ";
        ini += "\n";
    }
    const auto writes = pass_with(ini);
    ASSERT_EQ(writes.size(), 92u);
    for (std::size_t row = 0; row < hud::hud_setting_table.size(); ++row) {
        const auto& s = hud::hud_setting_table[row];
        const int v = static_cast<int>(row) + 1;
        if (s.kind == hud::SettingKind::Float) {
            EXPECT_EQ(real_at(writes, s.targets[0]), static_cast<float>(v * 4)) << s.key;
            continue;
        }
        for (int i = 0; i < hud::component_count(s.kind); ++i)
            EXPECT_EQ(byte_at(writes, s.targets[i]), v * 4 + i) << s.key;
    }
}

} // namespace
