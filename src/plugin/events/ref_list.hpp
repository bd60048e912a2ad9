#pragma once
// The call sites an event hooks, each with the build it belongs to, as compile-time
// values; and the host call event's list, made from the table of game builds.

#include "injector/game_builds.hpp"

#include <array>
#include <cstdint>
#include <utility>

namespace plugin {

// Call sites with their build: groups of five (site, version code, three reserved).
template <std::uint32_t... values>
struct RefList {};

namespace detail {

// The table of game builds as the event's list: (site, version code, three reserved)
// for each build, in the table's order.
inline constexpr std::size_t ref_fields = 5;
inline constexpr auto game_build_refs = [] {
    std::array<std::uint32_t, injector::game_builds.size() * ref_fields> refs{};
    for (std::size_t i = 0; i < injector::game_builds.size(); ++i) {
        refs[i * ref_fields] = injector::game_builds[i].call_site;
        refs[i * ref_fields + 1] = static_cast<std::uint32_t>(injector::game_builds[i].code);
    }
    return refs;
}();

template <std::size_t... index>
RefList<game_build_refs[index]...> ref_list_of(std::index_sequence<index...>);

} // namespace detail

using HostCallRefs =
    decltype(detail::ref_list_of(std::make_index_sequence<detail::game_build_refs.size()>{}));

} // namespace plugin
