#include "edit/reader_lines.hpp"

#include "config/settings_file.hpp"
#include "ini_rules/pass_extent.hpp"
#include "ini_rules/text_mode.hpp"

namespace editor {
namespace {

// How many bytes of `text` the reader's next piece takes: up to 255, through a line feed.
std::size_t piece_length(std::string_view text) {
    const std::size_t most = config::line_buffer_size - 1;
    const std::size_t feed = text.substr(0, most).find('\n');
    return feed == std::string_view::npos ? std::min(most, text.size()) : feed + 1;
}

bool dropped_carriage_return(std::string_view bytes, std::size_t at) {
    return bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n';
}

// Where `count` text-mode bytes that start at raw byte `at` end in the file.
std::size_t raw_after(std::string_view bytes, std::size_t at, std::size_t count) {
    for (; count > 0; --count, ++at)
        if (dropped_carriage_return(bytes, at)) ++at;
    return at;
}

} // namespace

ReaderLines reader_lines(std::string_view bytes) {
    ReaderLines lines;
    const std::size_t stop = bytes.find(checker::end_of_file_mark);
    lines.readable_end = stop == std::string_view::npos ? bytes.size() : stop;
    // Only what the plugin's pass reads: its pieces are the ones an edit may touch.
    const checker::PluginText read = checker::plugin_text(bytes, 0);
    const std::string_view text = std::string_view{read.text}.substr(0, read.extent.bytes);
    lines.beyond_bound = read.extent.first_unread_line != 0;
    std::string_view rest{text};
    std::size_t raw = 0;
    int line = 1;
    char piece[config::line_buffer_size];
    // The reader's own cutting and parsing; only the spans are worked out here. Lines are
    // counted by the line feeds the pieces take, whatever a NUL hides of one.
    for (std::string_view cut = text; config::cut_settings_piece(cut, piece);) {
        const std::size_t length = piece_length(rest);
        ReaderPiece out{raw, raw_after(bytes, raw, length), line, std::nullopt, {}};
        if (const auto entry = config::parse_settings_piece(piece)) {
            out.key = std::string{entry->key};
            out.value = std::string{entry->value};
        }
        if (rest[length - 1] == '\n') ++line;
        raw = out.end;
        rest.remove_prefix(length);
        lines.pieces.push_back(std::move(out));
    }
    lines.read_end = raw;
    return lines;
}

const ReaderPiece* winning_piece(const ReaderLines& lines, std::string_view key) {
    for (auto piece = lines.pieces.rbegin(); piece != lines.pieces.rend(); ++piece)
        if (piece->key && *piece->key == key) return &*piece;
    return nullptr;
}

std::string visible_text(std::string_view bytes, const ReaderPiece& piece) {
    std::string text =
        checker::windows_text_mode(bytes.substr(piece.start, piece.end - piece.start));
    return text.substr(0, text.find('\0'));
}

} // namespace editor
