#include "common/json_text.hpp"

#include <cstdint>
#include <cstdio>

namespace checker {
namespace {

// The length of the well-formed UTF-8 sequence at `at`, or 0.
std::size_t sequence_at(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead >= 0xC2 && lead < 0xE0   ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || at + length > text.size()) return 0;
    std::uint32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return 0;
        code = code << 6 | (next & 0x3F);
    }
    constexpr std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) return 0;
    return length;
}

} // namespace

std::string json_string(std::string_view text) {
    std::string out = "\"";
    out.reserve(text.size() + 2);
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        const auto byte = static_cast<unsigned char>(c);
        char escaped[8];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else if (byte >= 0x80) {
            if (const std::size_t length = sequence_at(text, at)) {
                out += text.substr(at, length);
                at += length;
                continue;
            }
            std::snprintf(escaped, sizeof escaped, "\\\\x%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
        ++at;
    }
    return out + "\"";
}

} // namespace checker
