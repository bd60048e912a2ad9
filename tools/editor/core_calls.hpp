#pragma once
// What the page passes the core for "which fixes" (editor_fix): one finding's index in
// the report, or one of these.

namespace editor {

inline constexpr int all_fixes = -1;       // every fix the report has
inline constexpr int fixes_of_errors = -2; // those of findings that keep a colour from applying

} // namespace editor
