#include "ini_rules/template_ini.hpp"

#include "config/settings_path.hpp"
#include "hud/hud_setting_table.hpp"

#include <cstdio>

namespace checker {
namespace {

std::string format_of(hud::SettingKind kind) {
    switch (kind) {
    case hud::SettingKind::Rgb:
        return "red green blue, each 0..255";
    case hud::SettingKind::Rgba:
        return "red green blue [alpha], each 0..255; alpha 255 if left out";
    case hud::SettingKind::Integer:
        return "text style, a whole number 0..255";
    case hud::SettingKind::Float:
        return "size, a decimal number";
    }
    return {};
}

} // namespace

std::string default_text(std::size_t row) {
    const auto& setting = hud::hud_setting_table[row];
    const auto& defaults = setting.defaults.components;
    switch (setting.kind) {
    case hud::SettingKind::Rgb:
    case hud::SettingKind::Rgba:
        return std::to_string(defaults[0]) + " " + std::to_string(defaults[1]) + " " +
               std::to_string(defaults[2]);
    case hud::SettingKind::Integer:
        return std::to_string(defaults[0]);
    case hud::SettingKind::Float: {
        char text[32];
        std::snprintf(text, sizeof text, "%.1f", static_cast<double>(setting.defaults.real));
        return text;
    }
    }
    return {};
}

std::string settings_ini(std::string ini,
                         const std::array<std::string, hud::hud_setting_count>& values) {
    for (std::size_t row = 0; row < hud::hud_setting_table.size(); ++row) {
        const auto& setting = hud::hud_setting_table[row];
        ini += "\n; " + std::string{hud::hud_element_name(row)} + ": " + format_of(setting.kind) +
               "\n";
        ini += std::string{setting.key} + "=" + values[row] + "\n";
    }
    return ini;
}

std::string template_ini() {
    std::array<std::string, hud::hud_setting_count> defaults;
    for (std::size_t row = 0; row < defaults.size(); ++row)
        defaults[row] = default_text(row);
    return settings_ini(
        "; " + std::string{config::settings_file_name} +
            ": the HUD colours. Put this file in the game's plugins folder,\n"
            "; its scripts folder, or next to the game's executable (the first found wins).\n"
            "; One Key=value per line; keys are case-sensitive. Lines starting with ; or # are\n"
            "; comments, and there are no comments after a value. A key left out takes the\n"
            "; default shown here; a key with an empty value gives zeros.\n",
        defaults);
}

} // namespace checker
