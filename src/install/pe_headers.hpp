#pragma once
// The headers of a Windows executable or DLL (PE file), read from a few hundred bytes,
// and single words of its image found through its section table.

#include "common/byte_source.hpp"

#include <cstdint>
#include <optional>
#include <vector>

namespace checker {

inline constexpr std::uint16_t machine_i386 = 0x014C;

struct PeSection {
    std::uint32_t virtual_address, raw_size, raw_at;
};

struct PeHeaders {
    std::uint16_t machine;
    bool dll;
    std::vector<PeSection> sections;
};

// nullopt when the bytes are no PE file.
std::optional<PeHeaders> read_pe_headers(const ByteSource& file);

// The four bytes the image holds at `address`, in terms of the default base 0x400000,
// as the file holds them; nullopt when no section of the file holds them.
std::optional<std::uint32_t> image_u32(const ByteSource& file, const PeHeaders& headers,
                                       std::uint32_t address);

} // namespace checker
