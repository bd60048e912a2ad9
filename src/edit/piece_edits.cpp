#include "edit/piece_edits.hpp"

namespace editor {
namespace {

// The piece's own text on its line: up to the first CR, LF or NUL, or the piece's end.
std::size_t segment_end(std::string_view bytes, const ReaderPiece& piece) {
    const std::size_t stop = bytes.substr(piece.start, piece.end - piece.start)
                                 .find_first_of(std::string_view{"\r\n\0", 3});
    return stop == std::string_view::npos ? piece.end : piece.start + stop;
}

bool ends_reader_line(std::string_view bytes, const ReaderLines& lines, const ReaderPiece& piece) {
    return piece.end == lines.readable_end || (piece.end > 0 && bytes[piece.end - 1] == '\n');
}

// The length of a CR LF or LF at `at`, or 0.
std::size_t line_end_at(std::string_view bytes, std::size_t at) {
    if (bytes.substr(at, 2) == "\r\n") return 2;
    return bytes.substr(at, 1) == "\n" ? 1 : 0;
}

bool lone_carriage_return_at(std::string_view bytes, std::size_t at) {
    return bytes.substr(at, 1) == "\r" && line_end_at(bytes, at) == 0;
}

// Through the end of the reader's line: every piece of it gives way to `text`.
Splice whole_line(std::string_view bytes, const ReaderLines& lines, const ReaderPiece& piece,
                  std::string_view text) {
    const std::size_t feed = bytes.substr(0, lines.readable_end).find('\n', piece.start);
    if (feed != std::string_view::npos) {
        const std::size_t end = feed > piece.start && bytes[feed - 1] == '\r' ? feed - 1 : feed;
        return {piece.start, end - piece.start, std::string{text}};
    }
    const bool more = lines.readable_end < bytes.size();
    return {piece.start, lines.readable_end - piece.start,
            std::string{text} + std::string{more ? line_end_of(bytes) : ""}};
}

// The reader's later pieces of the same line, each made a line of its own: they read
// as before wherever the new text ends. The rest of the piece's own line (after a NUL
// or a lone CR) becomes a comment.
Splice split_line(std::string_view bytes, const ReaderLines& lines, const ReaderPiece& piece,
                  std::size_t end, std::string_view text) {
    const std::string eol{line_end_of(bytes)};
    std::string out = std::string{text} + eol;
    const std::string_view rest = bytes.substr(end, piece.end - end);
    if (!rest.empty()) out += "; " + std::string{rest} + eol;
    std::size_t stop = piece.end;
    for (auto next = lines.pieces.begin() + (&piece - lines.pieces.data()) + 1;
         next != lines.pieces.end() && !ends_reader_line(bytes, lines, *(next - 1)); ++next) {
        out += bytes.substr(next->start, next->end - next->start);
        stop = next->end;
        if (!ends_reader_line(bytes, lines, *next)) out += eol;
    }
    if (!out.empty() && out.back() == '\n' && stop > 0 && bytes[stop - 1] == '\n') {
        // the line's own end stays where it was
        out.resize(out.size() - (out.ends_with("\r\n") ? 2 : 1));
        stop -= bytes.substr(0, stop).ends_with("\r\n") ? 2 : 1;
    }
    return {piece.start, stop - piece.start, out};
}

} // namespace

std::vector<Splice> replacements(std::string_view bytes, const ReaderLines& lines,
                                 const ReaderPiece& piece, std::string_view text) {
    const std::size_t end = segment_end(bytes, piece);
    const std::string eol{line_end_of(bytes)};
    const bool cut = end == piece.end && !ends_reader_line(bytes, lines, piece);
    std::vector<Splice> out{{piece.start, end - piece.start, std::string{text} + (cut ? eol : "")}};
    // Blanks after a shorter text keep every later byte where the reader cut it.
    if (text.size() < end - piece.start)
        out.push_back({piece.start, end - piece.start,
                       std::string{text} + std::string(end - piece.start - text.size(), ' ')});
    // A lone CR or a NUL after the text: the new line gets an end of its own.
    if (!cut && end < piece.end && line_end_at(bytes, end) == 0)
        out.push_back({piece.start, end - piece.start + lone_carriage_return_at(bytes, end),
                       std::string{text} + eol});
    out.push_back(whole_line(bytes, lines, piece, text));
    if (!ends_reader_line(bytes, lines, piece))
        out.push_back(split_line(bytes, lines, piece, end, text));
    return out;
}

std::vector<Splice> removals(std::string_view bytes, const ReaderLines& lines,
                             const ReaderPiece& piece) {
    std::vector<Splice> out;
    const bool line_start = piece.start == 0 || bytes[piece.start - 1] == '\n';
    const std::size_t end = segment_end(bytes, piece);
    if (line_start && line_end_at(bytes, end) > 0)
        out.push_back({piece.start, end + line_end_at(bytes, end) - piece.start, ""});
    else if (line_start && end == piece.end && piece.end == lines.readable_end)
        out.push_back({piece.start, end - piece.start, ""});
    for (auto& splice : replacements(bytes, lines, piece, ""))
        out.push_back(std::move(splice));
    return out;
}

std::vector<Splice> comment_outs(std::string_view bytes, const ReaderLines& lines,
                                 const ReaderPiece& piece) {
    std::vector<Splice> out{{piece.start, 0, "; "}};
    const std::size_t end = segment_end(bytes, piece);
    const std::string commented = "; " + std::string{bytes.substr(piece.start, end - piece.start)};
    for (auto& splice : replacements(bytes, lines, piece, commented))
        out.push_back(std::move(splice));
    return out;
}

Splice appended_line(std::string_view bytes, const ReaderLines& lines, std::string_view text) {
    const std::size_t at = lines.readable_end;
    const std::string eol{line_end_of(bytes)};
    std::string line;
    if (at > 0 && bytes[at - 1] != '\n') line = bytes[at - 1] == '\r' ? "\n" : eol;
    return {at, 0, line + std::string{text} + eol};
}

} // namespace editor
