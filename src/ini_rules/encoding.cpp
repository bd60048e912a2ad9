#include "ini_rules/encoding.hpp"

#include "common/byte_order_mark.hpp"
#include "config/settings_file.hpp"
#include "ini_rules/line_scan.hpp"
#include "ini_rules/text_mode.hpp"

#include <algorithm>

namespace checker {
namespace {

// The part of a file looked at to tell UTF-16 text: far more than its first line.
constexpr std::size_t sample_bytes = 256;
// The part read as the plugin reads it for a setting: any real ini has one in it.
constexpr std::size_t setting_search_bytes = 64 * 1024;

bool plain_character(unsigned char c) {
    return c == '\t' || c == '\n' || c == '\r' || c >= 0x20;
}

// Code units of which one byte is NUL and the other a character, the NUL at `nul`
// (1 for little-endian ASCII, 0 for big-endian), in at least 3 of every 4 units, and
// in the first one.
bool looks_like_utf16_text(std::string_view bytes, int nul) {
    const std::size_t sample = std::min(bytes.size(), sample_bytes) & ~std::size_t{1};
    if (sample < 8) return false;
    std::size_t matching = 0;
    for (std::size_t at = 0; at < sample; at += 2) {
        const auto zero = static_cast<unsigned char>(bytes[at + nul]);
        const auto other = static_cast<unsigned char>(bytes[at + 1 - nul]);
        const bool unit = zero == 0 && other != 0 && plain_character(other);
        if (at == 0 && !unit) return false;
        matching += unit;
    }
    return matching * 4 >= (sample / 2) * 3;
}

bool plugin_reads_a_setting(std::string_view bytes) {
    const std::string text = windows_text_mode(bytes.substr(0, setting_search_bytes));
    const LineScan scan = scan_lines(text);
    return std::any_of(scan.occurrences.begin(), scan.occurrences.end(),
                       [](const auto& key) { return is_table_key(key.first); });
}

} // namespace

Encoding detect_encoding(std::string_view bytes) {
    if (bytes.substr(0, 2) == "\xFF\xFE") return Encoding::utf16_le;
    if (bytes.substr(0, 2) == "\xFE\xFF") return Encoding::utf16_be;
    const bool le = looks_like_utf16_text(bytes, 1), be = !le && looks_like_utf16_text(bytes, 0);
    if ((le || be) && !plugin_reads_a_setting(bytes))
        return le ? Encoding::utf16_le : Encoding::utf16_be;
    if (starts_with_byte_order_mark(bytes)) return Encoding::utf8_with_mark;
    return Encoding::eight_bit;
}

std::string_view encoding_id(std::string_view bytes) {
    switch (detect_encoding(bytes)) {
    case Encoding::utf16_le:
        return "utf-16le";
    case Encoding::utf16_be:
        return "utf-16be";
    case Encoding::utf8_with_mark:
        return "utf-8-bom";
    case Encoding::eight_bit:
        break;
    }
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; }))
        return "ascii";
    return valid_utf8(bytes) ? "utf-8" : "ansi";
}

bool valid_utf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const int length = lead < 0x80                   ? 1
                           : lead >= 0xC2 && lead < 0xE0 ? 2
                           : lead >= 0xE0 && lead < 0xF0 ? 3
                           : lead >= 0xF0 && lead < 0xF5 ? 4
                                                         : 0;
        if (length == 0 || at + length > text.size()) return false;
        std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (int i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            if ((next & 0xC0) != 0x80) return false;
            code = code << 6 | (next & 0x3F);
        }
        const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
            return false;
        at += length;
    }
    return true;
}

} // namespace checker
