#pragma once
// The one host call event: the call the HUD is recoloured after, one call site for
// each host build the plugin knows.

#include "injector/game_builds.hpp"
#include "plugin/events/base_event.hpp"

#include <utility>

namespace plugin {

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

using HostCallEvent =
    BaseEventI<injector::function_hooker, HostCallRefs, ArgPick<ArgTypes<>>, void()>;

// The process-wide event, created on first use.
HostCallEvent& hostCallEvent();

} // namespace plugin
