#pragma once
// Files the plugin cannot read as they are, read as the player meant them: UTF-16
// (either byte order, with or without a byte-order mark) and UTF-8 with a mark become
// 8-bit text (UTF-8) with CR LF line ends and no mark, every line kept.

#include "ini_rules/encoding.hpp"

#include <string>
#include <string_view>

namespace editor {

using checker::Encoding;

// As the checker tells it: the one detection of both.
inline Encoding encoding_of(std::string_view bytes) {
    return checker::detect_encoding(bytes);
}

const char* encoding_name(Encoding encoding);

// The file in the form the plugin reads; 8-bit files as they are.
std::string plugin_readable(std::string_view bytes);

// Every line feed not already after a CR gets one.
std::string with_crlf(std::string_view text);

} // namespace editor
