#pragma once
// The simulated game's image, computed at compile time so that the executable file
// itself holds it: the three call sites (each a call into the game's function, then a
// return), the signature of the build, and a recognisable byte at every HUD target.
// Addresses are host addresses, as if the game were loaded at 0x400000.

#include "hud/hud_setting_table.hpp"

#include <array>
#include <cstdint>

#ifndef SIMULATED_BUILD
#define SIMULATED_BUILD 100
#endif
#ifndef SIMULATED_IMAGE_BASE
#define SIMULATED_IMAGE_BASE 0x400000
#endif

namespace simhost {

using Address = std::uint32_t;

inline constexpr int simulated_build = SIMULATED_BUILD;
inline constexpr Address image_base = SIMULATED_IMAGE_BASE;
inline constexpr Address default_base = 0x400000;
inline constexpr std::uint32_t host_result = 0x5EED1E55;

// Code (execute-read) and data (read-write), placed here by the linker.
inline constexpr Address code_start = 0x550000;
inline constexpr Address data_start = 0x697000;
inline constexpr std::uint32_t code_bytes = data_start - code_start;
inline constexpr std::uint32_t data_bytes = 0x2000;

struct CallSite {
    Address site;
    int build;
    Address probe;
};
inline constexpr CallSite call_sites[] = {
    {0x600411, 100, 0x667BF0}, {0x600431, 110, 0x667C40}, {0x600071, 120, 0x666BA0}};

// The sites call a jump through the cell at the start of the data section, which holds
// the game's function: the one absolute address the compiler cannot lay out itself.
inline constexpr Address thunk = 0x600800;
inline constexpr Address cell = data_start;

constexpr std::uint8_t hud_byte(Address address) {
    return static_cast<std::uint8_t>(0xA5 ^ address);
}

using CodeImage = std::array<std::uint8_t, code_bytes>;
using DataBytes = std::array<std::uint8_t, data_bytes - 4>;

struct HostData {
    void* (*cell)();
    DataBytes bytes;
};

template <class Bytes>
constexpr void put_u32(Bytes& bytes, std::uint32_t offset, std::uint32_t value) {
    for (int b = 0; b < 4; ++b)
        bytes[offset + b] = static_cast<std::uint8_t>(value >> (8 * b));
}

// Every byte of every HUD target that lies in the bytes, which begin at `start`.
template <class Bytes>
constexpr void put_hud_bytes(Bytes& bytes, Address start) {
    for (const auto& row : hud::hud_setting_table)
        for (int i = 0; i < hud::component_count(row.kind); ++i)
            for (Address b = 0; b < (row.kind == hud::SettingKind::Float ? 4u : 1u); ++b) {
                const Address host = row.targets[i] + b;
                if (host >= start && host - start < bytes.size())
                    bytes[host - start] = hud_byte(host);
            }
}

constexpr CodeImage make_code_image() {
    CodeImage code{};
    for (const CallSite& call : call_sites) {
        const std::uint32_t at = call.site - code_start;
        code[at] = 0xE8;
        put_u32(code, at + 1, thunk - (call.site + 5));
        code[at + 5] = 0xC3;
        if (call.build == simulated_build) put_u32(code, call.probe - code_start, 0x53E58955);
    }
    code[thunk - code_start] = 0xFF; // jmp [cell]
    code[thunk - code_start + 1] = 0x25;
    put_u32(code, thunk - code_start + 2, cell - default_base + image_base);
    put_hud_bytes(code, code_start);
    return code;
}

constexpr DataBytes make_data_bytes() {
    DataBytes bytes{};
    put_hud_bytes(bytes, data_start + 4);
    return bytes;
}

} // namespace simhost
