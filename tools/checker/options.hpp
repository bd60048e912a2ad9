#pragma once
// The checker's command line.

#include "findings/catalogue.hpp"

#include <optional>
#include <string>
#include <vector>

namespace checker::cli {

enum class Format { text, json };

struct Options {
    std::optional<std::string> path, game, svg, output, from_code;
    bool template_only = false, code = false, all = false, repair = false;
    Format format = Format::text;
};

// The language to speak: --lang's (exits with status 2 for one the checker does not
// speak), or else the system's, or English.
const Catalogue& language_of(const std::vector<std::string>& args);

// Exits with the help, the version, or (status 2) a message for a wrong command line.
Options parse_options(const std::vector<std::string>& args, const Catalogue& language);

// A message for the player on standard error: rendered already, so escaped where it holds
// what came from a file, a name or the command line.
void fail(const std::string& what);

} // namespace checker::cli
