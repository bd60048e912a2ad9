#pragma once
// The ASI loader of a game folder: which proxy DLL is one, whether the game can load
// it, and what its settings let it load.

#include "install/game_tree.hpp"
#include "install/install_finding.hpp"
#include "install/loader_settings.hpp"

#include <optional>
#include <string>
#include <vector>

namespace checker {

struct ActiveLoader {
    std::string proxy; // the DLL's name as in the folder
    LoaderSettings settings;
};

struct LoaderPresence {
    std::optional<ActiveLoader> active; // the loader that loads plugins; none when none does
};

// Reads each proxy DLL's headers and a bounded part of its bytes, and the loader's
// settings files.
LoaderPresence find_asi_loader(const GameTree& tree, Findings& findings);

} // namespace checker
