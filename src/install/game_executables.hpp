#pragma once
// Which executable of a game folder is the game: the one with a known build signature.
// Launchers, uninstallers and set-up programs sit beside it.

#include "install/game_build.hpp"
#include "install/game_tree.hpp"
#include "install/ini_presence.hpp"
#include "install/install_finding.hpp"

#include <string>
#include <vector>

namespace checker {

struct Executable {
    std::string name; // UTF-8, as in the folder
    injector::GameBuild build;
};

struct GameExecutables {
    std::vector<Executable> all; // the game folder's .exe files, the checker's own aside
};

// Reads each executable's headers and three signature words only; what each is goes into
// `findings` as information.
GameExecutables find_game_executables(const GameTree& tree, const AnsiLength& ansi_length,
                                      Findings& findings);

} // namespace checker
