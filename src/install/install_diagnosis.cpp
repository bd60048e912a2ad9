#include "install/install_diagnosis.hpp"

#include "install/loader_presence.hpp"
#include "install/plugin_copies.hpp"

#include <algorithm>

namespace checker {
namespace {

Finding colours_apply(const LoaderPresence& loader, const PluginCopies& copies,
                      const std::vector<Executable>& executables, const IniPresence& ini) {
    Arg game = term_arg("game", tr("the game"));
    for (const Executable& exe : executables)
        if (exe.build.code) {
            game = text_arg("game", exe.name);
            break;
        }
    return install_finding(Rule::colours_apply, Weight::none,
                           {text_arg("loader", loader.active->proxy),
                            text_arg("plugin", copies.loaded.front()->shown()), game,
                            text_arg("ini", ini.candidates[ini.counting]->shown())});
}

// Which ini the plugin reads, and which same-named ones it then passes over.
void ini_facts(const IniPresence& ini, Findings& findings) {
    if (ini.counting < 0) return;
    const std::string read = ini.candidates[ini.counting]->shown();
    findings.push_back(
        install_finding(Rule::ini_read, Weight::none, {text_arg("ini", read)}, read));
    for (int i = ini.counting + 1; i < 3; ++i)
        if (ini.candidates[i])
            findings.push_back(install_finding(
                Rule::ini_ignored, Weight::none,
                {text_arg("path", ini.candidates[i]->shown()), text_arg("ini", read)},
                ini.candidates[i]->shown()));
}

} // namespace

InstallDiagnosis diagnose_install(const std::filesystem::path& game, const AnsiLength& ansi_length,
                                  const WalkBounds& bounds) {
    const GameTree tree = walk_game_folder(game, bounds);
    InstallDiagnosis diagnosis;
    diagnosis.cut_short = tree.cut_short || !tree.unlisted.empty();
    Findings& findings = diagnosis.findings;
    GameExecutables executables = find_game_executables(tree, ansi_length, findings);
    const bool no_game = executables.all.empty();
    const LoaderPresence loader = find_asi_loader(tree, findings);
    const PluginCopies copies = find_plugin_copies(tree, loader, findings);
    const IniPresence ini = find_settings(tree, game, ansi_length, findings);
    ini_facts(ini, findings);
    if (diagnosis.cut_short)
        findings.push_back(install_finding(Rule::walk_cut_short, Weight::none, {}));

    diagnosis.executables = std::move(executables.all);
    for (int folder = 0; folder < 3; ++folder)
        if (const TreeEntry* candidate = ini.candidates[folder]) {
            diagnosis.candidates[folder] = candidate->path;
            diagnosis.candidates_shown[folder] = candidate->shown();
        }
    diagnosis.counting = ini.counting;

    // Without a game executable the folder is likely not the game's: that finding stays
    // the first of the weighty ones.
    std::stable_sort(findings.begin(), findings.end(), [&](const Finding& a, const Finding& b) {
        const auto rank = [&](const Finding& f) {
            if (no_game && f.rule == Rule::no_game_executable) return -1;
            return static_cast<int>(f.weight);
        };
        return rank(a) < rank(b);
    });
    if (!findings.empty() && findings.front().weight != Weight::none) {
        diagnosis.verdict =
            findings.front().weight == Weight::blocks ? Verdict::no : Verdict::cannot_tell;
        diagnosis.decisive = 0;
    } else {
        diagnosis.decisive = findings.size();
        findings.push_back(colours_apply(loader, copies, diagnosis.executables, ini));
    }
    return diagnosis;
}

} // namespace checker
