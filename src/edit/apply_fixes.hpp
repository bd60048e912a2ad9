#pragma once
// The checker's fixes applied to a player's file: the one way the page's Fix buttons and
// anyone reading the JSON report change an ini, so both give the same bytes. Lines are
// the file's lines as the checker counts them (ended by a line feed, a CR before it
// belonging to the line end, up to the first Ctrl-Z); every byte no fix names stays.

#include "findings/finding.hpp"

#include <span>
#include <string>
#include <string_view>

namespace editor {

// One fix; actions on files (rename, delete-file) leave the bytes as they are.
std::string apply_fix(std::string_view bytes, const checker::Fix& fix);

// The fixes of one report of `bytes`, each once, in the order that keeps their lines
// right: the line actions from the last line up, then the appended lines, then the
// changes of the whole file (line ends, Ctrl-Z, the byte-order mark, UTF-16).
std::string apply_fixes(std::string_view bytes, std::span<const checker::Fix> fixes);

// The line end the file already uses: CR LF, or LF in a file that has only those.
std::string_view line_end_of(std::string_view bytes);

} // namespace editor
