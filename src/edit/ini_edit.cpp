#include "edit/ini_edit.hpp"

#include "common/byte_order_mark.hpp"
#include "config/settings_file.hpp"
#include "edit/piece_edits.hpp"
#include "edit/text_encoding.hpp"
#include "hud/hud_setting_table.hpp"
#include "ini_rules/pass_extent.hpp"
#include "ini_rules/template_ini.hpp"
#include "ini_rules/text_mode.hpp"
#include "ini_rules/value_findings.hpp"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace editor {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// The entries the reader stores, but those of the table's keys in `left_out`.
Entries entries_except(const ReaderLines& lines, const std::vector<bool>& left_out) {
    Entries out;
    for (const auto& piece : lines.pieces) {
        const auto row = piece.key ? hud::find_row(*piece.key) : std::nullopt;
        if (piece.key && !(row && left_out[*row])) out.emplace_back(*piece.key, piece.value);
    }
    return out;
}

Entries entries_except(const ReaderLines& lines, std::string_view key) {
    Entries out;
    for (const auto& piece : lines.pieces)
        if (piece.key && *piece.key != key) out.emplace_back(*piece.key, piece.value);
    return out;
}

// What the plugin makes of `key` in `file`: its typed value, or the stored text of a
// key it does not use.
std::vector<double> reading(const config::SettingsFile& file, std::string_view key) {
    const auto row = hud::find_row(key);
    if (!row) {
        const auto value = file.find(key);
        return value ? std::vector<double>(value->begin(), value->end()) : std::vector<double>{};
    }
    return checker::parsed_components(hud::hud_setting_table[*row], file);
}

// The store of what the plugin's pass reads of `bytes`, its bound included.
config::SettingsFile plugin_store(std::string_view bytes) {
    const checker::PluginText read = checker::plugin_text(bytes, 0);
    return config::SettingsFile::from_text(
        std::string_view{read.text}.substr(0, read.extent.bytes));
}

std::vector<double> reading_of(std::string_view bytes, std::string_view key) {
    return reading(plugin_store(bytes), key);
}

bool blank_line(std::string_view bytes, const ReaderPiece& piece) {
    const std::string_view text = bytes.substr(piece.start, piece.end - piece.start);
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos && text.ends_with('\n');
}

// Where a key the file does not set goes, for the plugin to read it: a new line after the
// last one it reads. A file longer than the pass reads has no room there: the key takes
// the place of a blank line the pass reads, or comes first, which moves the last line
// the pass reads out of its reach (and is kept only where that costs nothing).
std::vector<Splice> new_line_places(std::string_view bytes, const ReaderLines& lines,
                                    std::string_view entry) {
    if (!lines.beyond_bound) return {appended_line(bytes, lines, entry)};
    std::vector<Splice> places;
    for (const ReaderPiece& piece : lines.pieces)
        if (blank_line(bytes, piece)) {
            const std::size_t end =
                bytes.substr(0, piece.end).ends_with("\r\n") ? piece.end - 2 : piece.end - 1;
            places.push_back({piece.start, end - piece.start, std::string{entry}});
            break;
        }
    const std::size_t first = starts_with_byte_order_mark(bytes) ? byte_order_mark.size() : 0;
    places.push_back({first, 0, std::string{entry} + std::string{line_end_of(bytes)}});
    return places;
}

} // namespace

Splice value_splice(std::string_view bytes, std::string_view key, std::string_view value) {
    const std::string entry = std::string{key} + "=" + std::string{value};
    const ReaderLines lines = reader_lines(bytes);
    const ReaderPiece* piece = winning_piece(lines, key);
    const std::vector<Splice> candidates =
        piece ? replacements(bytes, lines, *piece, entry) : new_line_places(bytes, lines, entry);
    const std::vector<double> wanted = reading_of(entry + "\n", key);
    const Entries others = entries_except(lines, key);
    for (const auto& candidate : candidates) {
        const std::string after = applied(bytes, candidate);
        if (reading_of(after, key) == wanted && entries_except(reader_lines(after), key) == others)
            return candidate;
    }
    // Past the pass's bound, a place the plugin reads but which would cost another setting
    // is no place: nothing changes, and the checker says why.
    if (lines.beyond_bound) return {};
    return candidates.back();
}

std::string set_value(std::string_view bytes, std::string_view key, std::string_view value) {
    return applied(bytes, value_splice(bytes, key, value));
}

namespace {

// Every set key's line made its default at once (from the end, so the places found stay
// right), when that reads as it must: each of them the default, everything else as before.
std::optional<std::string> reset_at_once(std::string_view bytes) {
    const ReaderLines lines = reader_lines(bytes);
    std::vector<bool> reset(hud::hud_setting_table.size(), false);
    std::vector<std::pair<const ReaderPiece*, std::size_t>> places;
    for (std::size_t row = 0; row < reset.size(); ++row)
        if (const ReaderPiece* piece = winning_piece(lines, hud::hud_setting_table[row].key)) {
            places.emplace_back(piece, row);
            reset[row] = true;
        }
    std::sort(places.begin(), places.end(),
              [](const auto& a, const auto& b) { return a.first->start > b.first->start; });
    std::string out{bytes};
    for (const auto& [piece, row] : places) {
        const std::string entry =
            std::string{hud::hud_setting_table[row].key} + "=" + checker::default_text(row);
        out = applied(out, replacements(bytes, lines, *piece, entry).front());
    }
    const auto file = plugin_store(out);
    for (const auto& [piece, row] : places) {
        const char* key = hud::hud_setting_table[row].key;
        if (reading(file, key) !=
            reading_of(std::string{key} + "=" + checker::default_text(row) + "\n", key))
            return std::nullopt;
    }
    if (entries_except(reader_lines(out), reset) != entries_except(lines, reset))
        return std::nullopt;
    return out;
}

} // namespace

std::string reset_all(std::string_view bytes) {
    if (auto out = reset_at_once(bytes)) return *out;
    // One by one, each edit checked as any other.
    std::string out{bytes};
    for (std::size_t row = 0; row < hud::hud_setting_table.size(); ++row) {
        const char* key = hud::hud_setting_table[row].key;
        const ReaderLines lines = reader_lines(out);
        if (winning_piece(lines, key)) out = set_value(out, key, checker::default_text(row));
    }
    return out;
}

std::string new_file() {
    return with_crlf(checker::template_ini());
}

} // namespace editor
