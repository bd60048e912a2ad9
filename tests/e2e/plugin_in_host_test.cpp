// The plugin loaded into the simulated host, as a game's plugin loader would load it.

#include "support/expected_hud.hpp"
#include "support/simulated_game.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

using test_support::expected_hud;
using test_support::host_result;
using test_support::HostRun;
using test_support::HostView;
using test_support::SimulatedGame;

constexpr std::uint32_t sites[] = {0x600411, 0x600431, 0x600071};

class PluginInHost : public ::testing::Test {
protected:
    SimulatedGame game;
};

class PluginInEachBuild : public PluginInHost,
                          public ::testing::WithParamInterface<std::pair<const char*, int>> {};

TEST_P(PluginInEachBuild, HooksOnlyItsOwnSiteAndGivesItBackAtUnload) {
    const auto [build, hooked_index] = GetParam();
    const HostRun run = game.run(build, "dump before " + game.load() +
                                            "dump loaded call 1 dump called unload dump after");
    ASSERT_TRUE(run.ran_to_exit()) << run.raw.output;
    const HostView& before = run.views.at("before");
    const HostView& loaded = run.views.at("loaded");
    for (int i = 0; i < 3; ++i) {
        if (i == hooked_index) {
            EXPECT_NE(loaded.sites.at(sites[i]), before.sites.at(sites[i])) << build;
            EXPECT_EQ(loaded.sites.at(sites[i]).substr(0, 2), "e8");
        } else {
            EXPECT_EQ(loaded.sites.at(sites[i]), before.sites.at(sites[i])) << build;
        }
        EXPECT_EQ(run.views.at("after").sites.at(sites[i]), before.sites.at(sites[i]));
        EXPECT_EQ(run.views.at("after").protection.at(sites[i]), "0x20");
    }
    EXPECT_EQ(loaded.hud, before.hud); // nothing is written while loading
    EXPECT_EQ(run.call_results, std::vector<std::string>{host_result});
    EXPECT_EQ(run.views.at("called").hud, expected_hud(before, nullptr));
    EXPECT_EQ(run.views.at("after").hud, run.views.at("called").hud); // HUD bytes stay
}

INSTANTIATE_TEST_SUITE_P(Builds, PluginInEachBuild,
                         ::testing::Values(std::pair{"100", 0}, std::pair{"110", 1},
                                           std::pair{"120", 2}));

TEST_F(PluginInHost, UnknownBuildIsLeftEntirelyAlone) {
    game.write("plugins/Tessivar.VC.ini", "MoneyColor=1 2 3\n");
    const HostRun run =
        game.run("none", "dump before " + game.load() + "call 2 dump called unload dump after");
    ASSERT_TRUE(run.ran_to_exit()) << run.raw.output;
    EXPECT_TRUE(run.printed("call none"));
    EXPECT_EQ(run.views.at("called").sites, run.views.at("before").sites);
    EXPECT_EQ(run.views.at("called").hud, run.views.at("before").hud);
    EXPECT_EQ(run.views.at("after").sites, run.views.at("before").sites);
}

TEST_F(PluginInHost, EveryCallRunsThePassAndAnEditedIniTakesEffectNext) {
    game.write("first.ini", "MoneyColor=1 2 3\nZoneTextStyle=3\n");
    game.write("second.ini", "MoneyColor=200 100 50\n");
    const std::string ini = game.path("plugins\\Tessivar.VC.ini");
    const HostRun run =
        game.run("110", "dump before copy " + game.path("first.ini") + " " + ini + " " +
                            game.load() + "call 1 dump first copy " + game.path("second.ini") +
                            " " + ini + " call 1 dump second unload");
    ASSERT_TRUE(run.ran_to_exit()) << run.raw.output;
    const HostView& before = run.views.at("before");
    EXPECT_EQ(run.views.at("first").hud, expected_hud(before, game.path("first.ini").c_str()));
    EXPECT_EQ(run.views.at("second").hud, expected_hud(before, game.path("second.ini").c_str()));
    EXPECT_EQ(run.views.at("second").hud.at(0x5582af), "c8");
    EXPECT_EQ(run.views.at("second").hud.at(0x559918), "00"); // key gone: default again
    EXPECT_EQ(run.call_results, (std::vector<std::string>{host_result, host_result}));
}

TEST_F(PluginInHost, PluginsFolderBeatsScriptsWhichBeatsTheGameFolder) {
    game.write("plugins/Tessivar.VC.ini", "MoneyColor=1 1 1\n");
    game.write("scripts/Tessivar.VC.ini", "MoneyColor=2 2 2\n");
    game.write("Tessivar.VC.ini", "MoneyColor=3 3 3\n");
    const HostRun run =
        game.run("120", game.load() + "call 1 dump plugins delete " +
                            game.path("plugins\\Tessivar.VC.ini") + " call 1 dump scripts delete " +
                            game.path("scripts\\Tessivar.VC.ini") + " call 1 dump root delete " +
                            game.path("Tessivar.VC.ini") + " call 1 dump none unload");
    ASSERT_TRUE(run.ran_to_exit()) << run.raw.output;
    EXPECT_EQ(run.views.at("plugins").hud.at(0x5582af), "01");
    EXPECT_EQ(run.views.at("scripts").hud.at(0x5582af), "02");
    EXPECT_EQ(run.views.at("root").hud.at(0x5582af), "03");
    EXPECT_EQ(run.views.at("none").hud.at(0x5582af), "00"); // default 0 207 133
    EXPECT_EQ(run.views.at("none").hud.at(0x5582aa), "cf");
    EXPECT_EQ(run.call_results.size(), 4u);
}

TEST_F(PluginInHost, RebasedHostHasItsSiteHookedAndNoHudWritten) {
    const HostRun run = game.run(
        "100", "dump before " + game.load() + "dump loaded call 2 dump called unload dump after",
        true);
    ASSERT_TRUE(run.ran_to_exit()) << run.raw.output;
    EXPECT_TRUE(run.printed("host base 0x10000000 build 100"));
    EXPECT_NE(run.views.at("loaded").sites.at(0x600411), run.views.at("before").sites.at(0x600411));
    EXPECT_EQ(run.views.at("loaded").sites.at(0x600431), run.views.at("before").sites.at(0x600431));
    EXPECT_EQ(run.views.at("after").sites, run.views.at("before").sites);
    EXPECT_EQ(run.views.at("called").hud, run.views.at("before").hud);
    EXPECT_EQ(run.call_results, (std::vector<std::string>{host_result, host_result}));
}

} // namespace

namespace {

TEST_F(PluginInHost, ASiteWithoutABranchIsLeftAloneAndThePassNeverRuns) {
    const HostRun run = game.run("100", "--sites nop dump before " + game.load() +
                                            "dump loaded call 2 dump called unload");
    ASSERT_TRUE(run.ran_to_exit()) << run.raw.output;
    EXPECT_EQ(run.views.at("before").sites.at(0x600411), "90 90 90 90 90");
    EXPECT_EQ(run.views.at("loaded").sites, run.views.at("before").sites);
    EXPECT_EQ(run.views.at("called").hud, run.views.at("before").hud);
    EXPECT_EQ(run.call_results.size(), 2u);
}

// An ini path of 260 characters, which the plugin's path cannot hold: the search goes on
// to the next place (the game folder's own, 8 characters shorter) instead of giving every
// setting its default. The checker says the same (its install tests).
TEST(PluginInALongPath, AnIniItCannotOpenIsPassedOverForTheNext) {
    const std::string plugins_ini = "plugins\\Tessivar.VC.ini";
    const SimulatedGame game{[&](const std::filesystem::path& temp) {
        // Folders of 100 characters at most, to a game folder whose plugins ini is 260 long.
        std::size_t left = 260 - plugins_ini.size() - (temp.string().size() + 1);
        std::string inside;
        while (left > 0) {
            const std::size_t part = std::min<std::size_t>(left - 1, 100);
            inside += std::string(part, 'g') + "\\";
            left -= part + 1;
        }
        return inside;
    }};
    ASSERT_EQ(game.path(plugins_ini).size(), 260u);
    game.write("plugins/Tessivar.VC.ini", "MoneyColor=1 1 1\n");
    game.write("Tessivar.VC.ini", "MoneyColor=3 3 3\n");
    const HostRun run = game.run("100", game.load() + "call 1 dump called unload");
    ASSERT_TRUE(run.ran_to_exit()) << run.raw.output;
    EXPECT_EQ(run.views.at("called").hud.at(0x5582af), "03");
}

TEST_F(PluginInHost, AFolderWhereTheIniShouldBeGivesTheDefaults) {
    std::filesystem::create_directories(game.folder.path() / "plugins" / "Tessivar.VC.ini");
    game.write("scripts/Tessivar.VC.ini", "MoneyColor=1 1 1\n"); // never reached
    const HostRun run = game.run("100", "dump before " + game.load() + "call 1 dump called unload");
    ASSERT_TRUE(run.ran_to_exit()) << run.raw.output;
    EXPECT_EQ(run.views.at("called").hud, expected_hud(run.views.at("before"), nullptr));
}

// Loaded and unloaded 200 times, with the call executed in between.
struct CycleRun {
    HostRun run;
    long handles_growth;
    long long memory_growth;
};

CycleRun cycle(const SimulatedGame& game, const std::string& library) {
    std::string dll(1, '"');
    dll += game.path(library);
    dll += '"';
    CycleRun result{
        game.run("100", "cycle 10 " + dll + " counts settled cycle 190 " + dll + " counts end"), 0,
        0};
    long handles[2] = {};
    long long memory[2] = {};
    int found = 0;
    for (const auto& line : result.run.lines)
        if (found < 2 && std::sscanf(line.c_str(), "%*s counts handles %ld private %lld",
                                     &handles[found], &memory[found]) == 2)
            ++found;
    EXPECT_EQ(found, 2) << result.run.raw.output;
    result.handles_growth = handles[1] - handles[0];
    result.memory_growth = memory[1] - memory[0];
    return result;
}

TEST_F(PluginInHost, TwoHundredLoadsLeaveTheSiteWholeAndCostNoMoreThanTheRuntime) {
    const CycleRun plugin = cycle(game, "plugins\\Tessivar.VC.asi");
    ASSERT_TRUE(plugin.run.ran_to_exit()) << plugin.run.raw.output;
    const CycleRun baseline = cycle(game, "runtime_baseline.dll");
    ASSERT_TRUE(baseline.run.ran_to_exit()) << baseline.run.raw.output;

    const HostRun reference = game.run("100", "dump before");
    int cycles = 0;
    for (const auto& line : plugin.run.lines) {
        if (line.rfind("cycle site ", 0) != 0) continue;
        const auto address =
            static_cast<std::uint32_t>(std::stoul(line.substr(11, 8), nullptr, 16));
        EXPECT_EQ(line.substr(20, 14), reference.views.at("before").sites.at(address)) << line;
        cycles += address == 0x600411;
    }
    EXPECT_EQ(cycles, 200);
    EXPECT_EQ(plugin.run.call_results.size(), 200u);
    // The runtime's own cost per load (its lazily made locks) is the baseline's; the
    // plugin adds nothing to it.
    EXPECT_LE(plugin.handles_growth, baseline.handles_growth);
    EXPECT_LE(plugin.memory_growth, baseline.memory_growth + 64 * 1024);
    std::printf("190 cycles: plugin +%ld handles +%lld bytes; runtime baseline +%ld handles "
                "+%lld bytes\n",
                plugin.handles_growth, plugin.memory_growth, baseline.handles_growth,
                baseline.memory_growth);
}

} // namespace
