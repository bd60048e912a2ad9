#include "install/install_places.hpp"

#include "install/game_tree.hpp"

namespace checker {
namespace {

bool loader_folder(std::string_view name) {
    return same_name(name, "scripts") || same_name(name, "plugins");
}

} // namespace

Place place_of(const std::vector<std::string>& parts) {
    const std::size_t folders = parts.size() - 1;
    if (folders == 0) return Place::game;
    if (same_name(parts[0], "modloader")) return Place::mod_manager;
    if (!loader_folder(parts[0])) return Place::elsewhere;
    return folders == 1 ? Place::loader_folder : folders == 2 ? Place::loader_sub : Place::too_deep;
}

std::string folder_path(const std::vector<std::string>& parts) {
    std::string text;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i)
        text += parts[i] + "\\";
    return text;
}

int ini_folder_of(const std::vector<std::string>& parts) {
    if (parts.size() == 1) return 2;
    if (parts.size() != 2) return -1;
    for (int i = 0; i < 2; ++i)
        if (same_name(parts[0], ini_folders[i])) return i;
    return -1;
}

} // namespace checker
