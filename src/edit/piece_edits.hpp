#pragma once
// The ways to change one piece the reader takes, each as candidate splices from the
// least to the most invasive: a caller keeps the first whose result reads as it must.
// Only the piece's own line is touched; a line end is added where the new text would
// otherwise run into bytes the reader took as the same line.

#include "edit/apply_fixes.hpp"
#include "edit/reader_lines.hpp"
#include "edit/splice.hpp"

#include <vector>

namespace editor {

// `text` (one line, without its end) in place of the piece's line.
std::vector<Splice> replacements(std::string_view bytes, const ReaderLines& lines,
                                 const ReaderPiece& piece, std::string_view text);

// The piece's line gone.
std::vector<Splice> removals(std::string_view bytes, const ReaderLines& lines,
                             const ReaderPiece& piece);

// The piece's line made a "; " comment.
std::vector<Splice> comment_outs(std::string_view bytes, const ReaderLines& lines,
                                 const ReaderPiece& piece);

// A new line at the end of what the reader reads (before a Ctrl-Z).
Splice appended_line(std::string_view bytes, const ReaderLines& lines, std::string_view text);

} // namespace editor
