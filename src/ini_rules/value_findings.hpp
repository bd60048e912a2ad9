#pragma once
// Findings on a value the plugin reads otherwise than its author evidently meant: hex,
// names, commas and percentages in colours, too many or too few numbers, text after
// them, decimal commas, values that are no number.

#include "findings/finding.hpp"
#include "hud/hud_setting_table.hpp"

#include <string>
#include <vector>

namespace config {
class SettingsFile;
}

namespace checker {

// The components the plugin's query gives for `row` from `file`, its defaults included.
std::vector<double> parsed_components(const hud::HudSetting& row, const config::SettingsFile& file);

// `parsed`: the components the plugin's query gives for `value`.
void check_value(const hud::HudSetting& row, const std::string& value, int line,
                 const std::vector<double>& parsed, Findings& findings);

// A finding on the setting `row` at `line` whose fix is the line "Key=value" (also its
// argument "line").
Finding setting_finding(Rule rule, const hud::HudSetting& row, int line, const std::string& value,
                        Args args);

// Whole numbers for messages; a size may be anything a double holds.
std::vector<long long> whole(const std::vector<double>& parsed);

} // namespace checker
