#pragma once
// "Will my colours apply?": a game folder as the ASI loader and the plugin will see it.
// The game executable and its build, the ASI loader and its settings, every copy of
// the plugin, the ini that counts and the files meant as it, the folder's path.

#include "install/game_executables.hpp"
#include "install/ini_presence.hpp"
#include "install/install_finding.hpp"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace checker {

enum class Verdict { yes, no, cannot_tell };

struct InstallDiagnosis {
    Verdict verdict;
    std::string reason;       // the one that matters most, in a sentence
    InstallFindings findings; // the weightiest first; texts already escaped
    std::vector<std::string> facts;
    std::vector<Executable> executables;
    // The ini the plugin reads, and every same-named one in the other places, in the
    // plugin's order (escaped, for the report: "scripts\Tessivar.VC.ini").
    std::array<std::optional<std::filesystem::path>, 3> candidates;
    int counting = -1;
    bool cut_short = false; // the folder holds more than the checker looked at
};

InstallDiagnosis diagnose_install(const std::filesystem::path& game, const AnsiLength& ansi_length);

} // namespace checker
