#pragma once
// Text from a file, made safe for a terminal: control and non-ASCII bytes as \xHH,
// never raw.

#include <string>
#include <string_view>

namespace checker {

std::string printable(std::string_view text);
std::string quoted(std::string_view text); // the same in double quotes

// The characters of UTF-8 text, not its bytes: what a line of it takes on a screen.
std::size_t code_points(std::string_view text);

} // namespace checker
