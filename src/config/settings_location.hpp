#pragma once
// Where "Tessivar.VC.ini" is looked for: the game's "plugins" folder, then its
// "scripts" folder, then the executable's own folder. All relative to the host
// executable, never to this library or the current directory.

#include "config/settings_path.hpp"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace config {

inline constexpr std::array<std::string_view, 3> settings_folders{"plugins", "scripts", ""};

// The game folder of an executable path: cut right after the last backslash (the
// whole path when there is none).
std::string_view game_folder(std::string_view executable_path);

// The candidate path for one of settings_folders.
std::string candidate_path(std::string_view folder, std::string_view name);

// The same written into `out` with its NUL, allocating nothing; false (and `out`
// empty) when it does not fit.
bool write_candidate_path(std::string_view folder, std::string_view name, std::span<char> out);

// Room for every candidate of an executable path that fits in path_capacity.
using CandidateBuffer = std::array<char, path_capacity + 32>;

struct Location {
    std::string path; // what settings_path receives; empty when it does not fit
    int candidate;    // index into settings_folders that exists, or -1 for none
};

// The location step over an executable path and an existence test, as pure logic.
template <class Exists>
Location find_settings_file(std::string_view executable_path, Exists&& exists);

// Fills settings_path from the running host's executable path.
void locate_settings_file();

// Copies `path` into settings_path, or leaves it empty when it does not fit.
void store_settings_path(std::string_view path);

template <class Exists>
Location find_settings_file(std::string_view executable_path, Exists&& exists) {
    const std::string_view folder = game_folder(executable_path);
    for (int index = 0; index < static_cast<int>(settings_folders.size()); ++index) {
        std::string path = candidate_path(folder, settings_folders[index]);
        if (exists(path.c_str())) return {std::move(path), index};
    }
    return {candidate_path(folder, ""), -1};
}

} // namespace config
