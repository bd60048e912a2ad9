#include "edit/text_encoding.hpp"

#include "common/byte_order_mark.hpp"

#include <algorithm>
#include <cstdint>

namespace editor {
namespace {

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

constexpr std::uint32_t replacement_character = 0xFFFD;

std::string utf16_to_utf8(std::string_view bytes, bool little_endian) {
    const auto unit = [&](std::size_t at) -> std::uint32_t {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return little_endian ? first | second << 8 : first << 8 | second;
    };
    std::string out;
    out.reserve(bytes.size());
    std::size_t at = 0;
    if (bytes.size() >= 2 && unit(0) == 0xFEFF) at = 2;
    for (; at + 1 < bytes.size(); at += 2) {
        std::uint32_t code = unit(at);
        const bool high = code >= 0xD800 && code < 0xDC00;
        if (high && at + 3 < bytes.size() && unit(at + 2) >= 0xDC00 && unit(at + 2) < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(at + 2) - 0xDC00);
            at += 2;
        } else if (code >= 0xD800 && code < 0xE000) {
            code = replacement_character;
        }
        append_utf8(out, code);
    }
    if (at < bytes.size()) append_utf8(out, replacement_character); // an odd last byte
    return out;
}

} // namespace

const char* encoding_name(Encoding encoding) {
    switch (encoding) {
    case Encoding::eight_bit:
        return "8-bit";
    case Encoding::utf8_with_mark:
        return "UTF-8 with a byte-order mark";
    case Encoding::utf16_le:
        return "UTF-16 (little-endian)";
    case Encoding::utf16_be:
        return "UTF-16 (big-endian)";
    }
    return "";
}

std::string plugin_readable(std::string_view bytes) {
    switch (encoding_of(bytes)) {
    case Encoding::eight_bit:
        return std::string{bytes};
    case Encoding::utf8_with_mark:
        return with_crlf(bytes.substr(byte_order_mark.size()));
    case Encoding::utf16_le:
        return with_crlf(utf16_to_utf8(bytes, true));
    case Encoding::utf16_be:
        return with_crlf(utf16_to_utf8(bytes, false));
    }
    return std::string{bytes};
}

std::string with_crlf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

} // namespace editor
