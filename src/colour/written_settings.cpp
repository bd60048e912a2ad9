#include "colour/written_settings.hpp"

#include "common/float_text.hpp"
#include "config/settings_path.hpp"
#include "ini_rules/template_ini.hpp"

namespace checker {

WrittenSettings written_settings(const CheckReport& report) {
    WrittenSettings out{};
    for (const auto& s : report.settings) {
        auto& setting = out[s.row];
        for (std::size_t i = 0; i < s.writes.size() && i < 4; ++i) {
            const auto& write = s.writes[i];
            if (!write) continue;
            if (write->kind == hud::RecordedWrite::Kind::real)
                setting.real_bits = float_bits(write->real);
            else
                setting.bytes[i] = write->byte;
        }
    }
    return out;
}

std::string written_value_text(std::size_t row, const WrittenSetting& setting) {
    const auto kind = hud::hud_setting_table[row].kind;
    if (kind == hud::SettingKind::Float)
        return shortest_float_text(float_from_bits(setting.real_bits));
    int count = hud::component_count(kind);
    // Alpha 255 is what the plugin writes when the alpha is left out.
    if (kind == hud::SettingKind::Rgba && setting.bytes[3] == std::uint8_t{255}) count = 3;
    std::string text;
    for (int i = 0; i < count; ++i) {
        const auto& byte = setting.bytes[i];
        if (i) text += ' ';
        text += byte ? std::to_string(*byte) : "-1";
    }
    return text;
}

std::string written_settings_ini(const WrittenSettings& settings, const std::string& origin) {
    std::array<std::string, hud::hud_setting_count> values;
    bool game_keeps_some = false;
    for (std::size_t row = 0; row < values.size(); ++row) {
        values[row] = written_value_text(row, settings[row]);
        const int count = hud::component_count(hud::hud_setting_table[row].kind);
        if (hud::hud_setting_table[row].kind != hud::SettingKind::Float)
            for (int i = 0; i < count; ++i)
                game_keeps_some = game_keeps_some || !settings[row].bytes[i];
    }
    std::string header = "; " + origin + "\n; " + std::string{config::settings_file_name} +
                         ": the HUD colours. Put this file in the game's "
                         "plugins folder,\n; its scripts folder, or next to the game's "
                         "executable (the first found wins).\n";
    if (game_keeps_some) header += "; -1: the plugin leaves the game's own value there.\n";
    return settings_ini(header, values);
}

} // namespace checker
