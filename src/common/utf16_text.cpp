#include "common/utf16_text.hpp"

namespace checker {
namespace {

constexpr std::uint32_t replacement_character = 0xFFFD;

void append_utf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool is_high(std::uint32_t unit) {
    return unit >= 0xD800 && unit < 0xDC00;
}
bool is_low(std::uint32_t unit) {
    return unit >= 0xDC00 && unit < 0xE000;
}

} // namespace

Utf8Text utf8_from_utf16(const std::vector<std::uint16_t>& units) {
    Utf8Text out;
    out.text.reserve(units.size());
    for (std::size_t at = 0; at < units.size(); ++at) {
        std::uint32_t code = units[at];
        if (is_high(code) && at + 1 < units.size() && is_low(units[at + 1])) {
            code = 0x10000 + ((code - 0xD800) << 10) + (units[at + 1] - 0xDC00);
            ++at;
        } else if (is_high(code) || is_low(code)) {
            code = replacement_character;
            out.exact = false;
        }
        append_utf8(out.text, code);
    }
    return out;
}

} // namespace checker
