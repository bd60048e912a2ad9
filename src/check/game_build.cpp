#include "check/game_build.hpp"

#include <cstdint>
#include <optional>

namespace checker {
namespace {

std::optional<std::uint32_t> u32(std::string_view bytes, std::size_t at) {
    if (at > bytes.size() || bytes.size() - at < 4) return std::nullopt;
    std::uint32_t value = 0;
    for (int b = 3; b >= 0; --b)
        value = value << 8 | static_cast<unsigned char>(bytes[at + b]);
    return value;
}

std::optional<std::uint16_t> u16(std::string_view bytes, std::size_t at) {
    if (at > bytes.size() || bytes.size() - at < 2) return std::nullopt;
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// The four bytes the image holds at `address` (default-base terms), from the file.
std::optional<std::uint32_t> image_u32(std::string_view file, std::uint32_t address) {
    const auto header = u32(file, 0x3C);
    if (file.substr(0, 2) != "MZ" || !header || *header > file.size()) return std::nullopt;
    if (file.substr(*header, 4) != std::string_view{"PE\0\0", 4}) return std::nullopt;
    const auto sections = u16(file, *header + 6);
    const auto optional_size = u16(file, *header + 20);
    if (!sections || !optional_size) return std::nullopt;
    const std::uint32_t rva = address - 0x400000;
    const std::size_t table = std::size_t{*header} + 24 + *optional_size;
    for (std::size_t i = 0; i < *sections; ++i) {
        const std::size_t entry = table + i * 40;
        const auto virtual_address = u32(file, entry + 12);
        const auto raw_size = u32(file, entry + 16);
        const auto raw_at = u32(file, entry + 20);
        if (!virtual_address || !raw_size || !raw_at) return std::nullopt;
        if (rva >= *virtual_address && rva - *virtual_address <= *raw_size - 4 && *raw_size >= 4)
            return u32(file, std::size_t{*raw_at} + (rva - *virtual_address));
    }
    return std::nullopt;
}

} // namespace

injector::GameBuild game_build_of(std::string_view executable) {
    // A probe outside the file's sections reads as no signature.
    return injector::game_build_from([&](HostAddress address) {
        return image_u32(executable, address).value_or(~injector::host_signature);
    });
}

} // namespace checker
