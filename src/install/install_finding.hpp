#pragma once
// One thing the install diagnosis found, and how much it weighs on the answer to
// "will my colours apply?".

#include <string>
#include <vector>

namespace checker {

enum class Weight {
    blocks, // the colours will not apply
    unsure, // the checker cannot tell whether they will
    warns,  // they apply, but something is not as the player thinks
};

struct InstallFinding {
    Weight weight;
    std::string message; // what is so, in a player's words
    std::string advice;  // what to do
};

using InstallFindings = std::vector<InstallFinding>;

} // namespace checker
