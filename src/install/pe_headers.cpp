#include "install/pe_headers.hpp"

namespace checker {
namespace {

// Real headers sit within the first few KiB; a pointer beyond this is no PE file.
constexpr std::uint32_t farthest_header = 64 * 1024;
constexpr std::uint16_t most_sections = 96; // the loader's own limit

std::uint32_t little(std::string_view bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int b = width - 1; b >= 0; --b)
        value = value << 8 | static_cast<unsigned char>(bytes[at + b]);
    return value;
}

} // namespace

std::optional<PeHeaders> read_pe_headers(const ByteSource& file) {
    const std::string dos = file.read(0, 0x40);
    if (dos.size() < 0x40 || dos.compare(0, 2, "MZ") != 0) return std::nullopt;
    const std::uint32_t header = little(dos, 0x3C, 4);
    if (header > farthest_header) return std::nullopt;
    const std::string coff = file.read(header, 24);
    if (coff.size() < 24 || coff.compare(0, 4, std::string_view{"PE\0\0", 4}) != 0)
        return std::nullopt;
    const std::uint32_t characteristics = little(coff, 22, 2);
    PeHeaders headers{
        static_cast<std::uint16_t>(little(coff, 4, 2)), (characteristics & 0x2000) != 0, {}};
    // The optional header of a 32-bit image: its base, and whether it may be moved.
    const std::uint32_t optional_size = little(coff, 20, 2);
    const std::string optional =
        file.read(std::uint64_t{header} + 24, std::min(optional_size, 72u));
    if (optional.size() >= 72 && little(optional, 0, 2) == 0x10B) {
        headers.image_base = little(optional, 28, 4);
        constexpr std::uint32_t relocations_stripped = 0x0001, dynamic_base = 0x0040;
        headers.moves = (little(optional, 70, 2) & dynamic_base) != 0 &&
                        (characteristics & relocations_stripped) == 0;
    }
    const auto count = static_cast<std::uint16_t>(little(coff, 6, 2));
    if (count > most_sections) return std::nullopt;
    const std::uint64_t table = std::uint64_t{header} + 24 + little(coff, 20, 2);
    const std::string entries = file.read(table, std::size_t{count} * 40);
    if (entries.size() < std::size_t{count} * 40) return std::nullopt;
    for (std::size_t i = 0; i < count; ++i)
        headers.sections.push_back({little(entries, i * 40 + 12, 4),
                                    little(entries, i * 40 + 16, 4),
                                    little(entries, i * 40 + 20, 4)});
    return headers;
}

std::optional<std::uint32_t> image_u32(const ByteSource& file, const PeHeaders& headers,
                                       std::uint32_t address) {
    const std::string bytes = image_bytes(file, headers, address, 4);
    if (bytes.size() < 4) return std::nullopt;
    return little(bytes, 0, 4);
}

std::string image_bytes(const ByteSource& file, const PeHeaders& headers, std::uint32_t address,
                        std::size_t count) {
    const std::uint32_t rva = address - default_image_base;
    for (const PeSection& section : headers.sections) {
        if (section.raw_size < count || rva < section.virtual_address ||
            rva - section.virtual_address > section.raw_size - count)
            continue;
        return file.read(std::uint64_t{section.raw_at} + (rva - section.virtual_address), count);
    }
    return {};
}

} // namespace checker
