// Prints the writes the recolour pass would make for an ini (or for none), as a table.

#include "config/settings_file.hpp"
#include "hud/host_writer.hpp"
#include "hud/hud_setting_table.hpp"
#include "hud/recolour_pass.hpp"

#include <cstdio>

int main(int argc, char** argv) {
    const config::SettingsFile file =
        argc > 1 ? config::SettingsFile{argv[1]} : config::SettingsFile{nullptr};
    std::printf("settings: %s\n\n", argc > 1 ? argv[1] : "none (default palette)");
    std::printf("%-26s %-30s %-6s %-9s %s\n", "key", "HUD element", "part", "address", "value");

    int total = 0;
    for (std::size_t row = 0; row < hud::hud_setting_table.size(); ++row) {
        const hud::HudSetting& setting = hud::hud_setting_table[row];
        hud::RecordingWriter writer;
        hud::apply_setting(setting, file, writer);
        for (int index = 0; index < hud::component_count(setting.kind); ++index) {
            const hud::HostAddress target = setting.targets[index];
            const auto element = hud::hud_element_name(row);
            const auto part = hud::component_name(setting.kind, index);
            std::printf("%-26s %-30.*s %-6.*s 0x%06x  ", setting.key,
                        static_cast<int>(element.size()), element.data(),
                        static_cast<int>(part.size()), part.data(), static_cast<unsigned>(target));
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
