#include "install/loader_presence.hpp"

#include "common/opened_file.hpp"
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
                apply_loader_settings(*text, file->shown(), settings);
    return settings;
}

struct Inspected {
    std::vector<ActiveLoader> working;
    Findings unusable; // loaders the game cannot use, and broken proxies
    Findings facts;
};

void inspect(const GameTree& tree, const TreeEntry& dll, Inspected& found) {
    const std::string name{dll.name()};
    const Arg named = text_arg("dll", name);
    const auto file = OpenedFile::open(dll.path);
    const ProxyInspection seen =
        file ? inspect_proxy(*file) : ProxyInspection{ProxyKind::not_a_library, false};
    if (seen.kind == ProxyKind::other_library) {
        found.facts.push_back(install_finding(Rule::not_a_loader, Weight::none, {named}, name));
    } else if (seen.kind == ProxyKind::not_a_library) {
        found.unusable.push_back(
            install_finding(Rule::proxy_not_a_library, Weight::unsure, {named}, name));
    } else if (!seen.i386) {
        found.unusable.push_back(
            install_finding(Rule::loader_64_bit, Weight::blocks, {named}, name));
    } else if (same_name(dll.name(), vorbis_proxy) && !file_at(tree, vorbis_original)) {
        found.unusable.push_back(
            install_finding(Rule::vorbis_original_missing, Weight::blocks, {named}, name));
    } else {
        found.working.push_back({name, settings_of(tree, dll.name())});
    }
}

Finding active_fact(const ActiveLoader& loader) {
    const Arg named = text_arg("dll", loader.proxy);
    if (loader.settings.scripts_only.on)
        return install_finding(Rule::active_loader_scripts_only, Weight::none,
                               {named, text_arg("file", loader.settings.scripts_only.file)},
                               loader.proxy);
    return install_finding(Rule::active_loader, Weight::none, {named}, loader.proxy);
}

} // namespace

LoaderPresence find_asi_loader(const GameTree& tree, Findings& findings) {
    Inspected found;
    for (const std::string_view proxy : loader_proxy_names)
        if (const TreeEntry* dll = file_at(tree, proxy)) inspect(tree, *dll, found);
    LoaderPresence presence{std::nullopt};
    findings.insert(findings.end(), found.facts.begin(), found.facts.end());
    for (const ActiveLoader& loader : found.working)
        if (loader.settings.load_plugins.on && !presence.active) presence.active = loader;
    for (Finding finding : found.unusable) {
        if (presence.active) weigh(finding, Weight::none);
        findings.push_back(std::move(finding));
    }
    if (presence.active) {
        findings.push_back(active_fact(*presence.active));
        if (found.working.size() > 1)
            findings.push_back(
                install_finding(Rule::several_loaders, Weight::none,
                                {number_arg("count", static_cast<long long>(found.working.size())),
                                 text_arg("loader", presence.active->proxy)}));
        return presence;
    }
    if (!found.working.empty()) {
        const ActiveLoader& off = found.working.front();
        findings.push_back(install_finding(
            Rule::loader_loads_no_plugins, Weight::blocks,
            {text_arg("dll", off.proxy), text_arg("file", off.settings.load_plugins.file)},
            off.proxy));
    } else if (std::none_of(found.unusable.begin(), found.unusable.end(),
                            [](const auto& f) { return f.weight == Weight::blocks; })) {
        findings.push_back(install_finding(Rule::no_loader, Weight::blocks, {}));
    }
    return presence;
}

} // namespace checker
