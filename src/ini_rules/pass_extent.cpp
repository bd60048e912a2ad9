#include "ini_rules/pass_extent.hpp"

#include "ini_rules/text_mode.hpp"

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

PluginText plugin_text(std::string_view bytes, std::size_t unread_bytes) {
    // Raw bytes are at most twice the text they give (every line feed after a CR).
    const std::size_t looked_at = pass_read_limit + 2 * unread_bytes + 1;
    PluginText read{windows_text_mode(bytes.substr(0, looked_at)), {}, bytes.size() > looked_at};
    read.extent = pass_extent(read.text);
    if (read.text.size() > read.extent.bytes + unread_bytes) {
        read.text.resize(read.extent.bytes + unread_bytes);
        read.more_unread = true;
    }
    return read;
}

} // namespace checker
