#pragma once
// What the checker needs of the terminal it prints to.

#include <cstddef>
#include <filesystem>
#include <optional>

namespace checker::console {

struct Terminal {
    bool colour; // 24-bit colour escapes work (a terminal, not a file or a pipe)
    int width;   // columns to keep lines within
    bool own;    // the console is the checker's alone: started by a double-click
};

// Looks at standard output; on Windows also turns on escape sequences in the console.
Terminal open_terminal();

// Keeps a console window that closes with the checker open until Enter.
void wait_before_closing(const Terminal& terminal);

// How the system's ANSI code page writes a path, as the plugin gets the game's path
// from Windows: its length in bytes, or nullopt when the code page cannot write it.
std::optional<std::size_t> ansi_length(const std::filesystem::path& path);

} // namespace checker::console
