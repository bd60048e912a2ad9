#include "key_suggestion.hpp"

#include "hud/hud_setting_table.hpp"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace checker {
namespace {

std::string folded(std::string_view text, bool drop_blanks) {
    std::string out;
    for (const char c : text) {
        if (drop_blanks && (c == ' ' || c == '\t')) continue;
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

std::size_t edit_distance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string_view edit_cause(std::string_view typed, std::string_view key) {
    if (typed.size() + 1 == key.size()) return "a missing letter";
    if (typed.size() == key.size() + 1) return "an extra letter";
    return typed.size() == key.size() ? "a wrong letter" : "a few letters off";
}

} // namespace

std::optional<KeySuggestion> nearest_table_key(std::string_view typed) {
    constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";
    if (typed.substr(0, 3) == byte_order_mark) {
        auto behind = nearest_table_key(typed.substr(3));
        if (behind && behind->key == typed.substr(3)) behind->cause = "a byte-order mark before it";
        return behind;
    }
    const std::string plain = folded(typed, false);
    const std::string compact = folded(typed, true);
    std::optional<KeySuggestion> best;
    std::size_t best_distance = 3; // more than two edits away is no suggestion
    for (const auto& row : hud::hud_setting_table) {
        const std::string_view key = row.key;
        if (folded(key, false) == plain) return KeySuggestion{key, "letter case"};
        if (folded(key, true) == compact) return KeySuggestion{key, "a blank inside the key"};
        const std::size_t distance = edit_distance(plain, folded(key, false));
        if (distance < best_distance) {
            best_distance = distance;
            best = KeySuggestion{key, edit_cause(typed, key)};
        }
    }
    return best;
}

} // namespace checker
