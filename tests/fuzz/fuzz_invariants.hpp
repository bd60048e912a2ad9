#pragma once
// What every fuzz target checks of the recolour pass, and how it stops on a broken
// invariant (abort, so libFuzzer keeps the input).

#include "config/settings_file.hpp"
#include "hud/apply_settings.hpp"

#include <cstdio>
#include <cstdlib>

namespace fuzz {

[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

// The pass's writes, checked: at most 92, in the table's order of targets, and the
// three sizes always among them.
inline std::vector<hud::RecordedWrite> checked_pass(const config::SettingsQueries& file) {
    hud::RecordingWriter writer;
    hud::apply_settings(file, writer);
    if (writer.writes().size() > hud::hud_write_count) fail("more than 92 writes");
    int reals = 0;
    std::size_t next = 0;
    for (const auto& write : writer.writes()) {
        reals += write.kind == hud::RecordedWrite::Kind::real;
        bool found = false;
        for (; next < hud::hud_setting_table.size() * 4 && !found; ++next) {
            const auto& row = hud::hud_setting_table[next / 4];
            found = static_cast<int>(next % 4) < hud::component_count(row.kind) &&
                    row.targets[next % 4] == write.address;
        }
        if (!found) fail("a write out of table order");
    }
    if (reals != 3) fail("the three sizes are always written");
    return writer.writes();
}

} // namespace fuzz
