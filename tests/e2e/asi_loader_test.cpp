// The plugin as players load it: an ASI loader loads every *.asi of the game folder,
// scripts\ and plugins\ while the game's runtime starts, before any of its code runs,
// each with the current folder set to the plugin's own.

#include "support/expected_hud.hpp"
#include "support/simulated_game.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using test_support::expected_hud;
using test_support::host_result;
using test_support::HostRun;
using test_support::SimulatedGame;

constexpr std::uint32_t site = 0x600411;
constexpr std::uint32_t money_red = 0x5582af;

class AsiLoader : public ::testing::Test {
protected:
    AsiLoader() { std::filesystem::remove(game.plugin()); }
    SimulatedGame game;
};

struct Placement {
    const char* plugin;                            // where the .asi is, in the game folder
    std::vector<std::pair<const char*, int>> inis; // ini paths and the red each one sets
    const char* winner;                            // the ini the plugin must read
};

class AsiLoaderIni : public AsiLoader, public ::testing::WithParamInterface<Placement> {};

TEST_P(AsiLoaderIni, TheIniIsLookedForFromTheGameFolderOnly) {
    const Placement& placement = GetParam();
    game.copy_plugin(placement.plugin);
    for (const auto& [path, red] : placement.inis)
        game.write(path, "MoneyColor=" + std::to_string(red) + " 2 3\n");
    const HostRun run = game.run_with_asi_loader("dump loaded call 1 dump called");
    ASSERT_TRUE(run.ran_to_exit()) << run.raw.output;

    std::string loaded = std::string("asi ") + placement.plugin + " loaded";
    std::replace(loaded.begin(), loaded.end(), '/', '\\');
    EXPECT_TRUE(run.printed(loaded)) << run.raw.output;
    // The signature and the site were in the file before the game's code ran.
    EXPECT_NE(run.views.at("loaded").sites.at(site), run.views.at("start").sites.at(site));
    EXPECT_EQ(run.views.at("loaded").hud, run.views.at("start").hud);
    EXPECT_EQ(run.call_results, std::vector<std::string>{host_result});
    EXPECT_EQ(run.views.at("called").hud,
              expected_hud(run.views.at("start"), game.path(placement.winner).c_str()));
}

INSTANTIATE_TEST_SUITE_P(
    Placements, AsiLoaderIni,
    ::testing::Values(Placement{"scripts/Tessivar.VC.asi",
                                {{"plugins/Tessivar.VC.ini", 1},
                                 {"scripts/Tessivar.VC.ini", 2},
                                 {"Tessivar.VC.ini", 3}},
                                "plugins/Tessivar.VC.ini"},
                      Placement{"scripts/Tessivar.VC.asi",
                                {{"scripts/Tessivar.VC.ini", 2}, {"Tessivar.VC.ini", 3}},
                                "scripts/Tessivar.VC.ini"},
                      // In a subfolder of scripts\, which is also the current folder while it
                      // loads: an ini beside it is neither of the places the plugin looks.
                      Placement{"scripts/colours/Tessivar.VC.asi",
                                {{"scripts/colours/Tessivar.VC.ini", 9}, {"Tessivar.VC.ini", 3}},
                                "Tessivar.VC.ini"}));

class TwoCopies : public AsiLoader, public ::testing::WithParamInterface<std::pair<int, int>> {};

// The second copy hooks over the first; either may be unloaded first, and the game's
// call keeps working and ends with the game's own five bytes at the site.
TEST_P(TwoCopies, BothLoadAndUnloadingInEitherOrderLeavesASoundSite) {
    const auto [first, second] = GetParam();
    game.copy_plugin("scripts/Tessivar.VC.asi");
    game.copy_plugin("plugins/Tessivar.VC.asi");
    game.write("plugins/Tessivar.VC.ini", "MoneyColor=1 2 3\nTimerColor=4 5 6 7\n");
    const HostRun run = game.run_with_asi_loader(
        "call 1 dump called unload-asi " + std::to_string(first) + " call 1 dump one unload-asi " +
        std::to_string(second) + " call 1 dump none");
    ASSERT_TRUE(run.ran_to_exit()) << run.raw.output;
    EXPECT_TRUE(run.printed("asi scripts\\Tessivar.VC.asi loaded"));
    EXPECT_TRUE(run.printed("asi plugins\\Tessivar.VC.asi loaded"));
    EXPECT_EQ(run.call_results, std::vector<std::string>(3, host_result));
    const auto& start = run.views.at("start");
    EXPECT_EQ(run.views.at("called").hud,
              expected_hud(start, game.path("plugins/Tessivar.VC.ini").c_str()));
    EXPECT_EQ(run.views.at("one").hud.at(money_red), "01");
    EXPECT_EQ(run.views.at("none").sites, start.sites);
    EXPECT_EQ(run.views.at("none").protection.at(site), "0x20");
}

INSTANTIATE_TEST_SUITE_P(Orders, TwoCopies, ::testing::Values(std::pair{0, 1}, std::pair{1, 0}));

} // namespace
