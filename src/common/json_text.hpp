#pragma once
// Text for a JSON document, which must be UTF-8: quotes, backslashes and control
// characters escaped; a byte that is no part of UTF-8 given as the text \xHH, so that a
// file's or a path's bytes can neither end the string nor break the document.

#include <string>
#include <string_view>

namespace checker {

std::string json_string(std::string_view text);

} // namespace checker
