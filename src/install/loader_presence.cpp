#include "install/loader_presence.hpp"

#include "common/opened_file.hpp"
#include "common/printable.hpp"
#include "install/asi_loader.hpp"

#include <algorithm>

namespace checker {
namespace {

// Far more than any loader's settings file.
constexpr std::size_t settings_read_limit = 64 * 1024;

const TreeEntry* file_at(const GameTree& tree, std::string_view relative) {
    const TreeEntry* entry = tree.find(relative);
    return entry && !entry->folder ? entry : nullptr;
}

LoaderSettings settings_of(const GameTree& tree, std::string_view proxy) {
    LoaderSettings settings;
    for (const std::string& relative : loader_settings_files(proxy))
        if (const TreeEntry* file = file_at(tree, relative))
            if (const auto text = read_prefix(file->path, settings_read_limit))
                apply_loader_settings(*text, printable(file->shown()), settings);
    return settings;
}

struct Inspected {
    std::vector<ActiveLoader> working;
    InstallFindings unusable; // loaders the game cannot use, and broken proxies
    std::vector<std::string> facts;
};

void inspect(const GameTree& tree, const TreeEntry& dll, Inspected& found) {
    const std::string name = printable(dll.name());
    const auto file = OpenedFile::open(dll.path);
    const ProxyInspection seen =
        file ? inspect_proxy(*file) : ProxyInspection{ProxyKind::not_a_library, false};
    if (seen.kind == ProxyKind::other_library) {
        found.facts.push_back(name + ": not an ASI loader (a system library, a graphics "
                                     "wrapper or the game's own)");
    } else if (seen.kind == ProxyKind::not_a_library) {
        found.unusable.push_back({Weight::unsure,
                                  name + " is not a Windows library (empty or damaged): the "
                                         "game may not start",
                                  "replace " + name + " with a working copy"});
    } else if (!seen.i386) {
        found.unusable.push_back({Weight::blocks,
                                  name + " is an ASI loader for 64-bit games: this 32-bit game "
                                         "cannot load it",
                                  "use the loader's 32-bit (x86) build as " + name});
    } else if (same_name(dll.name(), vorbis_proxy) && !file_at(tree, vorbis_original)) {
        found.unusable.push_back(
            {Weight::blocks,
             name + " is an ASI loader, but the game's own vorbisFile.dll is not beside it as " +
                 std::string{vorbis_original} + ": the game cannot start",
             "rename the game's original vorbisFile.dll to " + std::string{vorbis_original} +
                 " and put it beside the loader, or install the loader as dinput8.dll"});
    } else {
        found.working.push_back({std::string{dll.name()}, settings_of(tree, dll.name())});
    }
}

std::string active_fact(const ActiveLoader& loader) {
    std::string fact = printable(loader.proxy) + ": the ASI loader that loads plugins";
    if (loader.settings.scripts_only.on)
        fact += " (LoadFromScriptsOnly=1 in " + loader.settings.scripts_only.file +
                ": not from the game folder)";
    return fact;
}

} // namespace

LoaderPresence find_asi_loader(const GameTree& tree, InstallFindings& findings) {
    Inspected found;
    for (const std::string_view proxy : loader_proxy_names)
        if (const TreeEntry* dll = file_at(tree, proxy)) inspect(tree, *dll, found);
    LoaderPresence presence{std::nullopt, found.facts};
    for (const ActiveLoader& loader : found.working)
        if (loader.settings.load_plugins.on && !presence.active) presence.active = loader;
    for (InstallFinding finding : found.unusable) {
        if (presence.active) finding.weight = Weight::warns;
        findings.push_back(std::move(finding));
    }
    if (presence.active) {
        presence.facts.push_back(active_fact(*presence.active));
        if (found.working.size() > 1)
            findings.push_back(
                {Weight::warns,
                 "there are " + std::to_string(found.working.size()) +
                     " ASI loaders in the game folder: if the game loads more "
                     "than one, each loads every plugin",
                 "keep " + printable(presence.active->proxy) + " and remove the others"});
        return presence;
    }
    if (!found.working.empty()) {
        const ActiveLoader& off = found.working.front();
        findings.push_back({Weight::blocks,
                            printable(off.proxy) +
                                " is an ASI loader that loads no plugins: "
                                "LoadPlugins=0 in " +
                                off.settings.load_plugins.file,
                            "set LoadPlugins=1 in " + off.settings.load_plugins.file});
    } else if (std::none_of(found.unusable.begin(), found.unusable.end(),
                            [](const auto& f) { return f.weight == Weight::blocks; })) {
        findings.push_back({Weight::blocks,
                            "there is no ASI loader in the game folder, so nothing loads the "
                            "plugin",
                            "put an ASI loader for 32-bit games in the game folder, named as a "
                            "library the game loads (dinput8.dll is the usual one)"});
    }
    return presence;
}

} // namespace checker
