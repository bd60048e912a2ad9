#pragma once
// The ready palettes: complete inis kept in the repository's palettes folder, built
// into the checker and the editor, and shipped in the release archive.

#include <span>
#include <string>
#include <string_view>

namespace checker {

struct PaletteFile {
    std::string_view file_name; // "high-contrast.ini"
    std::string_view bytes;
};

// In file-name order.
std::span<const PaletteFile> palette_files();

struct PaletteTitle {
    std::string name;    // "High contrast"
    std::string purpose; // the rest of the opening comment, in one line
};

// From the comment a palette starts with: "; Name: what it is for", continued on the
// comment lines up to the first line that is not one.
PaletteTitle palette_title(std::string_view bytes);

} // namespace checker
