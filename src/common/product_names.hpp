#pragma once
// The names of what players get, as the tools name them to players and look for them in
// a game folder (the ini's own name is the plugin's: config/settings_path.hpp).

#include <string_view>

namespace checker {

inline constexpr std::string_view product_stem = "Tessivar.VC";
inline constexpr std::string_view plugin_file_name = "Tessivar.VC.asi";
inline constexpr std::string_view checker_command = "Tessivar.VC.check";
inline constexpr std::string_view checker_file_name = "Tessivar.VC.check.exe";
// In the game folder: the copies of what a repair replaced or deleted, by date and time.
inline constexpr std::string_view backup_folder_name = "Tessivar.VC.backup";

} // namespace checker
