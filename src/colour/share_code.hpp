#pragma once
// Colour codes: all 34 settings as the plugin writes them, in one word that survives
// forum posts and chat (letters and digits only, so a double-click selects it whole).
//
// "TVC1" (the format), then 158 base-62 digits of 117 bytes: the 89 byte components in
// table order (0 where the plugin writes nothing), the 3 sizes' single-precision bits
// (little-endian), 12 bytes whose bit i marks byte component i as not written, and
// the CRC-32 of the tag and those 113 bytes.

#include "colour/written_settings.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace checker {

inline constexpr std::string_view share_code_tag = "TVC1";
inline constexpr std::size_t share_code_length = 162;

std::string share_code(const WrittenSettings& settings);

struct ShareCodeReading {
    std::optional<WrittenSettings> settings;
    std::string problem; // for the player, when there are no settings
};

// Blanks and line breaks a post may have put inside the code are ignored.
ShareCodeReading read_share_code(std::string_view code);

} // namespace checker
