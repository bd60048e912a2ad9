#pragma once
// What the checker needs of the terminal it prints to.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace checker::console {

struct Terminal {
    bool colour; // 24-bit colour escapes work (a terminal, not a file or a pipe)
    int width;   // columns to keep lines within
    bool own;    // the console is the checker's alone: started by a double-click
};

// Looks at standard output; on Windows also turns on escape sequences in the console.
Terminal open_terminal();

// Keeps a console window that closes with the checker open until Enter; `prompt` says so.
void wait_before_closing(const Terminal& terminal, std::string_view prompt);

// Text for the player, in UTF-8, on standard output (or standard error): into a console
// window as UTF-16, so that any script shows whatever the code page; elsewhere (a file, a
// pipe, a terminal) the bytes as they are.
void write(std::string_view text, bool to_error = false);

// The player's languages, as the system lists them (locale names, the first preferred).
std::string user_locales();

// How the system's ANSI code page writes a path, as the plugin gets the game's path
// from Windows: its length in bytes, or nullopt when the code page cannot write it.
std::optional<std::size_t> ansi_length(const std::filesystem::path& path);

} // namespace checker::console
