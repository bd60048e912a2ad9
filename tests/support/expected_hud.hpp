#pragma once
// What every HUD target of the simulated host holds after one pass over an ini, worked
// out apart from the plugin's reader and pass: the ini's "Key=numbers" lines read with
// a stream, the table's defaults (pinned by its own test) for the keys it lacks, and a
// component written only when it lies in 0..255. The tests' inis are plain lines of
// that form. Targets the pass does not write keep the host's own bytes.

#include "hud/hud_setting_table.hpp"
#include "support/simulated_game.hpp"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

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

// Key to the numbers of its last line; no file gives none.
inline std::map<std::string, std::vector<double>> plain_ini_values(const char* ini_path) {
    std::map<std::string, std::vector<double>> values;
    std::ifstream in(ini_path ? ini_path : "");
    for (std::string line; std::getline(in, line);) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::istringstream numbers(line.substr(equals + 1));
        auto& kept = values[line.substr(0, equals)];
        kept.clear();
        for (double number; numbers >> number;)
            kept.push_back(number);
    }
    return values;
}

inline std::map<std::uint32_t, std::string> expected_hud(const HostView& before,
                                                         const char* ini_path) {
    const auto values = plain_ini_values(ini_path);
    auto expected = before.hud;
    for (const auto& row : hud::hud_setting_table) {
        const auto given = values.find(row.key);
        if (row.kind == hud::SettingKind::Float) {
            const float size =
                given != values.end() ? float(given->second.at(0)) : row.defaults.real;
            std::uint8_t bytes[4];
            std::memcpy(bytes, &size, 4);
            expected[row.targets[0]] = hex(bytes, 4);
            continue;
        }
        for (int i = 0; i < hud::component_count(row.kind); ++i) {
            const bool alpha = i == 3;
            double value = alpha ? 255 : row.defaults.components[i];
            if (given != values.end())
                value = i < int(given->second.size()) ? given->second[i] : alpha ? 255 : 0;
            if (value < 0 || value > 255) continue;
            const auto byte = static_cast<std::uint8_t>(value);
            expected[row.targets[i]] = hex(&byte, 1);
        }
    }
    return expected;
}

} // namespace test_support
