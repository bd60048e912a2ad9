#pragma once
// UTF-16 code units to UTF-8 without throwing: Windows' names and UTF-16 files may hold a lone
// surrogate, which becomes U+FFFD here.

#include <cstdint>
#include <string>
#include <vector>

namespace checker {

struct Utf8Text {
    std::string text;
    bool exact = true; // false where a lone surrogate was replaced
};

Utf8Text utf8_from_utf16(const std::vector<std::uint16_t>& units);

} // namespace checker
