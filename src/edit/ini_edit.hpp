#pragma once
// Edits of an ini as a player's file: a setting's line gets a new value and every other
// byte stays (comments, order, unknown lines, line ends), whatever the line holds; a
// key the plugin does not see is appended. Lines are the plugin reader's own.

#include "edit/splice.hpp"

#include <string>
#include <string_view>

namespace editor {

// The change that sets `key` to `value` (one line of text) where the plugin takes it
// from, or on a new line at the end of what it reads (before a Ctrl-Z), such that the
// plugin then reads that value and every other entry as before.
Splice value_splice(std::string_view bytes, std::string_view key, std::string_view value);

std::string set_value(std::string_view bytes, std::string_view key, std::string_view value);

// Every setting the file has set back to its default.
std::string reset_all(std::string_view bytes);

// The template, as it is saved: CRLF.
std::string new_file();

} // namespace editor
