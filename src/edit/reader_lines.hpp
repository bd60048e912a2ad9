#pragma once
// The ini as the plugin's reader takes it (Windows text mode, 255-byte pieces, a NUL
// hiding the rest of its piece, a Ctrl-Z ending the file, the pass's bound of pieces),
// with every piece's place in the file's bytes: edits address exactly the bytes the
// reader took a setting from.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace editor {

struct ReaderPiece {
    std::size_t start = 0;          // the piece's first byte in the file
    std::size_t end = 0;            // one past its last byte, its line end included
    int line = 1;                   // as the checker counts lines, from 1
    std::optional<std::string> key; // the entry the reader stores from it, if any
    std::string value;
};

struct ReaderLines {
    std::vector<ReaderPiece> pieces; // those the plugin's pass reads, no more
    std::size_t readable_end = 0;    // where the reader stops: the first Ctrl-Z, or the end
    std::size_t read_end = 0;        // where the pass stops: its bound, or readable_end
    bool beyond_bound = false;       // the file holds more lines than the pass reads
};

ReaderLines reader_lines(std::string_view bytes);

// The piece the reader takes `key` from (its last), if any.
const ReaderPiece* winning_piece(const ReaderLines& lines, std::string_view key);
const ReaderPiece* winning_piece(const ReaderLines&& lines, std::string_view key) = delete;

// The piece as the reader sees it: its text-mode bytes up to the first NUL.
std::string visible_text(std::string_view bytes, const ReaderPiece& piece);

} // namespace editor
