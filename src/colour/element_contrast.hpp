#pragma once
// The contrast of each text and icon of the HUD against what lies under it, and for one
// that falls short, the nearest colour of the same hue that reaches the least ratio.

#include "colour/colour.hpp"
#include "hud/hud_setting_table.hpp"
#include "ini_rules/ini_check.hpp"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace checker {

// WCAG's least ratio for large text and for icons.
inline constexpr double least_contrast = 3.0;

// The rows drawn as words or icons; boxes and bars are backgrounds, not read.
bool is_text_or_icon(std::size_t row);

struct ElementContrast {
    std::size_t row;
    Colour shown; // the element's colour over its backdrop, its alpha applied
    Colour backdrop;
    double ratio;
    std::string fix; // the value that reaches least_contrast, or empty when it does already
};

using Backdrops = std::array<std::optional<Colour>, hud::hud_setting_count>;

// For every text or icon with a backdrop (what lies under it on average, as the page
// sees it); the message box's words stand on the message box's colour whatever is given.
std::vector<ElementContrast> element_contrasts(const CheckReport& report,
                                               const Backdrops& backdrops);

// The colour of the same hue nearest to `colour` (towards white or towards black) that,
// drawn with `alpha` over `backdrop`, reaches `ratio`; nullopt when none does.
std::optional<Colour> nearest_reaching(Colour colour, int alpha, Colour backdrop, double ratio);

} // namespace checker
