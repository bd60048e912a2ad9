#pragma once
// ASCII lower case, byte by byte, whatever the locale: keys, colour names and file
// names are compared this way.

#include <string>
#include <string_view>

constexpr char lower_case(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string lower_case(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = lower_case(c);
    return out;
}
