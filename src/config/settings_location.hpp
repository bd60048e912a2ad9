#pragma once
// Where "Tessivar.VC.ini" is looked for: the game's "plugins" folder, then its
// "scripts" folder, then the executable's own folder. All relative to the host
// executable, never to this library or the current directory.

#include "config/settings_path.hpp"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <string_view>

namespace config {

inline constexpr std::array<std::string_view, 3> settings_folders{"plugins", "scripts", ""};

// The game folder of an executable path: cut right after the last backslash (the
// whole path when there is none).
std::string_view game_folder(std::string_view executable_path);

// The length of the candidate path for one of settings_folders, without its NUL.
std::size_t candidate_length(std::string_view folder, std::string_view name);

// The candidate path written into `out` with its NUL, allocating nothing; false (and
// `out` empty) when it does not fit.
bool write_candidate_path(std::string_view folder, std::string_view name, std::span<char> out);

// Room for every candidate the plugin can open.
using CandidateBuffer = std::array<char, path_capacity>;

// The location step as pure logic over an executable path and an existence test, with
// nothing allocated: `out` is left holding the first candidate that exists, or the game
// folder's when none does (empty when that does not fit). Returns the index into
// settings_folders that exists, or -1. A candidate of 260 characters or more is one
// settings_path cannot hold, so one the plugin can never open: it is passed over, and the
// search goes on, rather than picked to give every setting its default.
template <class Exists>
int find_settings_file(std::string_view executable_path, Exists&& exists, std::span<char> out) {
    const std::string_view folder = game_folder(executable_path);
    for (int index = 0; index < static_cast<int>(settings_folders.size()); ++index) {
        if (candidate_length(folder, settings_folders[index]) >= path_capacity) continue;
        write_candidate_path(folder, settings_folders[index], out);
        if (exists(static_cast<const char*>(out.data()))) return index;
    }
    write_candidate_path(folder, settings_folders.back(), out);
    return -1;
}

struct Location {
    std::string path; // the candidate picked, whole: settings_path takes it only if it fits
    int candidate;    // index into settings_folders that exists, or -1 for none
};

// The same step with room for a path of any length, for tests and tools.
template <class Exists>
Location find_settings_file(std::string_view executable_path, Exists&& exists) {
    const std::string_view folder = game_folder(executable_path);
    std::size_t room = 0;
    for (const std::string_view name : settings_folders)
        room = std::max(room, candidate_length(folder, name) + 1);
    std::string path(room, '\0');
    const int index = find_settings_file(executable_path, exists, path);
    path.resize(candidate_length(
        folder, settings_folders[index < 0 ? settings_folders.size() - 1 : index]));
    return {std::move(path), index};
}

// Fills settings_path from the running host's executable path.
void locate_settings_file();

// Copies `path` into settings_path, or leaves it empty when it does not fit.
void store_settings_path(std::string_view path);

} // namespace config
