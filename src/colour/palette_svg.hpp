#pragma once
// A picture of the HUD in the palette an ini gives, each element labelled with its key.

#include "findings/catalogue.hpp"
#include "ini_rules/ini_check.hpp"

#include <string>

namespace checker {

// The picture's own units.
inline constexpr int picture_width = 980, picture_height = 630;

// Its words (labels, the sample texts) in `language`; keys and numbers as they are.
std::string palette_svg(const CheckReport& report, const Catalogue& language = english());

} // namespace checker
