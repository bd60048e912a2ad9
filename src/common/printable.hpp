#pragma once
// Text from a file, made safe for a terminal: control and non-ASCII bytes as \xHH,
// never raw.

#include <string>
#include <string_view>

namespace checker {

std::string printable(std::string_view text);
std::string quoted(std::string_view text); // the same in double quotes

} // namespace checker
