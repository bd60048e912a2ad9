#pragma once
// Every copy of the plugin under a game folder, its look-alikes included, and whether
// the ASI loader loads it.

#include "install/game_tree.hpp"
#include "install/install_finding.hpp"
#include "install/loader_presence.hpp"

#include <string>
#include <vector>

namespace checker {

struct PluginCopies {
    std::vector<const TreeEntry*> loaded; // the copies the loader loads (or would, with one)
};

PluginCopies find_plugin_copies(const GameTree& tree, const LoaderPresence& loader,
                                Findings& findings);

} // namespace checker
