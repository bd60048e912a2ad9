#pragma once
// Host addresses are written as if the host were loaded at 0x400000; these move them
// to where the host really is, and tell which host build is running.

#include "injector/game_builds.hpp"
#include "injector/guarded_access.hpp"

namespace injector {

inline constexpr HostAddress default_host_base = 0x400000;

// The load address of the host executable, fetched once.
HostAddress host_base();

// Where `address` lies in a host loaded at `base`.
constexpr HostAddress rebased(HostAddress address, HostAddress base) {
    return address - default_host_base + base;
}

inline HostAddress rebase(HostAddress address) {
    return rebased(address, host_base());
}

// Per-build address translation. Every build this plugin knows shares one layout for
// its call sites, so the translation is the identity.
class address_translator {
public:
    HostAddress translate(HostAddress address) const { return address; }
};

HostAddress translate(HostAddress address);

std::uint32_t read_host_u32(HostAddress address);

// The first build whose probe holds the signature names the version; 0 for none.
template <class Reader>
int version_code_from(Reader&& read_u32) {
    return game_build_from(read_u32).code;
}

// The running host's version code (100, 110, 120 or 0), worked out once.
int host_version_code();

} // namespace injector
