#pragma once
// The settings of an ASI loader that decide whether it loads this plugin: LoadPlugins
// and LoadFromScriptsOnly, in the [GlobalSets] section of the loader's ini files.
// Players put them in "<proxy name>.ini" or "global.ini", in the game folder, in
// "scripts" or in "plugins"; a file read later overrides one read earlier.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace checker {

// What one of the loader's settings says, and the file that says it.
struct LoaderSwitch {
    bool on;
    std::string file; // as shown to the player, "" while it is the loader's own default
};

struct LoaderSettings {
    LoaderSwitch load_plugins{true, ""};
    LoaderSwitch scripts_only{false, ""};
};

// The files a loader installed as `proxy` reads, in the order they apply, relative to
// the game folder with backslashes.
std::vector<std::string> loader_settings_files(std::string_view proxy);

// A key's number in a settings file, read as Windows' GetPrivateProfileInt reads it: the
// first section of that name, the first line of that key, either in any letter case; a
// byte-order mark taken as the encoding; CR and LF each ending a line. nullopt where it
// would give the default: no such key, or no value.
std::optional<long> profile_int(std::string_view bytes, std::string_view section,
                                std::string_view key);

// Applies one file's bytes (`file` names it for the report) over `settings`.
void apply_loader_settings(std::string_view bytes, const std::string& file,
                           LoaderSettings& settings);

} // namespace checker
