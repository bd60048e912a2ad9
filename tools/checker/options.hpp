#pragma once
// The checker's command line.

#include <optional>
#include <string>
#include <vector>

namespace checker::cli {

enum class Format { text, json };

struct Options {
    std::optional<std::string> path, game, svg, output, from_code;
    bool template_only = false, code = false, all = false;
    Format format = Format::text;
};

extern const char* const usage;

// Exits with the help, the version, or (status 2) a message for a wrong command line.
Options parse_options(const std::vector<std::string>& args);

// A message for the player on standard error, escaped whatever it holds.
void fail(const std::string& what);

} // namespace checker::cli
