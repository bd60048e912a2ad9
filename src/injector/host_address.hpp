#pragma once
// Host addresses are written as if the host were loaded at 0x400000; these move them
// to where the host really is, and tell which host build is running.

#include "injector/guarded_access.hpp"

#include <array>

namespace injector {

inline constexpr HostAddress default_host_base = 0x400000;

// The load address of the host executable, fetched once.
HostAddress host_base();

inline HostAddress rebase(HostAddress address) {
    return address - default_host_base + host_base();
}

// Per-build address translation. Every build this plugin knows shares one layout for
// its call sites, so the translation is the identity.
class address_translator {
public:
    HostAddress translate(HostAddress address) const { return address; }
};

HostAddress translate(HostAddress address);

std::uint32_t read_host_u32(HostAddress address);

inline constexpr std::uint32_t host_signature = 0x53E58955; // 55 89 E5 53

struct VersionProbe {
    HostAddress address;
    int code;
};
inline constexpr std::array<VersionProbe, 3> version_probes{
    {{0x667BF0, 100}, {0x667C40, 110}, {0x666BA0, 120}}};

// The first probe whose address holds the signature names the build; 0 for none.
template <class Reader>
int version_code_from(Reader&& read_u32) {
    for (const VersionProbe& probe : version_probes)
        if (read_u32(probe.address) == host_signature) return probe.code;
    return 0;
}

// The running host's version code (100, 110, 120 or 0), worked out once.
int host_version_code();

} // namespace injector
