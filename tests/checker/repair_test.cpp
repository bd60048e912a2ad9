// The repair engine on real folders: what it renames, deletes and keeps, and what it
// refuses, leaving every file as it was.

#include "repair/repair.hpp"
#include "support/temp_files.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace {

using namespace checker;
namespace fs = std::filesystem;
using test_support::TempDir;

constexpr std::string_view stamp = "2026-12-09_10-00-00";

// Every file of the folder, by its path from it, with its bytes.
std::map<std::string, std::string> files_of(const fs::path& folder) {
    std::map<std::string, std::string> out;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            out[fs::relative(entry.path(), folder).generic_string()] = {
                std::istreambuf_iterator<char>(in), {}};
        }
    return out;
}

Repair renaming(std::string from, std::string to) {
    return {"INSTALL-000", path_fix(FixAction::rename, std::move(from), std::move(to))};
}

Repair deleting(std::string from) {
    return {"INSTALL-000", path_fix(FixAction::delete_file, std::move(from))};
}

const std::string backup = "Tessivar.VC.backup/" + std::string{stamp} + "/";

TEST(Repair, RenamesDeletesAndKeepsWhatItReplacesOrDeletes) {
    struct Case {
        const char* what;
        Repair repair;
        std::map<std::string, std::string> before, after;
        std::string kept; // as said to the player
    };
    const Case cases[] = {
        {"a rename into a folder that is not there yet",
         renaming("Tessivar.VC.ini", "scripts\\Tessivar.VC.ini"),
         {{"Tessivar.VC.ini", "a"}},
         {{"scripts/Tessivar.VC.ini", "a"}},
         ""},
        {"a rename over a file of that name",
         renaming("scripts\\Tessivar.VC (1).ini", "scripts\\Tessivar.VC.ini"),
         {{"scripts/Tessivar.VC (1).ini", "new"}, {"scripts/Tessivar.VC.ini", "old"}},
         {{"scripts/Tessivar.VC.ini", "new"}, {backup + "scripts/Tessivar.VC.ini", "old"}},
         "Tessivar.VC.backup\\2026-12-09_10-00-00\\scripts\\Tessivar.VC.ini"},
        {"a deletion",
         deleting("plugins\\Tessivar.VC.dll"),
         {{"plugins/Tessivar.VC.dll", "MZ"}, {"scripts/Tessivar.VC.asi", "MZ!"}},
         {{backup + "plugins/Tessivar.VC.dll", "MZ"}, {"scripts/Tessivar.VC.asi", "MZ!"}},
         "Tessivar.VC.backup\\2026-12-09_10-00-00\\plugins\\Tessivar.VC.dll"},
    };
    for (const Case& c : cases) {
        const TempDir game;
        for (const auto& [path, bytes] : c.before)
            game.write(path, bytes);
        const RepairDone done = apply_repair(game.path(), c.repair, stamp);
        EXPECT_TRUE(done.ok) << c.what << ": " << done.problem;
        EXPECT_EQ(done.kept, c.kept) << c.what;
        EXPECT_EQ(files_of(game.path()), c.after) << c.what;
    }
}

TEST(Repair, RefusesWhatItCannotDoWholeAndChangesNothing) {
    struct Case {
        const char* what;
        Repair repair;
    };
    const Case cases[] = {
        {"out of the game folder", renaming("Tessivar.VC.ini", "..\\Tessivar.VC.ini")},
        {"out by a folder's way", renaming("Tessivar.VC.ini", "scripts\\..\\..\\x.ini")},
        {"to a drive", renaming("Tessivar.VC.ini", "C:\\Tessivar.VC.ini")},
        {"to an absolute path", renaming("Tessivar.VC.ini", "/tmp/Tessivar.VC.ini")},
        {"from outside", deleting("..\\outside.txt")},
        {"a file gone since the walk", deleting("scripts\\gone.asi")},
        {"a folder, not a file", deleting("scripts")},
        {"onto a folder", renaming("Tessivar.VC.ini", "plugins")},
        {"an empty name", renaming("Tessivar.VC.ini", "scripts\\\\x.ini")},
    };
    for (const Case& c : cases) {
        const TempDir game;
        game.write("Tessivar.VC.ini", "MoneyColor=1 2 3\r\n");
        game.write("scripts/Tessivar.VC.asi", "MZ");
        game.write("plugins/keep.txt", "k");
        const auto before = files_of(game.path());
        const RepairDone done = apply_repair(game.path(), c.repair, stamp);
        EXPECT_FALSE(done.ok) << c.what;
        EXPECT_FALSE(done.problem.empty()) << c.what;
        EXPECT_EQ(files_of(game.path()), before) << c.what;
        EXPECT_FALSE(fs::exists(game.path() / "Tessivar.VC.backup")) << c.what;
    }
}

TEST(Repair, OffersOnlyTheFixesThatRenameOrDelete) {
    Report report;
    Finding rename, line, removal;
    rename.fix = path_fix(FixAction::rename, "a.ini.txt", "a.ini");
    line.fix = line_fix(FixAction::replace_line, 3, "MoneyColor=1 2 3");
    removal.fix = path_fix(FixAction::delete_file, "b.dll");
    report.findings = {rename, line, Finding{}, removal};
    const auto repairs = repairs_of(report);
    ASSERT_EQ(repairs.size(), 2u);
    EXPECT_EQ(repairs[0].fix, *rename.fix);
    EXPECT_EQ(repairs[1].fix, *removal.fix);
}

TEST(Repair, SaysWhetherARenameGoesOverAFile) {
    const TempDir game;
    game.write("scripts/Tessivar.VC.ini", "old");
    EXPECT_EQ(repair_sentence(game.path(), renaming("x.ini", "y.ini"), stamp, english()),
              "rename x.ini to y.ini");
    EXPECT_EQ(repair_sentence(game.path(), renaming("x.ini", "scripts\\Tessivar.VC.ini"), stamp,
                              english()),
              "rename x.ini to scripts\\Tessivar.VC.ini, over the file of that name (a copy of "
              "it is kept in Tessivar.VC.backup\\2026-12-09_10-00-00\\)");
}

} // namespace
