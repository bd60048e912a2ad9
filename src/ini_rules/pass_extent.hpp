#pragma once
// How much of an ini the plugin's pass reads: its first pass_piece_limit pieces (a line
// of up to 255 bytes is one piece), as if the file ended there.

#include "config/settings_file.hpp"

#include <cstddef>
#include <string>
#include <string_view>

namespace checker {

// The most bytes of a file the pass can read: every piece full, every line feed
// written as CR LF.
inline constexpr std::size_t pass_read_limit =
    std::size_t{config::pass_piece_limit} * (config::line_buffer_size - 1) * 2;

struct PassExtent {
    std::size_t bytes;     // of the text, the part the pass reads
    int first_unread_line; // 1-based; 0 when the pass reads it all
};

// Over the text as the plugin's runtime hands it over (Windows text mode).
PassExtent pass_extent(std::string_view text);

// What the plugin's pass reads of a file's bytes: the text its runtime hands over, up to
// the pass's bound; and past it, at most `unread_bytes` more of the text, for telling what
// the plugin misses there. Only as much of the bytes is looked at as that takes, however
// large the file.
struct PluginText {
    std::string text;         // the read part, then the unread part looked at
    PassExtent extent;        // of `text`: the read part
    bool more_unread = false; // the file holds more past what was looked at
};
PluginText plugin_text(std::string_view bytes, std::size_t unread_bytes = pass_read_limit);

} // namespace checker
