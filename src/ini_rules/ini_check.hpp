#pragma once
// What the plugin will make of an ini, setting by setting, and what in the file is
// probably not what its author meant. It reads the file with the plugin's own reader,
// accessors and table, so its verdict is the plugin's.

#include "findings/finding.hpp"
#include "hud/host_writer.hpp"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace checker {

struct SettingReport {
    std::size_t row;            // index into the HUD table
    int line;                   // where the value comes from; 0 for the default
    std::string raw;            // the value's text as the plugin stores it
    std::vector<double> parsed; // the components the plugin's query gives
    std::vector<std::optional<hud::RecordedWrite>> writes; // per component; empty = skipped
};

struct CheckReport {
    Findings findings;
    std::vector<SettingReport> settings; // the 34 rows, in table order
};

// Reads `path`; nullopt when it cannot be opened.
std::optional<CheckReport> check_settings_file(const std::string& path);

// The same over a file's bytes, read as the plugin reads them (Windows text mode).
CheckReport check_settings_bytes(std::string_view bytes);

// What the plugin does when it finds no file: every default.
CheckReport check_no_file();

} // namespace checker
