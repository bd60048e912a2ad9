#pragma once
// What the Windows C runtime's text mode ("r") hands a reader, from a file's bytes:
// CR LF becomes LF, and Ctrl-Z (0x1A) ends the file. The plugin reads its ini that
// way; the checker applies the same on every platform, so it sees what the plugin sees.

#include <string>
#include <string_view>

namespace checker {

inline constexpr char end_of_file_mark = '\x1A';

std::string windows_text_mode(std::string_view bytes);

} // namespace checker
