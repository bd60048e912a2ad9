#pragma once
// Edits of an ini as a player's file: a setting's line gets a new value and nothing
// else changes (comments, order and unknown lines stay), a missing key is appended,
// and the result has CRLF line ends and no byte-order mark.

#include <string>
#include <string_view>

namespace editor {

// The bytes with `key` set to `value`: on the line the plugin takes it from (its last),
// or on a new line at the end (before a Ctrl-Z, which ends what the plugin reads).
std::string set_value(std::string_view bytes, std::string_view key, std::string_view value);

// The bytes with line `line` (1-based, as the checker counts) replaced by `text`.
std::string replace_line(std::string_view bytes, int line, std::string_view text);

// Every setting the file has set back to its default.
std::string reset_all(std::string_view bytes);

// The template, as it is saved: CRLF.
std::string new_file();

} // namespace editor
