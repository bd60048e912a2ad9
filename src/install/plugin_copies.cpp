#include "install/plugin_copies.hpp"

#include "common/opened_file.hpp"
#include "common/printable.hpp"
#include "install/install_places.hpp"
#include "install/name_variants.hpp"
#include "install/pe_headers.hpp"

namespace checker {
namespace {

bool loads_from(Place place, const LoaderPresence& loader) {
    const bool scripts_only = loader.active && loader.active->settings.scripts_only.on;
    return place == Place::loader_folder || place == Place::loader_sub ||
           (place == Place::game && !scripts_only);
}

// A 32-bit Windows library, as a loader in a 32-bit game can load it.
bool loadable_library(const TreeEntry& copy) {
    const auto file = OpenedFile::open(copy.path);
    const auto headers = file ? read_pe_headers(*file) : std::nullopt;
    return headers && headers->machine == machine_i386;
}

// Why the loader passes over a copy, and what makes it load; `weight` is filled in
// once it is known whether another copy loads.
InstallFinding not_loaded(const TreeEntry& copy, PluginName name, const LoaderPresence& loader) {
    const std::string shown = printable(copy.shown());
    const Place place = place_of(copy.parts);
    const std::string move = loads_from(place, loader) ? "" : " and move it to scripts\\";
    if (name == PluginName::dll)
        return {Weight::blocks, shown + " is not loaded: ASI loaders load only .asi files",
                "rename " + shown + " to Tessivar.VC.asi" + move};
    if (name == PluginName::asi_txt)
        return {Weight::blocks, shown + " is not loaded: its name ends in .txt",
                "rename " + shown + " to Tessivar.VC.asi (Windows hides the .txt)" + move};
    if (loads_from(place, loader))
        return {Weight::blocks,
                shown + " is not a 32-bit Windows library (a damaged or unfinished download): "
                        "the loader cannot load it",
                "copy Tessivar.VC.asi anew from the release archive"};
    if (place == Place::game)
        return {Weight::blocks,
                shown + " in the game folder is not loaded: LoadFromScriptsOnly=1 in " +
                    loader.active->settings.scripts_only.file,
                "move it to scripts\\"};
    if (place == Place::too_deep)
        return {Weight::blocks, shown + " is not loaded: ASI loaders look one folder deep at most",
                "move it to scripts\\"};
    if (place == Place::mod_manager)
        return {Weight::unsure,
                shown + " is loaded only if your mod manager loads .asi files from there",
                "move it to scripts\\ to be sure"};
    return {Weight::blocks,
            shown + " is not loaded: ASI loaders load from the game folder, scripts\\ and "
                    "plugins\\ only",
            "move it to scripts\\"};
}

std::string folders_of(const std::vector<const TreeEntry*>& copies) {
    std::string text;
    for (std::size_t i = 0; i < copies.size(); ++i)
        text += (i == 0                   ? ""
                 : i + 1 == copies.size() ? " and "
                                          : ", ") +
                printable(folder_shown(copies[i]->parts));
    return text;
}

} // namespace

PluginCopies find_plugin_copies(const GameTree& tree, const LoaderPresence& loader,
                                InstallFindings& findings) {
    PluginCopies copies;
    InstallFindings passed_over;
    for (const TreeEntry& entry : tree.entries) {
        const auto name = entry.folder ? std::nullopt : plugin_name(entry.name());
        if (!name) continue;
        if (*name == PluginName::asi && loads_from(place_of(entry.parts), loader) &&
            loadable_library(entry))
            copies.loaded.push_back(&entry);
        else
            passed_over.push_back(not_loaded(entry, *name, loader));
    }
    for (const TreeEntry* copy : copies.loaded)
        copies.facts.push_back(printable(copy->shown()) +
                               ": a copy of the plugin, where ASI loaders load it");
    for (InstallFinding finding : passed_over) {
        if (!copies.loaded.empty()) {
            finding.weight = Weight::warns;
            finding.advice =
                "remove it (" + printable(copies.loaded.front()->shown()) + " is loaded)";
        }
        findings.push_back(std::move(finding));
    }
    if (copies.loaded.size() > 1)
        findings.push_back({Weight::warns,
                            (copies.loaded.size() == 2 ? std::string{"two"}
                                                       : std::to_string(copies.loaded.size())) +
                                " copies are loaded (" + folders_of(copies.loaded) +
                                "): each recolours the HUD from the same ini",
                            "keep one"});
    if (copies.loaded.empty() && passed_over.empty())
        findings.push_back({Weight::blocks, "there is no Tessivar.VC.asi in the game folder",
                            "copy Tessivar.VC.asi into scripts\\"});
    return copies;
}

} // namespace checker
