#pragma once
// Small files that carry only what the checker reads of a game's executables and DLLs:
// a PE header, one section, the build signature at a build's address, and any bytes
// the test appends (a loader's "*.asi" search, a version resource's text).

#include <cstdint>
#include <string>
#include <string_view>

namespace test_support {

inline constexpr std::uint16_t machine_i386 = 0x014C, machine_amd64 = 0x8664;

inline std::string pe_stand_in(std::uint16_t machine, bool dll, std::uint32_t signature_at,
                               std::string_view carried = {}) {
    constexpr std::uint32_t section_rva = 0x266000, raw_at = 0x200, raw_size = 0x2000;
    std::string data(raw_at + raw_size, '\0');
    const auto put = [&](std::size_t at, std::uint32_t value, int width) {
        for (int b = 0; b < width; ++b)
            data[at + b] = static_cast<char>(value >> (8 * b));
    };
    data.replace(0, 2, "MZ");
    put(0x3C, 0x40, 4);
    data.replace(0x40, 4, std::string_view{"PE\0\0", 4});
    put(0x44, machine, 2);
    put(0x46, 1, 2);                         // one section
    put(0x56, dll ? 0x2102 : 0x102, 2);      // characteristics
    constexpr std::size_t table = 0x40 + 24; // no optional header
    data.replace(table, 5, ".text");
    put(table + 12, section_rva, 4);
    put(table + 16, raw_size, 4);
    put(table + 20, raw_at, 4);
    if (signature_at) put(raw_at + signature_at - 0x400000 - section_rva, 0x53E58955, 4);
    return data + std::string{carried};
}

// The same text as a version resource holds it: UTF-16, little-endian.
inline std::string utf16(std::string_view text) {
    std::string wide;
    for (const char c : text) {
        wide += c;
        wide += '\0';
    }
    return wide;
}

} // namespace test_support
