#include "hud/hud_setting_table.hpp"

namespace hud {

namespace {
// clang-format off
constexpr std::array<std::string_view, hud_setting_count> element_names{
    "message box",                   "message box, second colour",
    "styled text",                   "wanted stars, active",
    "wanted stars, not active",      "wanted stars, flashing",
    "wasted / busted text",          "wasted / busted text style",
    "money",                         "money text style",
    "clock",                         "clock text style",
    "mission timer",                 "mission timer text style",
    "counter",                       "second counter",
    "third counter",                 "zone name",
    "zone name text style",          "vehicle name",
    "vehicle name text style",       "armour number",
    "armour icon",                   "health and armour text style",
    "health number",                 "health icon",
    "ammunition number",             "ammunition text style",
    "rifle cursor, not zoomed",      "rifle cursor size, not zoomed",
    "rifle cursor, zoomed",          "other weapons' cursor size",
    "normal weapons' cursor",        "all weapons' cursor size",
};
} // namespace
// clang-format on

std::string_view component_name(SettingKind kind, int index) {
    constexpr std::array<std::string_view, 4> colour{"red", "green", "blue", "alpha"};
    if (kind == SettingKind::Integer) return "style";
    if (kind == SettingKind::Float) return "size";
    return index >= 0 && index < component_count(kind) ? colour[index] : std::string_view{};
}

std::string_view hud_element_name(std::size_t row) {
    return row < element_names.size() ? element_names[row] : std::string_view{};
}

} // namespace hud
