#include "options.hpp"

#include "common/printable.hpp"
#include "tessivar_version.hpp"

#include <cstdio>
#include <cstdlib>

namespace checker::cli {

const char* const usage =
    "usage: Tessivar.VC.check [PATH] [--game DIR] [--all] [--format=json] [--svg FILE]\n"
    "                         [--code]\n"
    "       Tessivar.VC.check --template [--output FILE]\n"
    "       Tessivar.VC.check --from-code CODE [--output FILE]\n"
    "       Tessivar.VC.check --help | --version\n"
    "\n"
    "Says whether the Tessivar plugin will apply your colours: the ASI loader, every\n"
    "copy of the plugin and the ini in the game folder, what the plugin will make of\n"
    "the ini, Tessivar.VC.ini, and what to write instead of each mistake.\n"
    "\n"
    "  PATH            the ini to check; without it, the ini the plugin would read,\n"
    "                  looked for from the game folder (the current folder, or the one\n"
    "                  above it when that is the game's plugins or scripts folder)\n"
    "  --game DIR      look at this game folder\n"
    "  --all           list every setting, not only those the file sets or that have\n"
    "                  a finding (also --verbose)\n"
    "  --format=json   print the report as one JSON document (see docs/checker.md)\n"
    "  --svg FILE      also draw the HUD in the colours the plugin will write\n"
    "  --code          also print the colour code of these colours, to share them\n"
    "  --from-code CODE  a complete ini that gives the colours of a colour code\n"
    "  --template      print a complete ini with every default\n"
    "  --output FILE   with --template or --from-code: write it to FILE (CRLF, no\n"
    "                  byte-order mark)\n"
    "  --version       print the version\n"
    "  -h, /?, --help  print this help\n"
    "\n"
    "Exit status: 0 no findings (and, for a game folder, the answer is yes), 1 findings\n"
    "or any other answer, 2 the file or folder cannot be read or the command line is\n"
    "wrong.\n"
    "\n"
    "Examples:\n"
    "  Tessivar.VC.check --game \"C:\\Games\\My Game\"\n"
    "  Tessivar.VC.check --template --output Tessivar.VC.ini\n";

void fail(const std::string& what) {
    std::fprintf(stderr, "Tessivar.VC.check: %s\n", printable(what).c_str());
}

namespace {

[[noreturn]] void usage_error(const std::string& what) {
    fail(what);
    std::fputs(usage, stderr);
    std::exit(2);
}

Format format_named(const std::string& name) {
    if (name == "json") return Format::json;
    if (name == "text") return Format::text;
    usage_error("--format takes json or text, not " + name);
}

} // namespace

Options parse_options(const std::vector<std::string>& args) {
    Options options;
    const int argc = static_cast<int>(args.size());
    for (int i = 1; i < argc; ++i) {
        const std::string& arg = args[i];
        const auto value = [&](const char* what) -> const std::string& {
            if (i + 1 >= argc) usage_error(arg + " needs " + what);
            return args[++i];
        };
        if (arg == "--template") {
            options.template_only = true;
        } else if (arg == "--all" || arg == "--verbose") {
            options.all = true;
        } else if (arg == "--code") {
            options.code = true;
        } else if (arg == "--from-code") {
            options.from_code = value("a code");
        } else if (arg == "--game") {
            options.game = value("a folder");
        } else if (arg == "--svg") {
            options.svg = value("a file");
        } else if (arg == "--output") {
            options.output = value("a file");
        } else if (arg == "--format") {
            options.format = format_named(value("json or text"));
        } else if (arg.rfind("--format=", 0) == 0) {
            options.format = format_named(arg.substr(9));
        } else if (arg == "--version") {
            std::printf("Tessivar.VC.check %s\n", tessivar::version);
            std::exit(0);
        } else if (arg == "--help" || arg == "-h" || arg == "/?") {
            std::fputs(usage, stdout);
            std::exit(0);
        } else if (!arg.empty() && arg[0] == '-') {
            usage_error("unknown option " + arg);
        } else if (!options.path) {
            options.path = arg;
        } else {
            usage_error("more than one PATH (" + arg + ")");
        }
    }
    return options;
}

} // namespace checker::cli
