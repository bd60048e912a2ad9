#pragma once
// Colour codes: all 34 settings as the plugin writes them, in one word that survives
// forum posts and chat (letters and digits only, so a double-click selects it whole).
//
// "TVC1" (the format), then 158 base-62 digits of 117 bytes: the 89 byte components in
// table order (0 where the plugin writes nothing), the 3 sizes' single-precision bits
// (little-endian), 12 bytes whose bit i marks byte component i as not written, and
// the CRC-32 of the tag and those 113 bytes (big-endian).

#include "colour/written_settings.hpp"
#include "findings/catalogue.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace checker {

inline constexpr std::string_view share_code_tag = "TVC1";

// The layout the table gives a code: every byte component, the sizes' bits, a bit a byte
// component for "not written", and the CRC.
namespace share_code_layout {
inline constexpr std::size_t byte_components = hud::hud_byte_write_count;
inline constexpr std::size_t sizes_at = byte_components;
inline constexpr std::size_t mask_at = sizes_at + 4 * hud::hud_size_write_count;
inline constexpr std::size_t crc_at = mask_at + (byte_components + 7) / 8;
inline constexpr std::size_t packed_size = crc_at + 4;

// The fewest base-62 digits that hold `bytes` bytes: 62^digits >= 256^bytes.
constexpr std::size_t digits_for(std::size_t bytes) {
    const double needed = static_cast<double>(bytes) * 8 / 5.954196310386876; // log2(62)
    const auto whole = static_cast<std::size_t>(needed);
    return whole < needed ? whole + 1 : whole;
}
} // namespace share_code_layout

inline constexpr std::size_t share_code_length =
    share_code_tag.size() + share_code_layout::digits_for(share_code_layout::packed_size);

std::string share_code(const WrittenSettings& settings);

struct ShareCodeReading {
    std::optional<WrittenSettings> settings;
    std::string problem; // for the player, when there are no settings
};

// Blanks and line breaks a post may have put inside the code are ignored; a problem is
// said in `language`.
ShareCodeReading read_share_code(std::string_view code, const Catalogue& language = english());

} // namespace checker
