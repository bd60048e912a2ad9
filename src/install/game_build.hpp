#pragma once
// Which build of the game an executable file is, read as the plugin reads it in memory:
// the 32-bit signature at each build's address, found through the file's section
// headers.

#include "common/byte_source.hpp"
#include "injector/game_builds.hpp"

#include <string_view>

namespace checker {

// A file that is no PE executable, or holds none of the signatures, is no_game_build.
// Only the headers and the signature words are read.
injector::GameBuild game_build_of(const ByteSource& executable);
injector::GameBuild game_build_of(std::string_view executable);

} // namespace checker
