// Colour codes and the ready palettes: every palette is a complete ini the checker
// passes, its code and its ini give back exactly what the plugin writes, and a damaged
// or foreign code is refused with a reason.

#include "colour/palettes.hpp"
#include "colour/share_code.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <string>
#include <vector>

namespace {

using checker::WrittenSettings;

WrittenSettings written(std::string_view ini) {
    return checker::written_settings(checker::check_settings_bytes(ini));
}

std::vector<std::string> palette_names() {
    std::vector<std::string> names;
    for (const auto& palette : checker::palette_files())
        names.push_back(checker::palette_title(palette.bytes).name);
    return names;
}

TEST(Palettes, AreCompleteNamedAndPassTheChecker) {
    EXPECT_EQ(palette_names(),
              (std::vector<std::string>{"Red-green safe", "Defaults", "High contrast",
                                        "Quiet monochrome", "Neon nights", "Sunset strip"}));
    for (const auto& palette : checker::palette_files()) {
        SCOPED_TRACE(std::string{palette.file_name});
        EXPECT_FALSE(checker::palette_title(palette.bytes).purpose.empty());
        const auto report = checker::check_settings_bytes(palette.bytes);
        EXPECT_TRUE(report.findings.empty());
        for (const auto& setting : report.settings)
            EXPECT_NE(setting.line, 0) << hud::hud_setting_table[setting.row].key;
    }
}

TEST(Palettes, TheDefaultsPaletteWritesWhatNoFileWrites) {
    const auto& defaults = checker::palette_files()[1];
    ASSERT_EQ(defaults.file_name, "defaults.ini");
    EXPECT_EQ(written(defaults.bytes), checker::written_settings(checker::check_no_file()));
}

// Odd files too: skipped components, an alpha, sizes whose bits must survive.
TEST(ShareCode, RoundTripsExactlyThroughCodeAndIni) {
    std::vector<std::string> inis;
    for (const auto& palette : checker::palette_files())
        inis.emplace_back(palette.bytes);
    inis.push_back("Messagebox=300 10 20\nTimeColor=1 2 3 -5\nZoneTextStyle=999\n"
                   "AllWeaponsCursorSize=1e-40\nRiflesCursorNoZoomSize=-0.0\n"
                   "OtherWeaponsCursorSize=0.1\nCounterColor=4 5 6 0\n");
    inis.push_back("RiflesCursorNoZoomSize=inf\nOtherWeaponsCursorSize=3.4e38\n"
                   "AllWeaponsCursorSize=nan\nMoneyColor=-1 256 7\n");
    inis.push_back("OtherWeaponsCursorSize=1e-10\n");
    for (const auto& ini : inis) {
        SCOPED_TRACE(ini.substr(0, 40));
        const WrittenSettings settings = written(ini);
        const std::string code = checker::share_code(settings);
        EXPECT_EQ(code.size(), checker::share_code_length);
        EXPECT_EQ(code.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                         "0123456789"),
                  std::string::npos);
        const auto reading = checker::read_share_code(code);
        ASSERT_TRUE(reading.settings) << reading.problem;
        EXPECT_EQ(*reading.settings, settings);
        const std::string made = checker::written_settings_ini(settings, "from a code");
        EXPECT_EQ(written(made), settings);
        // The note on -1 only where the plugin leaves a byte.
        bool skipped = false;
        for (const auto& s : checker::check_settings_bytes(ini).settings)
            for (const auto& write : s.writes)
                skipped = skipped || !write;
        EXPECT_EQ(made.find("; -1: ") != std::string::npos, skipped);
    }
}

// Codes already posted must stay readable: the format of the defaults' code is pinned.
TEST(ShareCode, TheDefaultsCodeIsPinned) {
    EXPECT_EQ(checker::share_code(checker::written_settings(checker::check_no_file())),
              "TVC100001NZHjronUIlvWTC2lcvhI2umarmbo4qISDZoNaoiSBebu18nvGp0vbu1ZA3wYxRvJjMUbhzxx3"
              "QUOXeKWa9bAnCwg8mDxXWqR3h0GOed52x2oL1VolJPOmyhth9T4dA50j7hAYG2hGi7HBIrVlZNcxhS30");
}

TEST(ShareCode, AnyChangedCharacterIsRefusedAsDamaged) {
    const std::string code = checker::share_code(written(checker::palette_files()[2].bytes));
    const std::string_view alphabet =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    for (std::size_t at = checker::share_code_tag.size(); at < code.size(); ++at) {
        for (const std::size_t shift : {1u, 31u}) {
            std::string damaged = code;
            damaged[at] = alphabet[(alphabet.find(code[at]) + shift) % alphabet.size()];
            const auto reading = checker::read_share_code(damaged);
            EXPECT_FALSE(reading.settings) << at;
            EXPECT_NE(reading.problem.find("damaged"), std::string::npos) << reading.problem;
        }
    }
}

TEST(ShareCode, ForeignOrBrokenCodesSayWhy) {
    const std::string code = checker::share_code(written(""));
    struct Case {
        std::string pasted, reason;
    };
    const std::vector<Case> cases{
        {"", "no code"},
        {"  \r\n", "no code"},
        {"hello", "not a Tessivar colour code"},
        {"my code: " + code, "paste only the code"},
        {"TVCX" + code.substr(4), "not a Tessivar colour code"},
        {"TVC2" + code.substr(4), "another version of Tessivar (format 2)"},
        {code.substr(0, 100), "100 characters instead of 162: part of it is missing"},
        {code + "0", "163 characters instead of 162: something was added"},
        {code.substr(0, 50) + "-" + code.substr(51), "character 51 of the code is not a letter"},
        {code.substr(0, 50) + "\xC3\xA9" + code.substr(51), "character 51 of the code"},
        // past the largest number 158 digits of 117 bytes hold
        {"TVC1" + std::string(158, 'z'), "damaged"},
    };
    for (const auto& c : cases) {
        const auto reading = checker::read_share_code(c.pasted);
        EXPECT_FALSE(reading.settings) << c.reason;
        EXPECT_NE(reading.problem.find(c.reason), std::string::npos) << reading.problem;
    }
    // Line breaks and blanks a forum put in are not part of the code.
    std::string pasted = " ";
    pasted += code.substr(0, 80);
    pasted += "\r\n";
    pasted += code.substr(80);
    pasted += "\n";
    const auto wrapped = checker::read_share_code(pasted);
    EXPECT_TRUE(wrapped.settings) << wrapped.problem;
}

// The code's 117 bytes and back, by the format's own description, apart from the
// checker's code: base 62, most significant digit first; a CRC-32 of the tag and the rest,
// big-endian.
std::vector<std::uint8_t> bytes_of_code(std::string_view code) {
    const std::string_view alphabet =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    std::vector<std::uint8_t> bytes(117, 0);
    for (const char c : code.substr(4)) {
        unsigned carry = static_cast<unsigned>(alphabet.find(c));
        for (std::size_t i = bytes.size(); i-- > 0;) {
            carry += bytes[i] * 62u;
            bytes[i] = static_cast<std::uint8_t>(carry & 0xFF);
            carry >>= 8;
        }
    }
    return bytes;
}

std::string code_of_bytes(std::vector<std::uint8_t> bytes) {
    const std::string_view alphabet =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    std::uint32_t crc = 0xFFFFFFFFu;
    std::string tagged = "TVC1";
    tagged.append(bytes.begin(), bytes.end() - 4);
    for (const char c : tagged) {
        crc ^= static_cast<std::uint8_t>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    crc = ~crc;
    for (int b = 0; b < 4; ++b)
        bytes[113 + b] = static_cast<std::uint8_t>(crc >> (24 - 8 * b)); // big-endian
    std::string digits(158, '0');
    for (std::size_t place = digits.size(); place-- > 0;) {
        unsigned remainder = 0;
        for (auto& byte : bytes) {
            const unsigned value = remainder * 256 + byte;
            byte = static_cast<std::uint8_t>(value / 62);
            remainder = value % 62;
        }
        digits[place] = alphabet[remainder];
    }
    return "TVC1" + digits;
}

TEST(ShareCode, MarksPastTheTablesComponentsAreRefused) {
    const std::string code = checker::share_code(written(""));
    const auto bytes = bytes_of_code(code);
    ASSERT_EQ(code_of_bytes(bytes), code); // the encoding here is the format's
    // The mask's last byte: bit 0 marks the 89th component; bits 1 to 7 mark nothing.
    for (const int bit : {1, 7}) {
        auto marked = bytes;
        marked[89 + 12 + 11] |= static_cast<std::uint8_t>(1u << bit);
        const auto reading = checker::read_share_code(code_of_bytes(marked));
        EXPECT_FALSE(reading.settings) << bit;
        EXPECT_FALSE(reading.problem.empty());
    }
    auto last = bytes; // the 89th component not written: its mark, and 0 for its byte
    last[89 + 12 + 11] |= 1u;
    last[88] = 0;
    const auto reading = checker::read_share_code(code_of_bytes(last));
    ASSERT_TRUE(reading.settings) << reading.problem;
    EXPECT_FALSE((*reading.settings)[hud::hud_setting_count - 2].bytes[3]); // the last one
}

} // namespace
