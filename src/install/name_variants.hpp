#pragma once
// Names that are near the plugin's own file names, as players end up with them:
// Notepad's .txt that Windows hides, a browser's second download, Explorer's copies.

#include <optional>
#include <string_view>

namespace checker {

enum class PluginName { asi, dll, asi_txt };

// Tessivar.VC.asi and its look-alikes, any letter case; nullopt for any other name.
std::optional<PluginName> plugin_name(std::string_view name);

bool is_ini_name(std::string_view name); // Tessivar.VC.ini, any letter case

// Why a name is a near variant of Tessivar.VC.ini ("Windows hides the .txt"); nullopt
// for the name itself and for any other name.
std::optional<std::string_view> ini_variant(std::string_view name);

} // namespace checker
