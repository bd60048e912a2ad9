#pragma once
// The UTF-8 byte-order mark, which Notepad's "UTF-8 with BOM" puts before the first line
// and which the plugin reads as part of that line's key.

#include <string_view>

inline constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

constexpr bool starts_with_byte_order_mark(std::string_view text) {
    return text.substr(0, byte_order_mark.size()) == byte_order_mark;
}
