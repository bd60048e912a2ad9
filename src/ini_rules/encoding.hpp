#pragma once
// How an ini's bytes are encoded, as far as it matters to the plugin, which reads 8-bit
// text only: UTF-16 (Notepad's "Unicode", PowerShell's ">") gives it no setting at all,
// a UTF-8 byte-order mark spoils the first line's key. The one detection the checker and
// the editor use.

#include <string_view>

namespace checker {

enum class Encoding { eight_bit, utf8_with_mark, utf16_le, utf16_be };

// UTF-16 by its byte-order mark, or where the first bytes are UTF-16 text (a NUL beside
// nearly every character, from the first one on) and the plugin reads no setting of the
// table from them as they are; a UTF-8 mark; else 8-bit text.
Encoding detect_encoding(std::string_view bytes);

// For the report: "ascii", "utf-8", "ansi" (8-bit, not UTF-8), "utf-8-bom", "utf-16le",
// "utf-16be".
std::string_view encoding_id(std::string_view bytes);

// Whether `text` is well-formed UTF-8 (shortest forms, no surrogates, up to U+10FFFF).
bool valid_utf8(std::string_view text);

} // namespace checker
