#pragma once
// Findings on the keys of an ini: keys the plugin does not know (with the one meant,
// when it is clear) and keys written more than once.

#include "findings/finding.hpp"
#include "ini_rules/line_scan.hpp"

#include <vector>

namespace checker {

void check_keys(const LineScan& scan, Findings& findings);

} // namespace checker
