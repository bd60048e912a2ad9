#pragma once
// The languages the tools speak, and the choice of one: by its code, or from the player's
// settings (a list of locale names, the first the tools speak wins).

#include "findings/catalogue.hpp"

#include <string_view>
#include <vector>

namespace checker {

struct Language {
    std::string_view code, name; // "pt-BR", "Português (Brasil)"
};

std::vector<Language> languages(); // English first

// The catalogue of a code the tools speak ("de", "pt-BR"; letter case and "_" for "-" do
// not matter); nullptr for any other.
const Catalogue* catalogue_for(std::string_view code);

// The first of `locales` the tools speak: each a code or a locale name ("de_DE.UTF-8",
// "pt_BR", "ru-RU", "fr"), separated by ':' or ',' as LANGUAGE and browsers list them;
// "pt" of any country is Brazil's. English when none is.
const Catalogue& catalogue_of_locales(std::string_view locales);

} // namespace checker
