#include "colour/element_contrast.hpp"

#include "hud/hud_setting_table.hpp"

#include <cmath>
#include <string_view>

namespace checker {
namespace {

// What the game shows: the written byte, or for a skipped one the default (the game's
// own byte is not known here), as the picture draws it.
int shown_component(const SettingReport& s, int component) {
    const auto& write = s.writes[component];
    if (write) return write->byte;
    return component < 3 ? hud::hud_setting_table[s.row].defaults.components[component] : 255;
}

Colour shown_colour(const SettingReport& s) {
    return {shown_component(s, 0), shown_component(s, 1), shown_component(s, 2)};
}

Colour towards(Colour from, int target, double t) {
    const auto step = [&](int c) { return static_cast<int>(std::lround(c + (target - c) * t)); };
    return {step(from.red), step(from.green), step(from.blue)};
}

double distance(Colour a, Colour b) {
    return std::hypot(a.red - b.red, a.green - b.green, a.blue - b.blue);
}

std::string value_text(Colour colour, std::optional<int> alpha) {
    std::string text = std::to_string(colour.red) + " " + std::to_string(colour.green) + " " +
                       std::to_string(colour.blue);
    return alpha && *alpha != 255 ? text + " " + std::to_string(*alpha) : text;
}

std::string fix_for(const SettingReport& s, Colour backdrop) {
    const bool has_alpha = s.writes.size() == 4;
    const int alpha = has_alpha ? shown_component(s, 3) : 255;
    const Colour colour = shown_colour(s);
    if (const auto fixed = nearest_reaching(colour, alpha, backdrop, least_contrast))
        return value_text(*fixed, has_alpha ? std::optional{alpha} : std::nullopt);
    // Too faint to reach it at this alpha: solid as well.
    if (const auto fixed = nearest_reaching(colour, 255, backdrop, least_contrast))
        return value_text(*fixed, std::nullopt);
    return {};
}

} // namespace

bool is_text_or_icon(std::size_t row) {
    if (row >= hud::hud_setting_table.size()) return false;
    const hud::Role role = hud::hud_role(row);
    return role == hud::Role::text || role == hud::Role::icon;
}

std::optional<Colour> nearest_reaching(Colour colour, int alpha, Colour backdrop, double ratio) {
    std::optional<Colour> best;
    for (const int target : {255, 0}) {
        for (int step = 0; step <= 255; ++step) {
            const Colour candidate = towards(colour, target, step / 255.0);
            if (contrast_ratio(blend(candidate, alpha, backdrop), backdrop) < ratio) continue;
            if (!best || distance(candidate, colour) < distance(*best, colour)) best = candidate;
            break;
        }
    }
    return best;
}

namespace {

// A setting the plugin does not read as written is left to the fix of what was meant: a
// contrast fix worked out from the colour it gets by mistake starts from the wrong colour.
bool read_as_written(const CheckReport& report, std::size_t row) {
    const std::string_view key = hud::hud_setting_table[row].key;
    for (const Finding& finding : report.findings)
        if (finding.severity == Severity::error && finding.key == key) return false;
    return true;
}

} // namespace

std::vector<ElementContrast> element_contrasts(const CheckReport& report,
                                               const Backdrops& backdrops) {
    std::vector<ElementContrast> out;
    for (const auto& s : report.settings) {
        if (!is_text_or_icon(s.row) || !read_as_written(report, s.row)) continue;
        std::optional<Colour> backdrop = backdrops[s.row];
        // Drawn on another element (the message box's words on the box): on its colour.
        if (const auto under = hud::hud_drawn_on(s.row))
            backdrop = shown_colour(report.settings[*under]);
        if (!backdrop) continue;
        const int alpha = s.writes.size() == 4 ? shown_component(s, 3) : 255;
        const Colour shown = blend(shown_colour(s), alpha, *backdrop);
        const double ratio = contrast_ratio(shown, *backdrop);
        out.push_back({s.row, shown, *backdrop, ratio,
                       ratio < least_contrast ? fix_for(s, *backdrop) : std::string{}});
    }
    return out;
}

} // namespace checker
