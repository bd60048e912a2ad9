// The table of game builds, pinned entry by entry: every copy the plugin and the checker
// derive from it is only as right as these literals.

#include "injector/game_builds.hpp"
#include "plugin/events/ref_list.hpp"

#include <gtest/gtest.h>

#include <type_traits>

namespace {

struct PinnedBuild {
    int code;
    std::uint32_t probe, call_site;
};
constexpr PinnedBuild pinned[] = {
    {100, 0x667BF0, 0x600411}, {110, 0x667C40, 0x600431}, {120, 0x666BA0, 0x600071}};

TEST(GameBuilds, EveryEntryIsTheGamesOwn) {
    ASSERT_EQ(injector::game_builds.size(), std::size(pinned));
    for (std::size_t i = 0; i < std::size(pinned); ++i) {
        SCOPED_TRACE(pinned[i].code);
        EXPECT_EQ(injector::game_builds[i].code, pinned[i].code);
        EXPECT_EQ(injector::game_builds[i].probe, pinned[i].probe);
        EXPECT_EQ(injector::game_builds[i].call_site, pinned[i].call_site);
    }
    EXPECT_EQ(injector::host_signature, 0x53E58955u); // push ebp; mov ebp, esp; push ebx
}

// The event hooks exactly the table's sites, each tagged with its build.
static_assert(
    std::is_same_v<plugin::HostCallRefs, plugin::RefList<0x600411, 100, 0, 0, 0, 0x600431, 110, 0,
                                                         0, 0, 0x600071, 120, 0, 0, 0>>);

} // namespace
