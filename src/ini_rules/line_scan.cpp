#include "ini_rules/line_scan.hpp"

#include "common/byte_order_mark.hpp"
#include "common/printable.hpp"
#include "common/trimmed.hpp"
#include "config/settings_file.hpp"
#include "hud/hud_setting_table.hpp"
#include "ini_rules/key_suggestion.hpp"

#include <optional>

namespace checker {
namespace {

// "MoneyColor 255 0 0": the line with its "=", when it starts with a key.
Finding without_equals(std::string_view words, int line) {
    Finding finding = make_finding(Rule::no_equals, line, {});
    const std::size_t blank = words.find_first_of(" \t:");
    const std::string_view first = words.substr(0, blank);
    const auto key =
        is_table_key(first) ? std::optional<KeySuggestion>{{first, ""}} : nearest_table_key(first);
    if (!key || blank == std::string_view::npos) {
        finding.severity = Severity::warning;
        finding.advice = 2;
        return finding;
    }
    finding.key = key->key;
    finding.args.push_back(text_arg("key", key->key));
    std::string_view value = words.substr(blank);
    while (!value.empty() &&
           (value.front() == ' ' || value.front() == '\t' || value.front() == ':'))
        value.remove_prefix(1);
    // A value with control or non-ASCII bytes is no value to paste.
    if (printable(value) != value) {
        finding.advice = 1;
        return finding;
    }
    const std::string entry = std::string{key->key} + "=" + std::string{value};
    finding.args.push_back(text_arg("line", entry));
    finding.fix = line_fix(FixAction::replace_line, line, entry);
    return finding;
}

// A line the reader keeps no setting of: a section header, a comment or no "=".
void note_line_without_setting(std::string_view piece, int line, LineScan& scan) {
    std::string_view words = trimmed(piece);
    if (line == 1 && starts_with_byte_order_mark(words))
        words = trimmed(words.substr(byte_order_mark.size()));
    if (!words.empty() && words.front() == '[') {
        Finding finding =
            make_finding(Rule::section_header, line, {text_arg("text", std::string{words})});
        finding.fix = line_fix(FixAction::comment_line, line);
        scan.findings.push_back(std::move(finding));
    } else if (!words.empty() && words.front() != '#' && words.front() != ';') {
        scan.findings.push_back(without_equals(words, line));
    }
}

// A setting of the table's behind a carriage return alone: lost to the line before it.
bool hides_a_setting(std::string_view after) {
    const std::size_t equals = after.find('=');
    return equals != std::string_view::npos && is_table_key(trimmed(after.substr(0, equals)));
}

// Lines with a carriage return alone inside them, in a file that has line feeds too (one
// without any is one line to the plugin, said once for the file).
void note_lone_carriage_returns(std::string_view text, LineScan& scan) {
    const bool line_feeds = text.find('\n') != std::string_view::npos;
    int line = 1;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t feed = text.find('\n', at);
        const std::size_t end = feed == std::string_view::npos ? text.size() : feed;
        const std::string_view content = text.substr(at, end - at);
        // A CR at the end of a line, or of the file, only ends it.
        const std::size_t lone = content.find('\r');
        if (lone != std::string_view::npos && lone + 1 < content.size())
            scan.mixed_lines.insert(line);
        if (lone != std::string_view::npos && lone + 1 < content.size() && line_feeds) {
            Finding finding = make_finding(Rule::lone_carriage_return, line, {});
            if (!hides_a_setting(content.substr(lone + 1))) finding.severity = Severity::warning;
            finding.fix = file_fix(FixAction::line_ends);
            scan.findings.push_back(std::move(finding));
        }
        if (content.find('\0') != std::string_view::npos) scan.mixed_lines.insert(line);
        at = end + 1;
        ++line;
    }
}

} // namespace

bool is_table_key(std::string_view key) {
    return hud::find_row(key).has_value();
}

bool is_table_key_after_mark(std::string_view key, const std::vector<int>& lines) {
    return !lines.empty() && lines.front() == 1 && starts_with_byte_order_mark(key) &&
           is_table_key(key.substr(byte_order_mark.size()));
}

LineScan scan_lines(std::string_view text) {
    LineScan scan;
    int line = 1;
    bool continuation = false;
    std::string_view rest = text;
    char piece[config::line_buffer_size];
    // The reader's own cutting and parsing; lines are counted by the line feeds it takes,
    // whatever a NUL hides of a piece.
    while (config::cut_settings_piece(rest, piece)) {
        const std::size_t taken = text.size() - rest.size();
        const bool ends_line = text[taken - 1] == '\n';
        // Cut at 255 bytes with more of the line to come (a line feed alone is no more).
        const bool cut = !ends_line && !rest.empty() && rest.front() != '\n';
        if (cut && !continuation) {
            scan.findings.push_back(make_finding(Rule::long_line, line, {}));
            scan.mixed_lines.insert(line);
        }
        if (const auto entry = config::parse_settings_piece(piece)) {
            auto seen = scan.occurrences.find(entry->key);
            if (seen == scan.occurrences.end())
                seen = scan.occurrences.emplace(std::string{entry->key}, KeySeen{}).first;
            seen->second.lines.push_back(line);
            seen->second.value = entry->value;
        } else if (!continuation) {
            note_line_without_setting(piece, line, scan);
        }
        continuation = !ends_line;
        if (ends_line) ++line;
    }
    note_lone_carriage_returns(text, scan);
    return scan;
}

} // namespace checker
