#pragma once
// What every HUD target of the simulated host holds after one pass over an ini,
// computed with the recording writer; targets the pass does not write keep the host's
// own bytes.

#include "config/settings_file.hpp"
#include "hud/host_writer.hpp"
#include "hud/apply_settings.hpp"
#include "support/simulated_game.hpp"

#include <cstdio>
#include <cstring>

namespace test_support {

inline std::string hex(const std::uint8_t* bytes, int count) {
    std::string out;
    char part[4];
    for (int i = 0; i < count; ++i) {
        std::snprintf(part, sizeof part, "%02x", bytes[i]);
        if (i) out += ' ';
        out += part;
    }
    return out;
}

inline std::map<std::uint32_t, std::string> expected_hud(const HostView& before,
                                                         const char* ini_path) {
    const config::SettingsFile file{ini_path};
    hud::RecordingWriter writer;
    hud::apply_settings(file, writer);
    auto expected = before.hud;
    for (const auto& write : writer.writes()) {
        if (write.kind == hud::RecordedWrite::Kind::byte) {
            expected[write.address] = hex(&write.byte, 1);
        } else {
            std::uint8_t bytes[4];
            std::memcpy(bytes, &write.real, 4);
            expected[write.address] = hex(bytes, 4);
        }
    }
    return expected;
}

} // namespace test_support
