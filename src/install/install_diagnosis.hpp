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
    Verdict verdict = Verdict::yes;
    // The finding the verdict rests on: the weightiest one, or for Yes the one that says
    // why (INSTALL-001).
    std::size_t decisive = 0;
    Findings findings; // the weightiest first; what is so (information) among them
    std::vector<Executable> executables;
    // The ini the plugin reads, and every same-named one in the other places, in the
    // plugin's order.
    std::array<std::optional<std::filesystem::path>, 3> candidates;
    // As shown from the game folder ("scripts\Tessivar.VC.ini").
    std::array<std::string, 3> candidates_shown;
    int counting = -1;
    bool cut_short = false; // the folder holds more than the checker looked at

    const Finding& reason() const { return findings[decisive]; }
};

InstallDiagnosis diagnose_install(const std::filesystem::path& game, const AnsiLength& ansi_length,
                                  const WalkBounds& bounds = {});

} // namespace checker
