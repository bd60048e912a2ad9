#pragma once
// Marks an English text of the tools' own for translation where it stands: the catalogue
// extractor (tools/translations/extract.py) collects every text given to tr(), and the
// renderer looks each up in the player's language.

#include <string_view>

namespace checker {

constexpr std::string_view tr(std::string_view english) {
    return english;
}

// The plural form of the text marked by the tr() just before it (a count decides which).
constexpr std::string_view tr_plural(std::string_view english) {
    return english;
}

} // namespace checker
