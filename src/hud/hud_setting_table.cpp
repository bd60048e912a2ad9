#include "hud/hud_setting_table.hpp"

#include "common/translatable.hpp"

namespace hud {

using checker::tr;

namespace {

struct HudElement {
    std::string_view key; // the table's key of the row, in the table's order
    std::string_view name;
    Role role;
    std::string_view drawn_on; // the key whose colour lies under it; "" for the picture
};

// What each row of the table colours, for the tools: one row a line, beside the table.
// clang-format off
constexpr auto elements = std::to_array<HudElement>({
    {"Messagebox",               tr("message box"),                  Role::box,   ""},
    {"Messagebox2",              tr("message box, second colour"),   Role::text,  "Messagebox"},
    {"Styledtext",               tr("styled text"),                  Role::text,  ""},
    {"WantedActiveColor",        tr("wanted stars, active"),         Role::icon,  ""},
    {"WantedNotActiveColor",     tr("wanted stars, not active"),     Role::icon,  ""},
    {"WantedFlashColor",         tr("wanted stars, flashing"),       Role::icon,  ""},
    {"WastedBusted",             tr("wasted / busted text"),         Role::text,  ""},
    {"WastedBustedTextStyle",    tr("wasted / busted text style"),   Role::style, ""},
    {"MoneyColor",               tr("money"),                        Role::text,  ""},
    {"MoneyTextStyle",           tr("money text style"),             Role::style, ""},
    {"TimeColor",                tr("clock"),                        Role::text,  ""},
    {"TimeTextStyle",            tr("clock text style"),             Role::style, ""},
    {"TimerColor",               tr("mission timer"),                Role::text,  ""},
    {"TimerTextStyle",           tr("mission timer text style"),     Role::style, ""},
    {"CounterColor",             tr("counter"),                      Role::text,  ""},
    {"Counter2Color",            tr("second counter"),               Role::bar,   ""},
    {"Counter3Color",            tr("third counter"),                Role::bar,   "Counter2Color"},
    {"ZoneColor",                tr("zone name"),                    Role::text,  ""},
    {"ZoneTextStyle",            tr("zone name text style"),         Role::style, ""},
    {"VehicleColor",             tr("vehicle name"),                 Role::text,  ""},
    {"VehicleTextStyle",         tr("vehicle name text style"),      Role::style, ""},
    {"ArmourNumberColor",        tr("armour number"),                Role::text,  ""},
    {"ArmourIconColor",          tr("armour icon"),                  Role::icon,  ""},
    {"HealthAndArmourTextStyle", tr("health and armour text style"), Role::style, ""},
    {"HealthNumberColor",        tr("health number"),                Role::text,  ""},
    {"HealthIconColor",          tr("health icon"),                  Role::icon,  ""},
    {"BulletNumberColor",        tr("ammunition number"),            Role::text,  ""},
    {"BulletNumberTextStyle",    tr("ammunition text style"),        Role::style, ""},
    {"RiflesCursorNoZoomColor",  tr("rifle cursor, not zoomed"),     Role::icon,  ""},
    {"RiflesCursorNoZoomSize",   tr("rifle cursor size, not zoomed"), Role::size, ""},
    {"RiflesCursorZoomColor",    tr("rifle cursor, zoomed"),         Role::icon,  ""},
    {"OtherWeaponsCursorSize",   tr("other weapons' cursor size"),   Role::size,  ""},
    {"NormalWeaponsCursorColor", tr("normal weapons' cursor"),       Role::icon,  ""},
    {"AllWeaponsCursorSize",     tr("all weapons' cursor size"),     Role::size,  ""},
});
// clang-format on

constexpr bool rows_match() {
    if (elements.size() != hud_setting_table.size()) return false;
    for (std::size_t row = 0; row < elements.size(); ++row) {
        if (elements[row].key != hud_setting_table[row].key) return false;
        const bool sized = elements[row].role == Role::size || elements[row].role == Role::style;
        if (sized != (component_count(hud_setting_table[row].kind) == 1)) return false;
        if (!elements[row].drawn_on.empty() && !find_row(elements[row].drawn_on)) return false;
    }
    return true;
}
static_assert(rows_match(), "one element a row of the HUD table, in its order and kind");

} // namespace

std::string_view component_name(SettingKind kind, int index) {
    constexpr std::array<std::string_view, 4> colour{tr("red"), tr("green"), tr("blue"),
                                                     tr("alpha")};
    if (kind == SettingKind::Integer) return tr("style");
    if (kind == SettingKind::Float) return tr("size");
    return index >= 0 && index < component_count(kind) ? colour[index] : std::string_view{};
}

std::string_view hud_element_name(std::size_t row) {
    return row < elements.size() ? elements[row].name : std::string_view{};
}

Role hud_role(std::size_t row) {
    return elements[row].role;
}

std::optional<std::size_t> hud_drawn_on(std::size_t row) {
    const std::string_view under = elements[row].drawn_on;
    return under.empty() ? std::nullopt : find_row(under);
}

} // namespace hud
