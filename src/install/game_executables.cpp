#include "install/game_executables.hpp"

#include "common/lower_case.hpp"
#include "common/opened_file.hpp"
#include "common/product_names.hpp"
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

std::string site_text(const injector::GameBuild& build) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06x", build.call_site);
    return text;
}

} // namespace

GameExecutables find_game_executables(const GameTree& tree, Findings& findings) {
    GameExecutables found;
    std::vector<std::string> every, unknown;
    for (const TreeEntry& entry : tree.entries) {
        if (entry.parts.size() != 1 || entry.folder || !ends_with_exe(entry.name()) ||
            same_name(entry.name(), checker_file_name))
            continue;
        const auto file = OpenedFile::open(entry.path);
        const auto headers = file ? read_pe_headers(*file) : std::nullopt;
        Executable exe{std::string{entry.name()},
                       file ? game_build_of(*file) : injector::no_game_build};
        found.all.push_back(exe);
        every.push_back(exe.name);
        const Arg name = text_arg("exe", exe.name);
        if (exe.build.code) {
            findings.push_back(install_finding(
                Rule::game_build, Weight::none,
                {name, number_arg("build", exe.build.code), text_arg("site", site_text(exe.build))},
                exe.name));
        } else if (is_companion(exe.name, headers && headers->machine != machine_i386)) {
            findings.push_back(
                install_finding(Rule::companion_program, Weight::none, {name}, exe.name));
        } else {
            findings.push_back(
                install_finding(Rule::unknown_executable, Weight::none, {name}, exe.name));
            unknown.push_back(exe.name);
        }
    }
    bool known = false;
    for (const Executable& exe : found.all)
        known = known || exe.build.code != 0;
    if (known) return found;
    if (found.all.empty())
        findings.push_back(install_finding(Rule::no_game_executable, Weight::unsure, {}));
    else if (unknown.size() == 1)
        findings.push_back(install_finding(Rule::unsupported_build, Weight::blocks,
                                           {text_arg("exe", unknown.front())}, unknown.front()));
    else if (unknown.empty())
        findings.push_back(
            install_finding(Rule::no_game_among, Weight::unsure, {list_arg("names", every)}));
    else
        findings.push_back(install_finding(Rule::no_known_build_among, Weight::blocks,
                                           {list_arg("names", unknown)}));
    return found;
}

} // namespace checker
