#pragma once
// A language's words: the translation of each of the checker's English texts, and which
// plural form a count takes. English gives every text back as it is.

#include <string_view>

namespace checker {

class Catalogue {
public:
    virtual ~Catalogue() = default;
    virtual std::string_view code() const = 0; // "en", "pt-BR"
    // The translation of `english`; `english` itself where there is none.
    virtual std::string_view text(std::string_view english) const = 0;
    // The form for `count` of the text whose English forms are `singular` and `plural`.
    virtual std::string_view plural(std::string_view singular, std::string_view plural,
                                    unsigned long long count) const = 0;
};

const Catalogue& english();

} // namespace checker
