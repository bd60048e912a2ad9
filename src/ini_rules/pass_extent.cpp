#include "ini_rules/pass_extent.hpp"

namespace checker {

PassExtent pass_extent(std::string_view text) {
    std::string_view rest = text;
    char piece[config::line_buffer_size];
    int line = 1;
    for (int read = 0; read < config::pass_piece_limit; ++read) {
        if (!config::cut_settings_piece(rest, piece)) return {text.size(), 0};
        const std::size_t taken = text.size() - rest.size();
        if (taken > 0 && text[taken - 1] == '\n') ++line;
    }
    const std::size_t bytes = text.size() - rest.size();
    if (rest.empty()) return {bytes, 0};
    // A line cut by the limit is unread from its next piece on, on the same line.
    return {bytes, line};
}

} // namespace checker
