#pragma once
// The table key a mistyped key was probably meant to be.

#include <optional>
#include <string_view>

namespace checker {

struct KeySuggestion {
    std::string_view key;   // the table key
    std::string_view cause; // "letter case", "a blank inside the key", "a missing letter", ...
};

std::optional<KeySuggestion> nearest_table_key(std::string_view typed);

} // namespace checker
