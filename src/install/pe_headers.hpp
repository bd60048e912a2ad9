#pragma once
// The headers of a Windows executable or DLL (PE file), read from a few hundred bytes,
// and single words of its image found through its section table.

#include "common/byte_source.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace checker {

inline constexpr std::uint16_t machine_i386 = 0x014C;

struct PeSection {
    std::uint32_t virtual_address, raw_size, raw_at;
};

// The load address an executable of the game is made for.
inline constexpr std::uint32_t default_image_base = 0x400000;

struct PeHeaders {
    std::uint16_t machine;
    bool dll;
    std::vector<PeSection> sections;
    std::uint32_t image_base = default_image_base; // a 32-bit image's; 0 when there is none
    // Windows may load it anywhere: it asks for ASLR and keeps its relocations.
    bool moves = false;
};

// nullopt when the bytes are no PE file.
std::optional<PeHeaders> read_pe_headers(const ByteSource& file);

// The four bytes the image holds at `address`, in terms of the default base 0x400000,
// as the file holds them; nullopt when no section of the file holds them.
std::optional<std::uint32_t> image_u32(const ByteSource& file, const PeHeaders& headers,
                                       std::uint32_t address);

// The `count` bytes the image holds from `address` (default-base terms), as the file holds
// them; fewer where no section holds them.
std::string image_bytes(const ByteSource& file, const PeHeaders& headers, std::uint32_t address,
                        std::size_t count);

} // namespace checker
