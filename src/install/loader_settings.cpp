#include "install/loader_settings.hpp"

#include "common/trimmed.hpp"
#include "install/game_tree.hpp"

#include <cstdlib>

namespace checker {
namespace {

// A number the way GetPrivateProfileInt reads it: leading digits, 0 without any.
bool switched_on(std::string_view value) {
    return std::atoi(std::string{value}.c_str()) != 0;
}

} // namespace

std::vector<std::string> loader_settings_files(std::string_view proxy) {
    const std::string stem{proxy.substr(0, proxy.rfind('.'))};
    return {stem + ".ini", "global.ini", "scripts\\global.ini", "plugins\\global.ini"};
}

void apply_loader_settings(std::string_view text, const std::string& file,
                           LoaderSettings& settings) {
    bool in_global_sets = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.front() == '[') {
            const std::size_t close = line.find(']');
            in_global_sets = close != std::string_view::npos &&
                             same_name(trimmed(line.substr(1, close - 1)), "GlobalSets");
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!in_global_sets || line.empty() || line.front() == ';' ||
            equals == std::string_view::npos)
            continue;
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string_view value = trimmed(line.substr(equals + 1));
        if (same_name(key, "LoadPlugins")) settings.load_plugins = {switched_on(value), file};
        if (same_name(key, "LoadFromScriptsOnly"))
            settings.scripts_only = {switched_on(value), file};
    }
}

} // namespace checker
