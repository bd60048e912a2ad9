#include "install/game_executables.hpp"

#include "common/lower_case.hpp"
#include "common/opened_file.hpp"
#include "common/product_names.hpp"
#include "config/settings_path.hpp"
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

std::string hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", value);
    return text;
}

// What keeps the plugin from recolouring a known build: the game loaded elsewhere than
// the HUD's addresses, another mod's patch at the call site, a path Windows cannot give.
void check_known_build(const TreeEntry& entry, const Executable& exe, const PeHeaders& headers,
                       const ByteSource& file, const AnsiLength& ansi_length, Findings& findings) {
    const Arg name = text_arg("exe", exe.name);
    if (headers.image_base != default_image_base)
        findings.push_back(install_finding(Rule::game_elsewhere, Weight::blocks,
                                           {name, text_arg("base", hex(headers.image_base))},
                                           exe.name));
    else if (headers.moves)
        findings.push_back(install_finding(Rule::game_may_move, Weight::blocks, {name}, exe.name));
    // The plugin hooks only a call: the game's own, or one through a cell another mod left.
    // (A file whose sections do not hold the site says nothing of it.)
    const std::string call = image_bytes(file, headers, exe.build.call_site, 2);
    const bool hookable = call.size() < 2 || static_cast<unsigned char>(call[0]) == 0xE8 ||
                          call == std::string_view{"\xFF\x15", 2};
    if (!hookable) {
        std::string bytes;
        for (const char c : image_bytes(file, headers, exe.build.call_site, 5)) {
            char text[4];
            std::snprintf(text, sizeof text, "%s%02X", bytes.empty() ? "" : " ",
                          static_cast<unsigned char>(c));
            bytes += text;
        }
        findings.push_back(install_finding(
            Rule::call_site_replaced, Weight::blocks,
            {name, text_arg("site", site_text(exe.build)), text_arg("bytes", bytes)}, exe.name));
    }
    if (const auto length = ansi_length(std::filesystem::absolute(entry.path));
        length && *length >= config::path_capacity)
        findings.push_back(install_finding(
            Rule::game_path_too_long, Weight::blocks,
            {name, number_arg("length", static_cast<long long>(*length))}, exe.name));
}

} // namespace

GameExecutables find_game_executables(const GameTree& tree, const AnsiLength& ansi_length,
                                      Findings& findings) {
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
            check_known_build(entry, exe, *headers, *file, ansi_length, findings);
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
