#include "hud/apply_settings.hpp"

#include "config/settings_path.hpp"

namespace hud {

namespace {

void write_component(HostWriter& writer, HostAddress target, std::int32_t value) {
    // One unsigned comparison: negatives and values above 255 leave the byte alone.
    if (static_cast<std::uint32_t>(value) <= 255u)
        writer.patch_byte(target, static_cast<std::uint8_t>(value));
}

} // namespace

void apply_setting(const HudSetting& setting, const config::SettingsQueries& file,
                   HostWriter& writer) {
    const auto& defaults = setting.defaults.components;
    const auto& at = setting.targets;
    switch (setting.kind) {
    case SettingKind::Rgb: {
        const auto color = file.get_rgb(setting.key, defaults[0], defaults[1], defaults[2]);
        write_component(writer, at[0], color.red);
        write_component(writer, at[1], color.green);
        write_component(writer, at[2], color.blue);
        break;
    }
    case SettingKind::Rgba: {
        const auto color = file.get_rgba(setting.key, defaults[0], defaults[1], defaults[2]);
        write_component(writer, at[0], color.red);
        write_component(writer, at[1], color.green);
        write_component(writer, at[2], color.blue);
        write_component(writer, at[3], color.alpha);
        break;
    }
    case SettingKind::Integer:
        write_component(writer, at[0], file.get_int(setting.key, defaults[0]));
        break;
    case SettingKind::Float:
        writer.patch_float(at[0], file.get_float(setting.key, setting.defaults.real));
        break;
    }
}

void apply_settings(const config::SettingsQueries& file, HostWriter& writer) {
    for (const HudSetting& setting : hud_setting_table)
        apply_setting(setting, file, writer);
}

void recolour_from_settings_path(HostWriter& writer) {
    config::KeptSettings<hud_setting_count> file{hud_setting_keys};
    file.read_file(config::settings_path.data());
    apply_settings(file, writer);
}

} // namespace hud
