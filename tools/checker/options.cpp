#include "options.hpp"

#include "common/translatable.hpp"
#include "console.hpp"
#include "findings/catalogues.hpp"
#include "findings/render.hpp"
#include "tessivar_version.hpp"

#include <cstdio>
#include <cstdlib>

namespace checker::cli {
namespace {

// Under the translated heading, in any language.
constexpr std::string_view synopsis =
    "  Tessivar.VC.check [PATH] [--game DIR] [--all] [--lang CODE] [--format=json]\n"
    "                    [--svg FILE] [--code] [--repair]\n"
    "  Tessivar.VC.check --template [--output FILE]\n"
    "  Tessivar.VC.check --from-code CODE [--output FILE]\n"
    "  Tessivar.VC.check --help | --version\n";

struct OptionHelp {
    std::string_view option, help;
};

constexpr OptionHelp option_help[] = {
    {"PATH", tr("the ini to check; without it, the ini the plugin would read, looked for from "
                "the game folder (the current folder, or the one above it when that is the "
                "game's plugins or scripts folder)")},
    {"--game DIR", tr("look at this game folder")},
    {"--all", tr("list every setting, not only those the file sets or that have a finding "
                 "(also --verbose)")},
    {"--repair", tr("after the report, offer each repair of the game folder and ask y/N "
                    "before it; a file replaced or deleted is kept in Tessivar.VC.backup")},
    {"--lang CODE", tr("the language to speak: {languages} (without it, the system's)")},
    {"--format=json", tr("print the report as one JSON document (see docs/checker.md)")},
    {"--svg FILE", tr("also draw the HUD in the colours the plugin will write")},
    {"--code", tr("also print the colour code of these colours, to share them")},
    {"--from-code CODE", tr("a complete ini that gives the colours of a colour code")},
    {"--template", tr("print a complete ini with every default")},
    {"--output FILE", tr("with --template or --from-code: write it to FILE (CRLF, no "
                         "byte-order mark)")},
    {"--version", tr("print the version")},
    {"-h, /?, --help", tr("print this help")},
};

// Words on lines of at most `width` columns, the others after `indent` spaces.
std::string wrapped(const std::string& text, std::size_t indent, std::size_t first,
                    std::size_t width) {
    std::string out, line;
    std::size_t used = first, at = 0;
    const auto length = [](const std::string& s) {
        std::size_t n = 0;
        for (const char c : s)
            n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        return n;
    };
    while (at < text.size()) {
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(at, end - at);
        if (!line.empty() && used + length(line) + 1 + length(word) > width) {
            out += line + "\n" + std::string(indent, ' ');
            line.clear();
            used = indent;
        }
        line += (line.empty() ? "" : " ") + word;
        at = end + 1;
    }
    return out + line + "\n";
}

std::string codes_of_languages() {
    std::string codes;
    for (const Language& language : languages())
        codes += (codes.empty() ? "" : ", ") + std::string{language.code};
    return codes;
}

std::string usage_text(const Catalogue& language) {
    const auto said = [&](std::string_view english) {
        return render(english, {text_arg("languages", codes_of_languages())}, language);
    };
    constexpr std::size_t column = 18, width = 80;
    std::string out = said(tr("usage:")) + "\n" + std::string{synopsis} + "\n";
    out += wrapped(said(tr("Says whether the Tessivar plugin will apply your colours: the ASI "
                           "loader, every copy of the plugin and the ini in the game folder, what "
                           "the plugin will make of the ini, {ini_name}, and what to write "
                           "instead of each mistake.")),
                   0, 0, width) +
           "\n";
    for (const OptionHelp& option : option_help) {
        std::string head = "  " + std::string{option.option};
        head += head.size() + 1 < column ? std::string(column - head.size(), ' ') : "  ";
        out += head + wrapped(said(option.help), column, head.size(), width);
    }
    out += "\n" +
           wrapped(said(tr("Exit status: 0 no findings (and, for a game folder, the answer is "
                           "yes), 1 findings or any other answer, 2 the file or folder cannot be "
                           "read or the command line is wrong.")),
                   0, 0, width) +
           "\n" + said(tr("Examples:")) + "\n" +
           "  Tessivar.VC.check --game \"C:\\Games\\My Game\"\n"
           "  Tessivar.VC.check --template --output Tessivar.VC.ini\n"
           "  Tessivar.VC.check --lang de\n";
    return out;
}

[[noreturn]] void usage_error(const std::string& what, const Catalogue& language) {
    fail(what);
    console::write(usage_text(language), true);
    std::exit(2);
}

Format format_named(const std::string& name, const Catalogue& language) {
    if (name == "json") return Format::json;
    if (name == "text") return Format::text;
    usage_error(
        render(tr("--format takes json or text, not {value}"), {text_arg("value", name)}, language),
        language);
}

} // namespace

void fail(const std::string& what) {
    console::write("Tessivar.VC.check: " + what + "\n", true);
}

const Catalogue& language_of(const std::vector<std::string>& args) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string code;
        if (args[i].rfind("--lang=", 0) == 0)
            code = args[i].substr(7);
        else if (args[i] == "--lang" && i + 1 < args.size())
            code = args[i + 1];
        else
            continue;
        if (const Catalogue* chosen = catalogue_for(code)) return *chosen;
        fail(render(tr("--lang takes one of {languages}, not {value}"),
                    {text_arg("languages", codes_of_languages()), text_arg("value", code)},
                    english()));
        std::exit(2);
    }
    return catalogue_of_locales(console::user_locales());
}

Options parse_options(const std::vector<std::string>& args, const Catalogue& language) {
    Options options;
    const int argc = static_cast<int>(args.size());
    const auto error = [&](std::string_view english, const std::string& value) {
        usage_error(
            render(english, {text_arg("option", args[0]), text_arg("value", value)}, language),
            language);
    };
    for (int i = 1; i < argc; ++i) {
        const std::string& arg = args[i];
        const auto value = [&](std::string_view what) -> const std::string& {
            if (i + 1 >= argc)
                usage_error(render(what, {text_arg("option", arg)}, language), language);
            return args[++i];
        };
        if (arg == "--template") {
            options.template_only = true;
        } else if (arg == "--all" || arg == "--verbose") {
            options.all = true;
        } else if (arg == "--code") {
            options.code = true;
        } else if (arg == "--repair") {
            options.repair = true;
        } else if (arg == "--from-code") {
            options.from_code = value(tr("{option} needs a code"));
        } else if (arg == "--game") {
            options.game = value(tr("{option} needs a folder"));
        } else if (arg == "--svg") {
            options.svg = value(tr("{option} needs a file"));
        } else if (arg == "--output") {
            options.output = value(tr("{option} needs a file"));
        } else if (arg == "--lang") {
            value(tr("{option} needs a language code")); // chosen already
        } else if (arg.rfind("--lang=", 0) == 0) {
        } else if (arg == "--format") {
            options.format = format_named(value(tr("{option} needs json or text")), language);
        } else if (arg.rfind("--format=", 0) == 0) {
            options.format = format_named(arg.substr(9), language);
        } else if (arg == "--version") {
            console::write("Tessivar.VC.check " + std::string{tessivar::version} + "\n");
            std::exit(0);
        } else if (arg == "--help" || arg == "-h" || arg == "/?") {
            console::write(usage_text(language));
            std::exit(0);
        } else if (!arg.empty() && arg[0] == '-') {
            error(tr("unknown option {value}"), arg);
        } else if (!options.path) {
            options.path = arg;
        } else {
            error(tr("more than one PATH ({value})"), arg);
        }
    }
    return options;
}

} // namespace checker::cli
