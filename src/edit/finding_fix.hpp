#pragma once
// A one-click fix for each of the checker's findings: the change of the file that
// resolves it, kept only when the checker then reports fewer findings than before, so
// no fix ever makes a file worse. Fixes address the reader's own lines.

#include "edit/splice.hpp"
#include "ini_rules/ini_check.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace editor {

struct FindingFix {
    std::string label; // what it does, for the button's description
    Splice splice;
};

// Per finding of `report` (the checker's on `bytes`), in order. Checking candidates
// costs a pass of the checker each; once `budget` bytes have been checked, the rest
// of the findings get none (a file of megabytes with thousands of findings).
std::vector<std::optional<FindingFix>>
finding_fixes(std::string_view bytes, const checker::CheckReport& report, std::size_t budget);

// The line a finding's advice offers ("write Key=value (why)" gives "Key=value").
std::string offered_line(std::string_view suggestion);

} // namespace editor
