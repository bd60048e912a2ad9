#include "install/plugin_copies.hpp"

#include "common/opened_file.hpp"
#include "common/product_names.hpp"
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

// Where a copy goes to be loaded: scripts\ under the name the loader takes.
const std::string loaded_place = "scripts\\" + std::string{plugin_file_name};

// Why the loader passes over a copy, and what makes it load; its weight is settled once
// it is known whether another copy loads.
Finding not_loaded(const TreeEntry& copy, PluginName name, const LoaderPresence& loader) {
    const std::string shown = copy.shown();
    const Place place = place_of(copy.parts);
    const bool loads_here = loads_from(place, loader);
    Args args{text_arg("path", shown),
              term_arg("move", loads_here ? std::string_view{} : tr(" and move it to scripts\\"))};
    // Renamed in place where the loader loads from there, else moved to scripts\.
    const std::string renamed =
        loads_here ? folder_path(copy.parts) + std::string{plugin_file_name} : loaded_place;
    const auto made = [&](Rule rule, Weight weight, std::optional<Fix> fix) {
        Finding finding = install_finding(rule, weight, args, shown);
        finding.fix = std::move(fix);
        return finding;
    };
    const Fix moved = path_fix(FixAction::rename, shown, loaded_place);
    if (name == PluginName::dll)
        return made(Rule::plugin_named_dll, Weight::blocks,
                    path_fix(FixAction::rename, shown, renamed));
    if (name == PluginName::asi_txt)
        return made(Rule::plugin_named_txt, Weight::blocks,
                    path_fix(FixAction::rename, shown, renamed));
    if (loads_here) return made(Rule::plugin_not_a_library, Weight::blocks, std::nullopt);
    if (place == Place::game) {
        args.push_back(text_arg("file", loader.active->settings.scripts_only.file));
        return made(Rule::plugin_in_game_folder, Weight::blocks, moved);
    }
    if (place == Place::too_deep) return made(Rule::plugin_too_deep, Weight::blocks, moved);
    if (place == Place::mod_manager)
        return made(Rule::plugin_in_mod_manager, Weight::unsure, moved);
    return made(Rule::plugin_elsewhere, Weight::blocks, moved);
}

std::vector<ListItem> folders_of(const std::vector<const TreeEntry*>& copies) {
    std::vector<ListItem> folders;
    for (const TreeEntry* copy : copies) {
        const std::string folder = folder_path(copy->parts);
        folders.push_back({folder.empty() ? tr("the game folder") : std::string_view{}, folder});
    }
    return folders;
}

} // namespace

PluginCopies find_plugin_copies(const GameTree& tree, const LoaderPresence& loader,
                                Findings& findings) {
    PluginCopies copies;
    Findings passed_over;
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
        findings.push_back(install_finding(Rule::plugin_loaded, Weight::none,
                                           {text_arg("path", copy->shown())}, copy->shown()));
    for (Finding finding : passed_over) {
        if (!copies.loaded.empty()) {
            // Another copy is loaded: this one only confuses.
            weigh(finding, Weight::none);
            finding.advice = 1;
            finding.args.push_back(text_arg("loaded", copies.loaded.front()->shown()));
            finding.fix = path_fix(FixAction::delete_file, finding.file);
        }
        findings.push_back(std::move(finding));
    }
    if (copies.loaded.size() > 1)
        findings.push_back(
            install_finding(Rule::several_copies_loaded, Weight::none,
                            {number_arg("count", static_cast<long long>(copies.loaded.size())),
                             list_arg("folders", folders_of(copies.loaded))}));
    if (copies.loaded.empty() && passed_over.empty())
        findings.push_back(install_finding(Rule::no_plugin, Weight::blocks, {}));
    return copies;
}

} // namespace checker
