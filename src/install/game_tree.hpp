#pragma once
// What a game folder holds, to a bounded depth and count: every file and folder with
// its path from the game folder, as Windows compares names (any letter case).

#include "common/path_text.hpp"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace checker {

// How far the walk goes: folders this deep, and this many entries in all.
struct WalkBounds {
    int deepest_folder = 12;
    std::size_t most_entries = 200000;
};

struct TreeEntry {
    std::vector<std::string> parts; // UTF-8 names from the game folder down
    bool folder;
    std::filesystem::path path;

    std::string_view name() const { return parts.back(); }
    // "scripts\a\Tessivar.VC.asi": the path a player reads in Explorer.
    std::string shown() const;
};

// The parts of a path as the findings show it: "scripts\\Tessivar.VC.ini".
std::vector<std::string_view> shown_parts(std::string_view shown);

struct GameTree {
    std::vector<TreeEntry> entries;              // sorted by path
    bool cut_short = false;                      // more entries or deeper folders than the bounds
    std::vector<std::filesystem::path> unlisted; // folders that could not be listed

    // The entry at `relative` ("scripts\Tessivar.VC.ini"), any letter case; null if none.
    const TreeEntry* find(std::string_view relative) const;
};

// Folders linked into the game folder are walked as the loader sees them, each once; the
// game folder, scripts\ and plugins\ and the folders right inside them come first, so
// the entry cap can only leave out others.
GameTree walk_game_folder(const std::filesystem::path& game, const WalkBounds& bounds = {});

// Names compared as Windows compares these ASCII names: in any letter case.
bool same_name(std::string_view a, std::string_view b);

} // namespace checker
