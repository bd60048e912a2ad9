#include "install/ini_presence.hpp"

#include "config/settings_path.hpp"
#include "install/install_places.hpp"
#include "install/name_variants.hpp"

namespace checker {
namespace {

namespace fs = std::filesystem;

std::string place_path(int folder) {
    const std::string_view name = ini_folders[folder];
    return (name.empty() ? "" : std::string{name} + "\\") + config::settings_file_name;
}

// Whether the plugin's path to a candidate works: written in the ANSI code page, in
// fewer than 260 bytes with the NUL. Adds the finding when it does not.
bool reachable(const TreeEntry& entry, const AnsiLength& ansi_length, Findings& findings) {
    const auto length = ansi_length(fs::absolute(entry.path));
    if (!length) return false; // said once for the whole folder
    if (*length < config::path_capacity) return true;
    findings.push_back(install_finding(
        Rule::ini_path_too_long, Weight::blocks,
        {text_arg("path", entry.shown()), number_arg("length", static_cast<long long>(*length))},
        entry.shown()));
    return false;
}

std::string in_scripts() {
    return "scripts\\" + std::string{config::settings_file_name};
}

// The advice for a file the player meant as the ini, given the ini that counts.
Finding stray(const TreeEntry& file, const IniPresence& ini, std::string_view cause) {
    const std::string shown = file.shown();
    const int folder = ini_folder_of(file.parts);
    const std::string counting = ini.counting < 0 ? "" : ini.candidates[ini.counting]->shown();
    Args args{text_arg("path", shown), text_arg("ini", counting), term_arg("cause", cause),
              term_arg("why", cause.empty() ? std::string_view{} : tr(" ({cause})"))};
    const auto made = [&](Rule rule, Weight weight, int advice, std::optional<Fix> fix) {
        Finding finding = install_finding(rule, weight, args, shown);
        finding.advice = advice;
        finding.fix = std::move(fix);
        return finding;
    };
    const std::string renamed = folder_path(file.parts) + config::settings_file_name;
    if (folder < 0) {
        if (ini.counting >= 0) return made(Rule::stray_elsewhere, Weight::none, 0, std::nullopt);
        return made(Rule::stray_elsewhere, Weight::blocks, cause.empty() ? 1 : 2,
                    path_fix(FixAction::rename, shown, in_scripts()));
    }
    const Fix rename = path_fix(FixAction::rename, shown, renamed);
    if (ini.counting < 0)
        return made(Rule::stray_not_named, Weight::blocks,
                    cause == tr("Windows hides the .txt") ? 1 : 0, rename);
    if (folder == ini.counting) return made(Rule::stray_beside, Weight::none, 0, std::nullopt);
    if (folder > ini.counting) return made(Rule::stray_shadowed, Weight::none, 0, std::nullopt);
    return made(Rule::stray_would_win, Weight::none, 0, std::nullopt);
}

bool may_hold_a_stray(const TreeEntry& entry) {
    const Place place = place_of(entry.parts);
    if (is_ini_name(entry.name())) return ini_folder_of(entry.parts) < 0;
    return place == Place::game || place == Place::loader_folder || place == Place::loader_sub ||
           place == Place::mod_manager;
}

} // namespace

IniPresence find_settings(const GameTree& tree, const fs::path& game, const AnsiLength& ansi_length,
                          Findings& findings) {
    IniPresence ini;
    const bool writable = ansi_length(fs::absolute(game)).has_value();
    if (!writable) findings.push_back(install_finding(Rule::path_code_page, Weight::blocks, {}));
    Findings too_long;
    for (int folder = 0; folder < 3; ++folder) {
        ini.candidates[folder] = tree.find(place_path(folder));
        if (writable && ini.counting < 0 && ini.candidates[folder] &&
            reachable(*ini.candidates[folder], ansi_length, too_long))
            ini.counting = folder;
    }
    for (Finding finding : too_long) {
        if (ini.counting >= 0) weigh(finding, Weight::none);
        findings.push_back(std::move(finding));
    }
    if (ini.counting >= 0 && ini.candidates[ini.counting]->folder) {
        const std::string shown = ini.candidates[ini.counting]->shown();
        findings.push_back(
            install_finding(Rule::ini_is_folder, Weight::blocks, {text_arg("path", shown)}, shown));
    }
    bool strays = false;
    for (const TreeEntry& entry : tree.entries) {
        if (entry.folder || !may_hold_a_stray(entry)) continue;
        const auto cause = ini_variant(entry.name());
        if (!cause && !is_ini_name(entry.name())) continue;
        findings.push_back(stray(entry, ini, cause.value_or("")));
        strays = true;
    }
    if (ini.counting < 0 && !strays && writable)
        findings.push_back(install_finding(Rule::no_ini, Weight::blocks, {}));
    return ini;
}

} // namespace checker
