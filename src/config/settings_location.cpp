#include "config/settings_location.hpp"

#include "config/settings_path.hpp"

#include <algorithm>

namespace config {

std::string_view game_folder(std::string_view executable_path) {
    const auto slash = executable_path.rfind('\\');
    return slash == std::string_view::npos ? executable_path : executable_path.substr(0, slash + 1);
}

std::string candidate_path(std::string_view folder, std::string_view name) {
    std::string path{folder};
    if (!name.empty()) {
        path += name;
        path += '\\';
    }
    path += settings_file_name;
    return path;
}

void store_settings_path(std::string_view path) {
    // A path that does not fit is dropped rather than cut: a cut path could name
    // some other file.
    if (path.size() >= settings_path.size() || path.find('\0') != std::string_view::npos) {
        settings_path[0] = '\0';
        return;
    }
    std::copy(path.begin(), path.end(), settings_path.begin());
    settings_path[path.size()] = '\0';
}

} // namespace config
