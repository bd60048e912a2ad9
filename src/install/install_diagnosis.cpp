#include "install/install_diagnosis.hpp"

#include "common/printable.hpp"
#include "install/loader_presence.hpp"
#include "install/plugin_copies.hpp"

#include <algorithm>

namespace checker {
namespace {

std::string sentence_yes(const LoaderPresence& loader, const PluginCopies& copies,
                         const std::vector<Executable>& executables, const IniPresence& ini) {
    std::string game = "the game";
    for (const Executable& exe : executables)
        if (exe.build.code) {
            game = printable(exe.name);
            break;
        }
    return printable(loader.active->proxy) + " loads " + printable(copies.loaded.front()->shown()) +
           " into " + game + ", and the plugin reads your colours from " +
           printable(ini.candidates[ini.counting]->shown());
}

} // namespace

InstallDiagnosis diagnose_install(const std::filesystem::path& game,
                                  const AnsiLength& ansi_length) {
    const GameTree tree = walk_game_folder(game);
    InstallDiagnosis diagnosis{Verdict::yes, {}, {}, {}, {}, {}, -1, tree.cut_short};
    InstallFindings& findings = diagnosis.findings;
    GameExecutables executables = find_game_executables(tree, findings);
    const LoaderPresence loader = find_asi_loader(tree, findings);
    const PluginCopies copies = find_plugin_copies(tree, loader, findings);
    const IniPresence ini = find_settings(tree, game, ansi_length, findings);
    if (tree.cut_short)
        findings.push_back({Weight::warns,
                            "the game folder holds more files or deeper folders than the "
                            "checker looks through; it may have missed some",
                            "look for copies of Tessivar.VC.asi yourself"});

    diagnosis.executables = std::move(executables.all);
    for (const auto& facts : {executables.facts, loader.facts, copies.facts})
        diagnosis.facts.insert(diagnosis.facts.end(), facts.begin(), facts.end());
    for (int folder = 0; folder < 3; ++folder)
        if (ini.candidates[folder]) diagnosis.candidates[folder] = ini.candidates[folder]->path;
    diagnosis.counting = ini.counting;

    // Without a game executable the folder is likely not the game's: that finding, the
    // first made, stays first.
    const bool no_game = diagnosis.executables.empty() && !findings.empty();
    std::stable_sort(findings.begin() + (no_game ? 1 : 0), findings.end(),
                     [](const auto& a, const auto& b) { return a.weight < b.weight; });
    if (!findings.empty() && findings.front().weight != Weight::warns) {
        diagnosis.verdict =
            findings.front().weight == Weight::blocks ? Verdict::no : Verdict::cannot_tell;
        diagnosis.reason = findings.front().message;
    } else {
        diagnosis.reason = sentence_yes(loader, copies, diagnosis.executables, ini);
    }
    return diagnosis;
}

} // namespace checker
