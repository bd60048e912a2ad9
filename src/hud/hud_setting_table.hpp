#pragma once
// The 34 HUD settings: each configuration key, its value kind, its defaults, and the
// host addresses its components are written to, in the order the pass writes them.

#include "common/host_address.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace hud {

enum class SettingKind { Rgb, Rgba, Integer, Float };

struct SettingDefaults {
    std::array<std::int32_t, 3> components{}; // red, green, blue; or the integer first
    float real = 0.0f;

    constexpr SettingDefaults(std::int32_t red, std::int32_t green, std::int32_t blue)
        : components{red, green, blue} {}
    constexpr SettingDefaults(std::int32_t value) : components{value, 0, 0} {}
    constexpr SettingDefaults(float value) : real(value) {}
};

struct HudSetting {
    const char* key;
    SettingKind kind;
    SettingDefaults defaults;
    std::array<HostAddress, 4> targets; // one per component; unused ones are 0
};

constexpr int component_count(SettingKind kind) {
    switch (kind) {
    case SettingKind::Rgb:
        return 3;
    case SettingKind::Rgba:
        return 4;
    default:
        return 1;
    }
}

namespace table_kinds {
inline constexpr SettingKind Rgb = SettingKind::Rgb;
inline constexpr SettingKind Rgba = SettingKind::Rgba;
inline constexpr SettingKind Integer = SettingKind::Integer;
inline constexpr SettingKind Float = SettingKind::Float;
} // namespace table_kinds

// Constant data, so that tools and the simulated host can lay it out at compile time.
// clang-format off
inline constexpr auto hud_setting_table = [] {
    using namespace table_kinds;
    return std::to_array<HudSetting>({
        {"Messagebox",               Rgb,     {0, 0, 0},       {0x55b5e4, 0x55b5e2, 0x55b5e0}},
        {"Messagebox2",              Rgb,     {175, 175, 175}, {0x55b60f, 0x55b60a, 0x55b605}},
        {"Styledtext",               Rgb,     {255, 150, 225}, {0x55b9de, 0x55b9d9, 0x55b9d4}},
        {"WantedActiveColor",        Rgb,     {97, 194, 247},  {0x5590ca, 0x5590c5, 0x5590c0}},
        {"WantedNotActiveColor",     Rgb,     {27, 89, 130},   {0x559170, 0x55916e, 0x559169}},
        {"WantedFlashColor",         Rgb,     {62, 141, 188},  {0x559128, 0x559123, 0x55911e}},
        {"WastedBusted",             Rgb,     {0, 207, 133},   {0x55bc4f, 0x55bc4a, 0x55bc45}},
        {"WastedBustedTextStyle",    Integer, {2},             {0x55bbbe}},
        {"MoneyColor",               Rgb,     {0, 207, 133},   {0x5582af, 0x5582aa, 0x5582a5}},
        {"MoneyTextStyle",           Integer, {2},             {0x55821d}},
        {"TimeColor",                Rgba,    {97, 194, 247},  {0x559f91, 0x559f8c, 0x559f87, 0x559f82}},
        {"TimeTextStyle",            Integer, {2},             {0x559efc}},
        {"TimerColor",               Rgba,    {97, 194, 247},  {0x55a186, 0x55a181, 0x55a17c, 0x55a177}},
        {"TimerTextStyle",           Integer, {2},             {0x55a0fe}},
        {"CounterColor",             Rgba,    {97, 194, 247},  {0x55a663, 0x55a65e, 0x55a659, 0x55a654}},
        {"Counter2Color",            Rgba,    {27, 89, 130},   {0x55a5c1, 0x55a5bf, 0x55a5ba, 0x55a5b5}},
        {"Counter3Color",            Rgba,    {97, 194, 247},  {0x55a40e, 0x55a409, 0x55a404, 0x55a3ff}},
        {"ZoneColor",                Rgb,     {45, 155, 90},   {0x559954, 0x55994f, 0x55994d}},
        {"ZoneTextStyle",            Integer, {0},             {0x559918}},
        {"VehicleColor",             Rgb,     {97, 194, 247},  {0x559de3, 0x559dde, 0x559dd9}},
        {"VehicleTextStyle",         Integer, {0},             {0x559d9c}},
        {"ArmourNumberColor",        Rgba,    {185, 185, 185}, {0x558e26, 0x558e21, 0x558e1c, 0x558e17}},
        {"ArmourIconColor",          Rgba,    {185, 185, 185}, {0x558efe, 0x558ed6, 0x558ed1, 0x558ec6}},
        {"HealthAndArmourTextStyle", Integer, {2},             {0x5589e8}},
        {"HealthNumberColor",        Rgba,    {255, 150, 225}, {0x558ba9, 0x558ba4, 0x558b9f, 0x558b9a}},
        {"HealthIconColor",          Rgba,    {255, 150, 225}, {0x558c8e, 0x558c66, 0x558c61, 0x558c56}},
        {"BulletNumberColor",        Rgb,     {255, 150, 225}, {0x5588c2, 0x5588bd, 0x5588b8}},
        {"BulletNumberTextStyle",    Integer, {1},             {0x55879b}},
        {"RiflesCursorNoZoomColor",  Rgba,    {255, 255, 255}, {0x557653, 0x55764e, 0x557649, 0x557644}},
        {"RiflesCursorNoZoomSize",   Float,   {0.6f},          {0x697b14}},
        {"RiflesCursorZoomColor",    Rgba,    {255, 255, 255}, {0x557840, 0x55783b, 0x557836, 0x557831}},
        {"OtherWeaponsCursorSize",   Float,   {0.4f},          {0x697b1c}},
        {"NormalWeaponsCursorColor", Rgba,    {255, 255, 255}, {0x557737, 0x557732, 0x55772d, 0x557728}},
        {"AllWeaponsCursorSize",     Float,   {32.0f},         {0x697b10}},
    });
}();
// clang-format on

// What follows from the table: how many settings, and how many writes a pass makes at
// most (one a component), of them how many bytes and how many sizes.
inline constexpr int hud_setting_count = static_cast<int>(hud_setting_table.size());

constexpr int count_writes(bool sizes) {
    int count = 0;
    for (const HudSetting& row : hud_setting_table)
        if ((row.kind == SettingKind::Float) == sizes) count += component_count(row.kind);
    return count;
}
inline constexpr int hud_byte_write_count = count_writes(false);
inline constexpr int hud_size_write_count = count_writes(true);
inline constexpr int hud_write_count = hud_byte_write_count + hud_size_write_count;

// The row of a key matched exactly, as the plugin matches keys; nullopt for none.
constexpr std::optional<std::size_t> find_row(std::string_view key) {
    for (std::size_t row = 0; row < hud_setting_table.size(); ++row)
        if (key == hud_setting_table[row].key) return row;
    return std::nullopt;
}

// The row of a key named in code: a key that is not in the table does not build.
consteval std::size_t row_of(std::string_view key) {
    if (const auto row = find_row(key)) return *row;
    throw "not a key of the HUD table";
}

// The table's keys in table order: all the pass ever asks of the settings file.
inline constexpr std::array<const char*, hud_setting_count> hud_setting_keys = [] {
    std::array<const char*, hud_setting_count> keys{};
    for (std::size_t i = 0; i < keys.size(); ++i)
        keys[i] = hud_setting_table[i].key;
    return keys;
}();

// What a component of a row is: "red", "green", "blue", "alpha", "style" or "size".
std::string_view component_name(SettingKind kind, int index);

// The HUD element of a table row, in plain words, for people reading tool output.
std::string_view hud_element_name(std::size_t row);

// What a row colours, as the tools draw it and judge its contrast.
enum class Role {
    box,   // a background: the message box
    text,  // words and numbers
    icon,  // a shape that is read: stars, heart, shield, cursors
    bar,   // a bar and its fill
    style, // a text style
    size,  // a cursor's size
};
Role hud_role(std::size_t row);
// The row whose colour the element is drawn on, or nullopt for the game's picture.
std::optional<std::size_t> hud_drawn_on(std::size_t row);

} // namespace hud
