#include "ini_rules/line_scan.hpp"

#include "common/byte_order_mark.hpp"
#include "common/printable.hpp"
#include "common/trimmed.hpp"
#include "config/settings_file.hpp"
#include "hud/hud_setting_table.hpp"
#include "ini_rules/key_suggestion.hpp"

#include <cstring>
#include <optional>

namespace checker {
namespace {

// "MoneyColor 255 0 0": the line with its "=", when it starts with a key.
std::string without_equals(std::string_view words) {
    const std::size_t blank = words.find_first_of(" \t:");
    const std::string_view first = words.substr(0, blank);
    const auto key =
        is_table_key(first) ? std::optional<KeySuggestion>{{first, ""}} : nearest_table_key(first);
    if (!key || blank == std::string_view::npos) return "write Key=value";
    std::string_view value = words.substr(blank);
    while (!value.empty() &&
           (value.front() == ' ' || value.front() == '\t' || value.front() == ':'))
        value.remove_prefix(1);
    // A value with control or non-ASCII bytes is no value to paste.
    if (printable(value) != value) return "write " + std::string{key->key} + "=value";
    return "write " + std::string{key->key} + "=" + std::string{value};
}

// A line the reader keeps no setting of: a section header, a comment or no "=".
void note_line_without_setting(std::string_view piece, int line, LineScan& scan) {
    std::string_view words = trimmed(piece);
    if (line == 1 && starts_with_byte_order_mark(words))
        words = trimmed(words.substr(byte_order_mark.size()));
    if (!words.empty() && words.front() == '[')
        scan.findings.push_back({line, "section header " + quoted(words),
                                 "sections mean nothing to the plugin; the line is ignored"});
    else if (!words.empty() && words.front() != '#' && words.front() != ';')
        scan.findings.push_back({line, "no \"=\" on this line", without_equals(words)});
}

} // namespace

bool is_table_key(std::string_view key) {
    for (const auto& row : hud::hud_setting_table)
        if (key == row.key) return true;
    return false;
}

bool is_table_key_after_mark(std::string_view key, const std::vector<int>& lines) {
    return !lines.empty() && lines.front() == 1 && starts_with_byte_order_mark(key) &&
           is_table_key(key.substr(byte_order_mark.size()));
}

LineScan scan_lines(std::string_view text) {
    LineScan scan;
    int line = 1;
    bool continuation = false;
    config::for_each_settings_piece(text, [&](const char* piece, const auto& entry) {
        const std::size_t length = std::strlen(piece);
        const bool ends_line = length > 0 && piece[length - 1] == '\n';
        const bool cut = !ends_line && length == config::line_buffer_size - 1;
        if (cut && !continuation)
            scan.findings.push_back({line, "line longer than 255 bytes",
                                     "the plugin reads 255 bytes at a time; the rest of this line "
                                     "is read as a line of its own"});
        if (entry) {
            scan.occurrences[std::string{entry->key}].push_back(line);
            scan.values[std::string{entry->key}] = entry->value;
        } else if (!continuation) {
            note_line_without_setting(piece, line, scan);
        }
        continuation = cut;
        if (ends_line) ++line;
    });
    return scan;
}

} // namespace checker
