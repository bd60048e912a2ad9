#include "config/settings_location.hpp"

#include "config/settings_path.hpp"

#include <algorithm>
#include <cstring>

namespace config {

std::string_view game_folder(std::string_view executable_path) {
    const auto slash = executable_path.rfind('\\');
    return slash == std::string_view::npos ? executable_path : executable_path.substr(0, slash + 1);
}

std::size_t candidate_length(std::string_view folder, std::string_view name) {
    return folder.size() + (name.empty() ? 0 : name.size() + 1) + sizeof settings_file_name - 1;
}

bool write_candidate_path(std::string_view folder, std::string_view name, std::span<char> out) {
    if (out.empty()) return false;
    out[0] = '\0';
    if (candidate_length(folder, name) >= out.size()) return false;
    char* at = std::copy(folder.begin(), folder.end(), out.data());
    if (!name.empty()) {
        at = std::copy(name.begin(), name.end(), at);
        *at++ = '\\';
    }
    std::copy(std::begin(settings_file_name), std::end(settings_file_name), at);
    return true;
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
