// Prints the writes the recolour pass would make for an ini (or for none), as a table.

#include "config/settings_file.hpp"
#include "hud/host_writer.hpp"
#include "hud/hud_setting_table.hpp"
#include "hud/recolour_pass.hpp"

#include <cstdio>

namespace {

constexpr const char* component_names[4] = {"red", "green", "blue", "alpha"};

const char* component_name(hud::SettingKind kind, int index) {
    switch (kind) {
    case hud::SettingKind::Integer: return "style";
    case hud::SettingKind::Float: return "size";
    default: return component_names[index];
    }
}

} // namespace

int main(int argc, char** argv) {
    const config::SettingsFile file = argc > 1 ? config::SettingsFile{argv[1]}
                                               : config::SettingsFile{nullptr};
    std::printf("settings: %s\n\n", argc > 1 ? argv[1] : "none (default palette)");
    std::printf("%-26s %-30s %-6s %-9s %s\n", "key", "HUD element", "part", "address", "value");

    int total = 0;
    for (std::size_t row = 0; row < hud::hud_setting_table.size(); ++row) {
        const hud::HudSetting& setting = hud::hud_setting_table[row];
        hud::RecordingWriter writer;
        hud::apply_setting(setting, file, writer);
        for (int index = 0; index < hud::component_count(setting.kind); ++index) {
            const hud::HostAddress target = setting.targets[index];
            std::printf("%-26s %-30.*s %-6s 0x%06x  ", setting.key,
                        static_cast<int>(hud::hud_element_name(row).size()),
                        hud::hud_element_name(row).data(), component_name(setting.kind, index),
                        static_cast<unsigned>(target));
            const hud::RecordedWrite* write = nullptr;
            for (const auto& made : writer.writes())
                if (made.address == target) write = &made;
            if (!write)
                std::printf("(skipped: out of 0..255)\n");
            else if (write->kind == hud::RecordedWrite::Kind::real)
                std::printf("%g\n", static_cast<double>(write->real));
            else
                std::printf("%u\n", static_cast<unsigned>(write->byte));
            total += write != nullptr;
        }
    }
    std::printf("\n%d writes\n", total);
    return 0;
}
