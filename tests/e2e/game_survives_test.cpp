// The game survives what would otherwise end it inside the plugin: an ini far beyond
// any real one while memory is short, a call site another hook has reshaped, and a
// damaged executable header. Each time the game's call returns its own result.

#include "support/expected_hud.hpp"
#include "support/simulated_game.hpp"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using test_support::expected_hud;
using test_support::host_result;
using test_support::HostRun;
using test_support::SimulatedGame;

constexpr std::uint32_t site = 0x600411;
constexpr std::uint32_t zone_red = 0x559954;

class GameSurvives : public ::testing::Test {
protected:
    SimulatedGame game;
};

// 20 MB of short unique keys between two table keys and a third one far past the
// pieces the pass reads, with 64 MiB of address space left to the game.
TEST_F(GameSurvives, AHugeIniWhileMemoryIsShort) {
    const std::string head = "MoneyColor=1 2 3\nTimerColor=4 5 6 7\n";
    std::string ini = head;
    char line[16];
    for (unsigned n = 0; ini.size() < 20'000'000; ++n) {
        std::snprintf(line, sizeof line, "%x=\n", n);
        ini += line;
    }
    ini += "ZoneColor=9 9 9\n";
    game.write("plugins/Tessivar.VC.ini", ini);
    game.write("head.ini", head);

    const HostRun run =
        game.run("100", "dump before " + game.load() + "reserve 64 call 2 dump called unload");
    ASSERT_TRUE(run.ran_to_exit()) << run.raw.output.substr(0, 2000);
    EXPECT_TRUE(run.printed("reserve ok")) << run.raw.output.substr(0, 2000);
    EXPECT_EQ(run.call_results, (std::vector<std::string>{host_result, host_result}));
    const auto& called = run.views.at("called").hud;
    EXPECT_EQ(called, expected_hud(run.views.at("before"), game.path("head.ini").c_str()));
    EXPECT_EQ(called.at(zone_red), "2d"); // the default: that line is never read
}

class ReshapedSite : public GameSurvives, public ::testing::WithParamInterface<const char*> {};

// A six-byte call is replaced whole and given back whole; a jump is never hooked.
TEST_P(ReshapedSite, OnlyAWholeCallIsHookedAndEveryByteComesBack) {
    const std::string form = GetParam();
    const HostRun run = game.run("100", "--sites " + form + " dump before " + game.load() +
                                            "dump loaded call 1 dump called unload dump after");
    ASSERT_TRUE(run.ran_to_exit()) << run.raw.output;
    const auto& before = run.views.at("before");
    const auto& loaded = run.views.at("loaded");
    EXPECT_EQ(run.call_results, std::vector<std::string>{host_result});
    if (form == "ff15") {
        EXPECT_EQ(loaded.sites.at(site).substr(0, 2), "e8");
        EXPECT_EQ(loaded.next.at(site), "90");
        EXPECT_EQ(run.views.at("called").hud, expected_hud(before, nullptr));
    } else {
        EXPECT_EQ(loaded.sites, before.sites);
        EXPECT_EQ(loaded.next, before.next);
        EXPECT_EQ(run.views.at("called").hud, before.hud);
    }
    EXPECT_EQ(run.views.at("after").sites, before.sites);
    EXPECT_EQ(run.views.at("after").next, before.next);
}

INSTANTIATE_TEST_SUITE_P(Forms, ReshapedSite, ::testing::Values("ff15", "jmp", "ff25"));

class DamagedHeader : public GameSurvives, public ::testing::WithParamInterface<const char*> {};

// Without a header to trust, the writes still land in the game's own image.
TEST_P(DamagedHeader, ThePassStillWritesTheHud) {
    game.write("plugins/Tessivar.VC.ini", "MoneyColor=1 2 3\n");
    const HostRun run = game.run("100", "dump before " + game.load() + "header " + GetParam() +
                                            " call 1 dump called unload");
    ASSERT_TRUE(run.ran_to_exit()) << run.raw.output;
    EXPECT_EQ(run.call_results, std::vector<std::string>{host_result});
    EXPECT_EQ(run.views.at("called").hud,
              expected_hud(run.views.at("before"), game.path("plugins\\Tessivar.VC.ini").c_str()));
}

INSTANTIATE_TEST_SUITE_P(Damage, DamagedHeader, ::testing::Values("noaccess", "garble"));

} // namespace
