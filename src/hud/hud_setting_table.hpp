#pragma once
// The 34 HUD settings: each configuration key, its value kind, its defaults, and the
// host addresses its components are written to, in the order the pass writes them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace hud {

using HostAddress = std::uint32_t;

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

inline constexpr int hud_setting_count = 34;
inline constexpr int hud_write_count = 92;

extern const std::array<HudSetting, hud_setting_count> hud_setting_table;

// What a component of a row is: "red", "green", "blue", "alpha", "style" or "size".
std::string_view component_name(SettingKind kind, int index);

// The HUD element of a table row, in plain words, for people reading tool output.
std::string_view hud_element_name(std::size_t row);

} // namespace hud
