#pragma once
// A complete ini: every key in table order with its default and what it colours.

#include "hud/hud_setting_table.hpp"

#include <array>
#include <string>

namespace checker {

std::string template_ini();

// The same layout: `header` (comment lines), then every key with the given value, one
// per row in table order.
std::string settings_ini(std::string header,
                         const std::array<std::string, hud::hud_setting_count>& values);

// A row's default written the way the ini takes it ("255 150 225", "2", "0.6").
std::string default_text(std::size_t row);

} // namespace checker
