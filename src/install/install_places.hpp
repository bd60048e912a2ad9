#pragma once
// Where in a game folder a file sits, as ASI loaders and the plugin see it: loaders
// load .asi files from the game folder, scripts\ and plugins\ and from the immediate
// subfolders of those two, nothing deeper; the plugin reads its ini from plugins\,
// scripts\ or the game folder only.

#include <string>
#include <string_view>
#include <vector>

namespace checker {

enum class Place {
    game,          // the game folder itself
    loader_folder, // "scripts" or "plugins"
    loader_sub,    // a folder right inside "scripts" or "plugins"
    too_deep,      // further down "scripts" or "plugins"
    mod_manager,   // "modloader", at any depth
    elsewhere,
};

// The place of a file from its path's parts ("scripts", "a", "Tessivar.VC.asi").
Place place_of(const std::vector<std::string>& parts);

// The folder of a file from its path's parts, from the game folder: "scripts\a\", or ""
// for the game folder itself.
std::string folder_path(const std::vector<std::string>& parts);

// The three folders the plugin reads its ini from, in its order, with their names.
inline constexpr std::string_view ini_folders[] = {"plugins", "scripts", ""};

// The index into ini_folders of the folder a file sits in; -1 for any other.
int ini_folder_of(const std::vector<std::string>& parts);

} // namespace checker
