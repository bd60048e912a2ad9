#pragma once
// The ini the plugin reads from a game folder, as the plugin finds it: the first of
// plugins\, scripts\ and the game folder that holds one, by a path the system's ANSI
// code page can write in under 260 characters. And the files a player meant as that
// ini that the plugin never reads.

#include "install/game_tree.hpp"
#include "install/install_finding.hpp"

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace checker {

// A path's length in the system's ANSI code page, in bytes; nullopt when that code
// page cannot write every character of it.
using AnsiLength = std::function<std::optional<std::size_t>(const std::filesystem::path&)>;

struct IniPresence {
    // Per place of ini_folders: the entry there, if any (file or folder).
    std::array<const TreeEntry*, 3> candidates{};
    int counting = -1; // the candidate the plugin reads; -1 for none
};

IniPresence find_settings(const GameTree& tree, const std::filesystem::path& game,
                          const AnsiLength& ansi_length, Findings& findings);

} // namespace checker
