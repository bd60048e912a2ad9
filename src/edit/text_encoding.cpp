#include "edit/text_encoding.hpp"

#include "common/translatable.hpp"

#include "common/byte_order_mark.hpp"
#include "common/utf16_text.hpp"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace editor {
namespace {

std::string utf16_to_utf8(std::string_view bytes, bool little_endian) {
    const auto unit = [&](std::size_t at) -> std::uint16_t {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<std::uint16_t>(little_endian ? first | second << 8
                                                        : first << 8 | second);
    };
    std::vector<std::uint16_t> units;
    units.reserve(bytes.size() / 2 + 1);
    std::size_t at = 0;
    if (bytes.size() >= 2 && unit(0) == 0xFEFF) at = 2;
    for (; at + 1 < bytes.size(); at += 2)
        units.push_back(unit(at));
    if (at < bytes.size()) units.push_back(0xDC00); // an odd last byte: a replacement character
    return checker::utf8_from_utf16(units).text;
}

} // namespace

const char* encoding_name(Encoding encoding) {
    switch (encoding) {
    case Encoding::eight_bit:
        return checker::tr("8-bit").data();
    case Encoding::utf8_with_mark:
        return checker::tr("UTF-8 with a byte-order mark").data();
    case Encoding::utf16_le:
        return checker::tr("UTF-16 (little-endian)").data();
    case Encoding::utf16_be:
        return checker::tr("UTF-16 (big-endian)").data();
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
