#pragma once
// Text without the blanks and line ends around it, as the checker quotes and compares
// what it read.

#include <string_view>

namespace checker {

constexpr bool is_blank_or_line_end(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

constexpr std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_blank_or_line_end(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank_or_line_end(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace checker
