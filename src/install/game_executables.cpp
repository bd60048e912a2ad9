#include "install/game_executables.hpp"

#include "common/lower_case.hpp"
#include "common/opened_file.hpp"
#include "common/printable.hpp"
#include "install/pe_headers.hpp"

#include <cstdio>

namespace checker {
namespace {

bool ends_with_exe(std::string_view name) {
    return name.size() > 4 && same_name(name.substr(name.size() - 4), ".exe");
}

// Programs that come with games but are not the game; a 64-bit one cannot be it.
bool is_companion(std::string_view name, bool amd64) {
    const std::string lower = lower_case(name);
    for (const std::string_view word :
         {"unins", "setup", "install", "launcher", "config", "crash", "redist", "update"})
        if (lower.find(word) != std::string::npos) return true;
    return amd64;
}

std::string build_fact(const Executable& exe) {
    char text[160];
    std::snprintf(text, sizeof text, ": build %d of the game; the plugin hooks its call at 0x%06x",
                  exe.build.code, exe.build.call_site);
    return printable(exe.name) + text;
}

std::string names(const std::vector<std::string>& list) {
    std::string text;
    for (std::size_t i = 0; i < list.size(); ++i)
        text += (i == 0 ? "" : i + 1 == list.size() ? " and " : ", ") + printable(list[i]);
    return text;
}

} // namespace

GameExecutables find_game_executables(const GameTree& tree, InstallFindings& findings) {
    GameExecutables found;
    std::vector<std::string> every, unknown;
    for (const TreeEntry& entry : tree.entries) {
        if (entry.parts.size() != 1 || entry.folder || !ends_with_exe(entry.name()) ||
            same_name(entry.name(), "Tessivar.VC.check.exe"))
            continue;
        const auto file = OpenedFile::open(entry.path);
        const auto headers = file ? read_pe_headers(*file) : std::nullopt;
        Executable exe{std::string{entry.name()},
                       file ? game_build_of(*file) : injector::no_game_build};
        found.all.push_back(exe);
        every.push_back(exe.name);
        if (exe.build.code) {
            found.facts.push_back(build_fact(exe));
        } else if (is_companion(exe.name, headers && headers->machine != machine_i386)) {
            found.facts.push_back(printable(exe.name) + ": not the game (an installer, a "
                                                        "launcher or a tool)");
        } else {
            found.facts.push_back(printable(exe.name) + ": not one of the three builds the "
                                                        "plugin knows; the plugin does nothing "
                                                        "in it");
            unknown.push_back(exe.name);
        }
    }
    bool known = false;
    for (const Executable& exe : found.all)
        known = known || exe.build.code != 0;
    if (known) return found;
    if (found.all.empty())
        findings.push_back({Weight::unsure, "there is no game executable in this folder",
                            "run the checker in the game folder, or name that folder with "
                            "--game"});
    else if (unknown.size() == 1)
        findings.push_back({Weight::blocks,
                            "this build of the game is not supported: " + names(unknown) +
                                " holds none of the three build signatures the plugin knows, "
                                "so the plugin does nothing in it",
                            "the plugin works only in the three builds it knows"});
    else if (unknown.empty())
        findings.push_back({Weight::unsure,
                            "no executable here looks like the game (only " + names(every) + ")",
                            "run the checker in the game folder, or name that folder with "
                            "--game"});
    else
        findings.push_back({Weight::blocks,
                            "none of " + names(unknown) +
                                " is a build of the game the plugin knows: it does nothing "
                                "in any of them",
                            "the plugin works only in the three builds it knows"});
    return found;
}

} // namespace checker
