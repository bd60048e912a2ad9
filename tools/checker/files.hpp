#pragma once
// Writing a file the player gave by name, never losing the one that is there: the new
// bytes go to a temporary file beside it, and only when every byte is written and on disk
// does it take the old one's place, in one step. What is no ordinary file (a folder, a
// device, a pipe) is refused before anything is written.

#include <filesystem>
#include <string>
#include <string_view>

namespace checker::cli {

struct Written {
    bool ok = false;
    bool replaced = false; // a file of that name was there and is now the new one
    std::string problem;   // for the player, when nothing was written
};

Written replace_file(const std::filesystem::path& path, std::string_view bytes);

} // namespace checker::cli
