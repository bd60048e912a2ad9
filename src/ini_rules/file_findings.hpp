#pragma once
// Findings on the file as a whole: how it is encoded and saved, rather than what a line
// says.

#include "findings/finding.hpp"
#include "ini_rules/line_scan.hpp"

#include <string_view>

namespace checker {

Finding utf16_finding();
Finding empty_file_finding();

// A UTF-8 byte-order mark, a Ctrl-Z before the end, carriage returns without line
// feeds; `bytes` as saved, `text` as the plugin's pass reads it (`read_to_end`: all of it,
// up to the end or a Ctrl-Z).
Findings saving_findings(std::string_view bytes, std::string_view text, const LineScan& scan,
                         bool read_to_end);

} // namespace checker
