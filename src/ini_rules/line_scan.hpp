#pragma once
// The lines of an ini as the plugin's reader sees them: which key is on which line,
// the value it keeps of each, and the lines it reads as no setting at all.

#include "findings/finding.hpp"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace checker {

// Where the reader found a key, and the value it keeps of it (the last one's).
struct KeySeen {
    std::vector<int> lines;
    std::string value;
};

struct LineScan {
    std::map<std::string, KeySeen, std::less<>> occurrences;
    Findings findings; // long lines, section headers, lines without "=", lone CRs
    // Lines the reader does not take as the player sees them (cut into pieces, a carriage
    // return alone or a NUL inside): no fix rewrites or removes them.
    std::set<int> mixed_lines;
};

// `text` as the plugin's runtime hands it over (Windows text mode).
LineScan scan_lines(std::string_view text);

bool is_table_key(std::string_view key);

// A table key behind the byte-order mark that the first line of the file begins with.
bool is_table_key_after_mark(std::string_view key, const std::vector<int>& lines);

} // namespace checker
