#pragma once
// What must hold of every edit of a file, checked by the unit tests over generated
// files and by the fuzz target over any bytes: the edit changes the edited setting's
// line only (or appends one line), the plugin reads the new value for that key and
// every other setting as before; Reset all leaves every setting at its default; and
// the fixes, all applied, mend every error that has one and give the values they name.

#include "config/settings_file.hpp"
#include "edit/apply_fixes.hpp"
#include "edit/ini_edit.hpp"
#include "edit/reader_lines.hpp"
#include "hud/hud_setting_table.hpp"
#include "ini_rules/ini_check.hpp"
#include "ini_rules/value_findings.hpp"

#include <algorithm>
#include <string>
#include <vector>

namespace edit_properties {

// The bytes that changed lie within the line at `line_start` (the edited setting's; it
// may come out as several, where the reader cut it into pieces that must read as
// before), or are one new line with the end the line before it lacked.
inline bool one_line_changed(const std::string& before, const std::string& after,
                             std::size_t line_start) {
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const std::string removed = before.substr(prefix, before.size() - suffix - prefix);
    const std::string added = after.substr(prefix, after.size() - suffix - prefix);
    const auto feeds = [](const std::string& text) {
        return std::count(text.begin(), text.end(), '\n');
    };
    if (removed.empty()) return feeds(added) <= 2;
    const std::size_t from = std::min(prefix, line_start);
    const std::size_t to = std::max(before.size() - suffix, line_start);
    return feeds(removed) == 0 && before.substr(from, to - from).find('\n') == std::string::npos;
}

// nullptr when setting `row` to `value` (the page's form of it, which the plugin reads
// as `numbers`) keeps every promise; else the promise it broke. `before`: the file's
// report.
inline const char* edit_broken(const std::string& file, const checker::CheckReport& before,
                               std::size_t row, const std::string& value,
                               const std::vector<double>& numbers) {
    const char* key = hud::hud_setting_table[row].key;
    const std::string after = editor::set_value(file, key, value);
    const auto report = checker::check_settings_bytes(after);
    if (report.settings[row].parsed != numbers) return "the plugin does not read the new value";
    for (std::size_t other = 0; other < report.settings.size(); ++other)
        if (other != row && report.settings[other].parsed != before.settings[other].parsed)
            return "another setting changed";
    const auto lines = editor::reader_lines(file);
    const auto* piece = editor::winning_piece(lines, key);
    if (!one_line_changed(file, after, piece ? piece->start : file.size()))
        return "more than the setting's line changed";
    return nullptr;
}

// After Reset all, every setting reads as with no file at all.
inline const char* reset_broken(const std::string& file) {
    const auto defaults = checker::check_no_file();
    const auto report = checker::check_settings_bytes(editor::reset_all(file));
    for (std::size_t row = 0; row < report.settings.size(); ++row)
        if (report.settings[row].parsed != defaults.settings[row].parsed)
            return "a setting not at its default after Reset all";
    return nullptr;
}

inline std::vector<checker::Fix> fixes_of(const checker::CheckReport& report) {
    std::vector<checker::Fix> fixes;
    for (const auto& finding : report.findings)
        if (finding.fix) fixes.push_back(*finding.fix);
    return fixes;
}

// A fix that changes how the whole file is read reveals lines the checker could not judge
// before; the fixes of the new report follow it. Some rounds end it.
inline constexpr int fix_rounds = 4;

// nullptr when the fixes of `file` (`report`: its report), all applied, leave no error
// that has a fix, and in their first round give each key the value its last fix writes;
// else the promise broken.
inline const char* fix_broken(const std::string& file, checker::CheckReport report) {
    std::string fixed = editor::apply_fixes(file, fixes_of(report));
    const auto first = checker::check_settings_bytes(fixed);
    // The value each replacing fix writes is what the plugin then reads of its key.
    for (std::size_t row = 0; row < hud::hud_setting_table.size(); ++row) {
        const std::string key = hud::hud_setting_table[row].key;
        const checker::Fix* last = nullptr;
        bool whole_file = false;
        for (const auto& finding : report.findings) {
            if (!finding.fix) continue;
            const auto action = finding.fix->action;
            whole_file = whole_file || action == checker::FixAction::line_ends ||
                         action == checker::FixAction::remove_ctrl_z ||
                         action == checker::FixAction::convert;
            if (action == checker::FixAction::replace_line &&
                finding.fix->text.rfind(key + "=", 0) == 0 &&
                (!last || finding.fix->line > last->line))
                last = &*finding.fix;
        }
        if (!last || whole_file || first.settings[row].line == 0) continue;
        const auto meant = checker::parsed_components(
            hud::hud_setting_table[row], config::SettingsFile::from_text(last->text + "\n"));
        if (first.settings[row].parsed != meant)
            return "a fixed key does not read as its fix writes it";
    }
    report = first;
    for (int round = 1; round < fix_rounds; ++round) {
        const auto fixes = fixes_of(report);
        if (fixes.empty()) break;
        fixed = editor::apply_fixes(fixed, fixes);
        report = checker::check_settings_bytes(fixed);
    }
    for (const auto& finding : report.findings)
        if (finding.severity == checker::Severity::error && finding.fix)
            return "an error with a fix is left after every fix is applied";
    return nullptr;
}

} // namespace edit_properties
