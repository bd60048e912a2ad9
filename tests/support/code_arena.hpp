#pragma once
// Host-like code at fixed host addresses, for hooks whose call site is a template
// argument: one executable region at the rebased arena address, laid out per test.

#include "injector/host_address.hpp"
#include "support/host_memory.hpp"

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace test_support {

// Call sites for tests live here, in host terms (the default base 0x400000).
inline constexpr HostAddress arena_host_address = 0x50400000;
inline constexpr std::uint32_t arena_size = 0x10000;

constexpr HostAddress arena_site(std::uint32_t slot) {
    return arena_host_address + 0x40 * slot;
}

inline std::uint8_t* arena() {
    static std::uint8_t* const region = static_cast<std::uint8_t*>(VirtualAlloc(
        reinterpret_cast<void*>(static_cast<std::uintptr_t>(injector::rebase(arena_host_address))),
        arena_size, MEM_RESERVE | MEM_COMMIT, PAGE_EXECUTE_READ));
    return region;
}

inline std::uint8_t* site_pointer(HostAddress host_site) {
    return reinterpret_cast<std::uint8_t*>(
        static_cast<std::uintptr_t>(injector::rebase(host_site)));
}

using HostFunction = void* (*)();

// Lays out `call host; ret` at the site, as the host's code would have it, and gives
// the site code protection.
inline void lay_out_call(HostAddress host_site, HostFunction host) {
    std::uint8_t* code = site_pointer(host_site);
    DWORD old = 0;
    VirtualProtect(arena(), arena_size, PAGE_EXECUTE_READWRITE, &old);
    const auto displacement =
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(host)) - (address_of(code) + 5);
    code[0] = 0xE8;
    std::memcpy(code + 1, &displacement, 4);
    code[5] = 0xC3;
    VirtualProtect(arena(), arena_size, PAGE_EXECUTE_READ, &old);
}

inline void lay_out_bytes(HostAddress host_site, const void* bytes, std::size_t count) {
    DWORD old = 0;
    VirtualProtect(arena(), arena_size, PAGE_EXECUTE_READWRITE, &old);
    std::memcpy(site_pointer(host_site), bytes, count);
    VirtualProtect(arena(), arena_size, PAGE_EXECUTE_READ, &old);
}

// Executes the site the way the host does: a call to its first byte.
inline void* execute_site(HostAddress host_site) {
    return reinterpret_cast<HostFunction>(site_pointer(host_site))();
}

} // namespace test_support
