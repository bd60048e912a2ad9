#pragma once
// Which build of the game an executable file is, read as the plugin reads it in memory:
// the 32-bit signature at each build's address, found through the file's section
// headers.

#include "byte_source.hpp"

#include <string_view>

namespace checker {

struct GameBuild {
    int code;           // 100, 110, 120; 0 for none of them
    unsigned call_site; // the call the plugin hooks in that build; 0 for none
};

// A file that is no PE executable, or holds none of the signatures, is build 0. Only
// the headers and the three signature words are read.
GameBuild game_build_of(const ByteSource& executable);
GameBuild game_build_of(std::string_view executable);

} // namespace checker
