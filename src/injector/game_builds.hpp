#pragma once
// The game builds the plugin knows: where each keeps the 32-bit signature that names
// it, and the one call it is hooked at. The plugin's version code, its event's call
// sites and the checker's build detection all read this table and no other.

#include "common/host_address.hpp"

#include <array>
#include <cstdint>

namespace injector {

inline constexpr std::uint32_t host_signature = 0x53E58955; // 55 89 E5 53

struct GameBuild {
    int code;              // the version code: 100, 110 or 120
    HostAddress probe;     // holds host_signature in this build (and in no other before it)
    HostAddress call_site; // the call the HUD is recoloured after
};

// In the order the probes are read: the first probe that holds the signature wins.
inline constexpr std::array<GameBuild, 3> game_builds{{
    {100, 0x667BF0, 0x600411},
    {110, 0x667C40, 0x600431},
    {120, 0x666BA0, 0x600071},
}};

// What an unrecognised host is: no code, nothing to hook.
inline constexpr GameBuild no_game_build{0, 0, 0};

// The first build whose probe holds the signature, read through `read_u32`.
template <class Reader>
constexpr GameBuild game_build_from(Reader&& read_u32) {
    for (const GameBuild& build : game_builds)
        if (read_u32(build.probe) == host_signature) return build;
    return no_game_build;
}

} // namespace injector
