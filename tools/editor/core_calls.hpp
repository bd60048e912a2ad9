#pragma once
// What the page passes the core: for "which fixes" (editor_fix) one finding's index in
// the report, or one of these; for its language a code.

#include "findings/catalogues.hpp"

namespace editor {

inline constexpr int all_fixes = -1;       // every fix the report has
inline constexpr int fixes_of_errors = -2; // those of findings that keep a colour from applying

// The catalogue of the page's language; English for a code the core does not speak.
inline const checker::Catalogue& language_of(const char* code) {
    const checker::Catalogue* found = code ? checker::catalogue_for(code) : nullptr;
    return found ? *found : checker::english();
}

} // namespace editor
