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
    std::vector<Finding> advice;
    check_value(setting, value, 1, parsed, advice);
    if (!advice.empty()) return false;
    return setting.kind == hud::SettingKind::Float ||
           std::all_of(parsed.begin(), parsed.end(), [](double n) { return n >= 0 && n <= 255; });
}

std::string carried_value(std::string_view key, const std::string& value) {
    for (std::size_t row = 0; row < hud::hud_setting_table.size(); ++row) {
        const hud::HudSetting& setting = hud::hud_setting_table[row];
        if (setting.key != key) continue;
        if (usable(setting, value)) return value;
        const bool colour =
            setting.kind == hud::SettingKind::Rgb || setting.kind == hud::SettingKind::Rgba;
        if (const auto meant =
                colour ? meant_colour(value, setting.kind == hud::SettingKind::Rgba) : std::nullopt)
            return numbers_text(meant->numbers);
        return default_text(row);
    }
    return value;
}

Finding unknown_key_finding(const LineScan& scan, const std::string& key, int line) {
    const auto near = nearest_table_key(key);
    if (!near)
        return {line, "unknown key " + quoted(key),
                "the plugin does not use this key; remove the line"};
    const std::string message =
        "unknown key " + quoted(key) + ": did you mean " + quoted(near->key) + "?";
    // Writing the right key a second time would only make it a repeated key.
    if (const auto set = scan.occurrences.find(near->key); set != scan.occurrences.end())
        return {line, message,
                "remove this line: " + std::string{near->key} + " is already set on line " +
                    std::to_string(set->second.back())};
    const auto value = scan.values.find(key);
    const std::string written = value != scan.values.end() ? value->second : "";
    return {line, message,
            "write " + std::string{near->key} + "=" + printable(carried_value(near->key, written)) +
                " (" + std::string{near->cause} + ")"};
}

} // namespace

void check_keys(const LineScan& scan, std::vector<Finding>& findings) {
    for (const auto& [key, lines] : scan.occurrences) {
        if (!is_table_key(key) && !is_table_key_after_mark(key, lines))
            findings.push_back(unknown_key_finding(scan, key, lines.back()));
        for (std::size_t i = 0; i + 1 < lines.size(); ++i)
            findings.push_back(
                {lines[i], quoted(key) + " again on line " + std::to_string(lines.back()),
                 "line " + std::to_string(lines.back()) + " wins; remove the others"});
    }
}

} // namespace checker
