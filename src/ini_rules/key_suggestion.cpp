#include "ini_rules/key_suggestion.hpp"

#include "common/byte_order_mark.hpp"
#include "common/lower_case.hpp"
#include "common/translatable.hpp"
#include "hud/hud_setting_table.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace checker {
namespace {

std::string folded(std::string_view text, bool drop_blanks) {
    std::string out;
    for (const char c : text) {
        if (drop_blanks && (c == ' ' || c == '\t')) continue;
        out += lower_case(c);
    }
    return out;
}

// The longest table key: the second word of every distance worked out below.
constexpr std::size_t longest_key = [] {
    std::size_t longest = 0;
    for (const auto& row : hud::hud_setting_table)
        longest = std::max(longest, std::string_view{row.key}.size());
    return longest;
}();

// Levenshtein distance from `a` to the table key `b`, or any value above `limit` once it
// is sure to exceed it: only the band of cells within `limit` of the diagonal is worked
// out, in one row on the stack.
std::size_t edit_distance(std::string_view a, std::string_view b, std::size_t limit) {
    const std::size_t over = limit + 1;
    std::array<std::size_t, longest_key + 1> row;
    row.fill(over);
    for (std::size_t j = 0; j <= std::min(b.size(), limit); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        const std::size_t from = i > limit ? i - limit : 1;
        const std::size_t to = std::min(b.size(), i + limit);
        std::size_t diagonal = from > 1 ? row[from - 1] : i - 1;
        if (from == 1)
            row[0] = i <= limit ? i : over;
        else
            row[from - 1] = over;
        std::size_t best = from == 1 ? row[0] : over;
        for (std::size_t j = from; j <= to; ++j) {
            const std::size_t above = row[j];
            const std::size_t step =
                std::min(std::min(row[j], row[j - 1]) + 1, diagonal + (a[i - 1] != b[j - 1]));
            row[j] = std::min(step, over);
            diagonal = above;
            best = std::min(best, row[j]);
        }
        if (best > limit) return over;
    }
    return row[b.size()];
}

std::string_view edit_cause(std::string_view typed, std::string_view key) {
    if (typed.size() + 1 == key.size()) return tr("a missing letter");
    if (typed.size() == key.size() + 1) return tr("an extra letter");
    return typed.size() == key.size() ? tr("a wrong letter") : tr("a few letters off");
}

struct Alias {
    std::string_view typed; // folded, blanks and underscores dropped, "armor" as "armour"
    std::size_t row;        // a key that is not in the table does not build
};

// Names players give the elements, mapped to the plugin's keys by meaning.
constexpr std::array<Alias, 30> aliases{{
    {"wastedbustedcolor", hud::row_of("WastedBusted")},
    {"wastedcolor", hud::row_of("WastedBusted")},
    {"bustedcolor", hud::row_of("WastedBusted")},
    {"wastedbustedtextcolor", hud::row_of("WastedBusted")},
    {"messageboxcolor", hud::row_of("Messagebox")},
    {"messagebox1", hud::row_of("Messagebox")},
    {"messageboxcolor2", hud::row_of("Messagebox2")},
    {"messagebox2color", hud::row_of("Messagebox2")},
    {"messageboxtextcolor", hud::row_of("Messagebox2")},
    {"styledtextcolor", hud::row_of("Styledtext")},
    {"wantedstarscolor", hud::row_of("WantedActiveColor")},
    {"wantedstarcolor", hud::row_of("WantedActiveColor")},
    {"wantedcolor", hud::row_of("WantedActiveColor")},
    {"starscolor", hud::row_of("WantedActiveColor")},
    {"wantedinactivecolor", hud::row_of("WantedNotActiveColor")},
    {"wantedflashingcolor", hud::row_of("WantedFlashColor")},
    {"cashcolor", hud::row_of("MoneyColor")},
    {"moneytextcolor", hud::row_of("MoneyColor")},
    {"clockcolor", hud::row_of("TimeColor")},
    {"zonenamecolor", hud::row_of("ZoneColor")},
    {"vehiclenamecolor", hud::row_of("VehicleColor")},
    {"carcolor", hud::row_of("VehicleColor")},
    {"healthcolor", hud::row_of("HealthNumberColor")},
    {"armourcolor", hud::row_of("ArmourNumberColor")},
    {"ammocolor", hud::row_of("BulletNumberColor")},
    {"ammonumbercolor", hud::row_of("BulletNumberColor")},
    {"bulletcolor", hud::row_of("BulletNumberColor")},
    {"crosshaircolor", hud::row_of("NormalWeaponsCursorColor")},
    {"crosshairsize", hud::row_of("AllWeaponsCursorSize")},
    {"cursorsize", hud::row_of("AllWeaponsCursorSize")},
}};

// The longest name players give an element that maps to a key.
constexpr std::size_t longest_alias = [] {
    std::size_t longest = longest_key;
    for (const auto& alias : aliases)
        longest = std::max(longest, alias.typed.size());
    return longest;
}();

// A key as it is compared by meaning: folded, without blanks and underscores, with the
// plugin's spellings ("armour", "color").
std::string by_meaning(std::string_view text) {
    std::string out;
    for (const char c : folded(text, true))
        if (c != '_' && c != '-') out += c;
    for (const auto& [from, to] : {std::pair{"armor", "armour"}, std::pair{"colour", "color"}})
        for (std::size_t at = out.find(from); at != std::string::npos; at = out.find(from, at + 6))
            if (out.compare(at, std::strlen(to), to) != 0) out.replace(at, std::strlen(from), to);
    return out;
}

// The table's keys in each form they are compared in, worked out once: the checker
// asks for every unknown key of a file.
struct KeyForms {
    std::vector<std::string> plain, compact, meaning;
};

const KeyForms& table_key_forms() {
    static const KeyForms forms = [] {
        KeyForms out;
        for (const auto& row : hud::hud_setting_table) {
            out.plain.push_back(folded(row.key, false));
            out.compact.push_back(folded(row.key, true));
            out.meaning.push_back(by_meaning(row.key));
        }
        return out;
    }();
    return forms;
}

} // namespace

std::optional<KeySuggestion> nearest_table_key(std::string_view typed) {
    if (starts_with_byte_order_mark(typed)) {
        const std::string_view after_mark = typed.substr(byte_order_mark.size());
        auto behind = nearest_table_key(after_mark);
        if (behind && behind->key == after_mark) behind->cause = tr("a byte-order mark before it");
        return behind;
    }
    // Every character no key holds costs an edit in every form the key is compared in:
    // more than two, and no key is near.
    std::size_t foreign = 0, dropped = 0;
    for (const char c : typed) {
        const bool drops = c == ' ' || c == '\t' || c == '_' || c == '-';
        dropped += drops;
        foreign += !drops && !std::isalnum(static_cast<unsigned char>(c));
    }
    if (foreign > 2) return std::nullopt;
    // Further from every key than two edits, in every form it is compared in: no key. The
    // form by meaning drops blanks, "_" and "-", and a letter of every "colour" at most.
    const std::size_t kept = typed.size() - dropped;
    if (typed.size() > longest_key + 2 && kept - kept / 6 > longest_alias + 1) return std::nullopt;
    const std::string plain = folded(typed, false);
    const std::string meaning = by_meaning(typed);
    const std::string compact = folded(typed, true);
    const KeyForms& forms = table_key_forms();
    for (std::size_t index = 0; index < hud::hud_setting_table.size(); ++index)
        if (forms.plain[index] != plain && forms.meaning[index] == meaning &&
            forms.compact[index] != compact)
            return KeySuggestion{hud::hud_setting_table[index].key,
                                 tr("the plugin spells it this way")};
    for (const auto& alias : aliases)
        if (alias.typed == meaning)
            return KeySuggestion{hud::hud_setting_table[alias.row].key,
                                 tr("the plugin's name for it")};
    std::optional<KeySuggestion> best;
    std::size_t best_distance = 3; // more than two edits away is no suggestion
    for (std::size_t index = 0; index < hud::hud_setting_table.size(); ++index) {
        const std::string_view key = hud::hud_setting_table[index].key;
        const std::string& folded_key = forms.plain[index];
        if (folded_key == plain) return KeySuggestion{key, tr("letter case")};
        if (forms.compact[index] == compact)
            return KeySuggestion{key, tr("a blank inside the key")};
        // Lengths further apart than the best so far cannot come closer: skip the work.
        const std::size_t apart =
            plain.size() > key.size() ? plain.size() - key.size() : key.size() - plain.size();
        if (apart >= best_distance) continue;
        const std::size_t distance = edit_distance(plain, folded_key, best_distance - 1);
        if (distance < best_distance) {
            best_distance = distance;
            best = KeySuggestion{key, edit_cause(typed, key)};
        }
    }
    return best;
}

} // namespace checker
