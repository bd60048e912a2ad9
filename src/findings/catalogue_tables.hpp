#pragma once
// The catalogues as the build compiles them in (from translations/*.po): for each
// language its code, its own name, its plural rule and its texts, sorted by their English.

#include <array>
#include <span>
#include <string_view>

namespace checker {

// Which form of a text a count takes (form 0, 1 or 2 of the catalogue).
enum class PluralRule {
    one_other, // 1 / everything else
    zero_one,  // 0 and 1 / everything else (French, Brazilian Portuguese)
    polish,    // 1 / 2-4 but 12-14 / everything else
    russian,   // 1, 21, 31 … but 11 / 2-4, 22-24 … but 12-14 / everything else
};

struct CatalogueEntry {
    std::string_view english;
    std::array<std::string_view, 3> forms; // one form, or a plural's forms
};

struct LanguageTable {
    std::string_view code, name;
    PluralRule plural;
    std::span<const CatalogueEntry> entries;
};

std::span<const LanguageTable> language_tables(); // English first, with no entries

constexpr std::size_t plural_form(PluralRule rule, unsigned long long n) {
    const unsigned long long last = n % 10, last_two = n % 100;
    const bool few = last >= 2 && last <= 4 && (last_two < 12 || last_two > 14);
    switch (rule) {
    case PluralRule::one_other:
        return n == 1 ? 0 : 1;
    case PluralRule::zero_one:
        return n <= 1 ? 0 : 1;
    case PluralRule::polish:
        return n == 1 ? 0 : few ? 1 : 2;
    case PluralRule::russian:
        return last == 1 && last_two != 11 ? 0 : few ? 1 : 2;
    }
    return 1;
}

} // namespace checker
