#pragma once
// Repairs of a game folder: the install findings' fixes that rename or remove a file,
// carried out one at a time and only when the player has said yes to that one. A file
// replaced or removed is first copied to Tessivar.VC.backup\<date-time>\ in the game
// folder; a repair that cannot be done whole leaves the folder as it was.

#include "common/product_names.hpp"
#include "findings/catalogue.hpp"
#include "report/report.hpp"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace checker {

struct Repair {
    std::string code; // of the finding it mends
    Fix fix;          // a rename or a removal, its paths from the game folder
};

std::vector<Repair> repairs_of(const Report& report);

// What it will do in `game`, in words, for the player to say yes or no to: "rename A to
// B", "delete A (a copy is kept in Tessivar.VC.backup\<stamp>\)".
std::string repair_sentence(const std::filesystem::path& game, const Repair& repair,
                            std::string_view stamp, const Catalogue& language);

struct RepairDone {
    bool ok = false;
    std::string problem; // English, for the catalogue, when not ok
    std::string kept;    // a copy kept, as shown from the game folder; or ""
};

// `stamp` names the backup folder of this run ("2026-12-09_05-30-00").
RepairDone apply_repair(const std::filesystem::path& game, const Repair& repair,
                        std::string_view stamp);

// The local date and time as a folder name that every system takes.
std::string backup_stamp();

} // namespace checker
