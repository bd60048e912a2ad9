#pragma once
// The one renderer of the checker's sentences: a text of the registry (or of the
// checker's own) in a language, its "{name}" places filled from a finding's arguments.
// Texts found in files, names and paths are escaped (\xHH) wherever they go.

#include "findings/catalogue.hpp"
#include "findings/finding.hpp"

#include <string>
#include <string_view>

namespace checker {

// `english` translated, then filled from `args`.
std::string render(std::string_view english, const Args& args, const Catalogue& language);

// The same for a text whose form depends on the argument "count".
std::string render_plural(std::string_view singular, std::string_view plural, const Args& args,
                          const Catalogue& language);

std::string message_of(const Finding& finding, const Catalogue& language);
std::string advice_of(const Finding& finding, const Catalogue& language);

// Whether the finding has an argument for every place of its message and its advice,
// in the English texts and the terms they hold (a test of the rules, not of translations).
bool fills_every_place(const Finding& finding);

// The value of the argument "count" (a number, or a list's length); 0 when there is none.
unsigned long long count_of(const Args& args);

} // namespace checker
