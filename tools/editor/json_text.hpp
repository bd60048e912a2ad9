#pragma once
// Text for the page's JSON: every byte outside printable ASCII escaped, so nothing
// read from a file can end the string or become markup.

#include <cstdio>
#include <string>
#include <string_view>

namespace editor {

inline std::string json_string(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

} // namespace editor
