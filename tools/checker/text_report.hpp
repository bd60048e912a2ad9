#pragma once
// The report as the console shows it to a player.

#include "console.hpp"
#include "findings/catalogue.hpp"
#include "report/report.hpp"

#include <filesystem>

namespace checker::cli {

// `game`: the game folder looked at, for an install report; `all`: every setting in the
// table, not only those the file sets or that have a finding.
void print_report(const Report& report, const std::filesystem::path& game,
                  const console::Terminal& terminal, const Catalogue& language, bool all);

// The answer once more, what to do and how many other findings there are: the last lines.
void print_closing(const Report& report, int width, const Catalogue& language);

// Words of `text` (rendered already, so escaped) on lines of at most `width` columns (a
// character a column): the first after `indent`, the others two further in.
void print_wrapped(const std::string& text, int indent, int width);

} // namespace checker::cli
