#include "ini_rules/key_findings.hpp"

#include "common/printable.hpp"
#include "config/settings_file.hpp"
#include "hud/hud_setting_table.hpp"
#include "ini_rules/key_suggestion.hpp"
#include "ini_rules/template_ini.hpp"
#include "ini_rules/value_advice.hpp"
#include "ini_rules/value_findings.hpp"

#include <algorithm>
#include <string>

namespace checker {
namespace {

// The value to write under the right key: the one written when the plugin can use it
// there, the colour it evidently means, or else the key's default. Carrying an unusable
// value over would only trade one finding for another.
bool usable(const hud::HudSetting& setting, const std::string& value) {
    const auto file = config::SettingsFile::from_text(std::string{setting.key} + "=" + value);
    const auto parsed = parsed_components(setting, file);
    Findings advice;
    check_value(setting, value, 1, parsed, advice);
    if (!advice.empty()) return false;
    return setting.kind == hud::SettingKind::Float ||
           std::all_of(parsed.begin(), parsed.end(), [](double n) { return n >= 0 && n <= 255; });
}

std::string carried_value(const hud::HudSetting& setting, const std::string& value) {
    // Control or non-ASCII bytes make no line to paste.
    if (printable(value) == value && usable(setting, value)) return value;
    const bool colour =
        setting.kind == hud::SettingKind::Rgb || setting.kind == hud::SettingKind::Rgba;
    if (const auto meant =
            colour ? meant_colour(value, setting.kind == hud::SettingKind::Rgba) : std::nullopt)
        return numbers_text(meant->numbers);
    return default_text(static_cast<std::size_t>(&setting - hud::hud_setting_table.data()));
}

Finding unknown_key_finding(const LineScan& scan, const std::string& key, int line) {
    const auto near = nearest_table_key(key);
    if (!near) {
        Finding finding = make_finding(Rule::unknown_key, line, {text_arg("typed", key)});
        finding.fix = line_fix(FixAction::comment_line, line);
        return finding;
    }
    Args args{text_arg("typed", key), text_arg("key", near->key)};
    // Writing the right key a second time would only make it a repeated key.
    if (const auto set = scan.occurrences.find(near->key); set != scan.occurrences.end()) {
        args.push_back(number_arg("other", set->second.lines.back()));
        Finding finding = make_finding(Rule::misspelt_key_set, line, std::move(args));
        finding.key = near->key;
        finding.fix = line_fix(FixAction::delete_line, line);
        return finding;
    }
    const auto value = scan.occurrences.find(key);
    // A suggestion is always a key of the table.
    const hud::HudSetting& row = hud::hud_setting_table[hud::find_row(near->key).value()];
    args.push_back(term_arg("cause", near->cause));
    return setting_finding(
        Rule::misspelt_key, row, line,
        carried_value(row, value != scan.occurrences.end() ? value->second.value : ""),
        std::move(args));
}

// A line without "=" meant as a key that a later line sets: writing its "=" would change
// nothing, so it is only to go.
void settled_by_later_lines(const LineScan& scan, Findings& findings) {
    for (Finding& finding : findings) {
        if (finding.rule != Rule::no_equals || finding.key.empty()) continue;
        const auto set = scan.occurrences.find(finding.key);
        if (set == scan.occurrences.end() || set->second.lines.back() < finding.line) continue;
        finding.severity = Severity::warning;
        finding.advice = 3;
        finding.args.push_back(number_arg("other", set->second.lines.back()));
        finding.fix = line_fix(FixAction::comment_line, finding.line);
    }
}

} // namespace

void check_keys(const LineScan& scan, Findings& findings) {
    settled_by_later_lines(scan, findings);
    for (const auto& [key, seen] : scan.occurrences) {
        const std::vector<int>& lines = seen.lines;
        if (!is_table_key(key) && !is_table_key_after_mark(key, lines))
            findings.push_back(unknown_key_finding(scan, key, lines.back()));
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            Finding finding =
                make_finding(Rule::repeated_key, lines[i],
                             {text_arg("typed", key), number_arg("other", lines.back())});
            if (is_table_key(key)) finding.key = key;
            finding.fix = line_fix(FixAction::delete_line, lines[i]);
            findings.push_back(std::move(finding));
        }
    }
}

} // namespace checker
