// Tessivar.VC.check: tells a player what the plugin will make of an ini, and what to
// write instead of each mistake. See usage below.

#include "colour/palette_svg.hpp"
#include "colour/share_code.hpp"
#include "common/lower_case.hpp"
#include "common/opened_file.hpp"
#include "common/printable.hpp"
#include "config/settings_location.hpp"
#include "config/settings_path.hpp"
#include "console.hpp"
#include "hud/hud_setting_table.hpp"
#include "ini_rules/ini_check.hpp"
#include "ini_rules/pass_extent.hpp"
#include "ini_rules/template_ini.hpp"
#include "install/game_tree.hpp"
#include "install/install_diagnosis.hpp"
#include "tessivar_version.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr const char* usage =
    "usage: Tessivar.VC.check [PATH] [--game DIR] [--svg FILE] [--code]\n"
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

struct Options {
    std::optional<std::string> path, game, svg, output, from_code;
    bool template_only = false, code = false;
};

// The checker reads as much of an ini as the plugin's pass can, and no more.
constexpr std::size_t largest_ini = checker::pass_read_limit;

[[noreturn]] void usage_error(const std::string& what) {
    std::fprintf(stderr, "Tessivar.VC.check: %s\n%s", checker::printable(what).c_str(), usage);
    std::exit(2);
}

// Every message about a file or a path goes out escaped, whatever it holds.
void fail(const std::string& what) {
    std::fprintf(stderr, "Tessivar.VC.check: %s\n", checker::printable(what).c_str());
}

std::string shown(const fs::path& path) {
    return checker::printable(checker::utf8(path));
}

Options parse_options(const std::vector<std::string>& args) {
    Options options;
    const int argc = static_cast<int>(args.size());
    for (int i = 1; i < argc; ++i) {
        const std::string& arg = args[i];
        if (arg == "--template") {
            options.template_only = true;
        } else if (arg == "--code") {
            options.code = true;
        } else if (arg == "--from-code") {
            if (i + 1 >= argc) usage_error("--from-code needs a code");
            options.from_code = args[++i];
        } else if (arg == "--game" || arg == "--svg" || arg == "--output") {
            if (i + 1 >= argc)
                usage_error(arg + " needs " + (arg == "--game" ? "a folder" : "a file"));
            (arg == "--game"  ? options.game
             : arg == "--svg" ? options.svg
                              : options.output) = args[++i];
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

std::vector<fs::path> executables(const fs::path& folder) {
    std::vector<fs::path> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = lower_case(checker::utf8(entry.path().filename()));
        if (entry.is_regular_file(error) && entry.path().extension() != "" &&
            lower_case(checker::utf8(entry.path().extension())) == ".exe" &&
            name != "tessivar.vc.check.exe")
            found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

// From the game's plugins or scripts folder (or one below them), the game folder.
fs::path game_folder_from(fs::path folder) {
    for (int up = 0; up < 2 && executables(folder).empty(); ++up) {
        const std::string name = lower_case(checker::utf8(folder.filename()));
        const fs::path parent = folder.parent_path();
        const std::string parent_name = lower_case(checker::utf8(parent.filename()));
        const bool inside = name == "plugins" || name == "scripts" || parent_name == "plugins" ||
                            parent_name == "scripts";
        if (!inside || parent == folder) break;
        folder = parent;
    }
    return folder;
}

std::string component_text(const checker::SettingReport& setting, std::size_t i) {
    char text[48];
    if (hud::hud_setting_table[setting.row].kind == hud::SettingKind::Float)
        std::snprintf(text, sizeof text, "%g", setting.parsed[i]);
    else
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(setting.parsed[i]));
    return text;
}

std::string swatch(const checker::SettingReport& setting, bool colour) {
    const auto kind = hud::hud_setting_table[setting.row].kind;
    if (!colour || (kind != hud::SettingKind::Rgb && kind != hud::SettingKind::Rgba)) return "  ";
    int rgb[3];
    for (int i = 0; i < 3; ++i)
        rgb[i] = setting.writes[i] ? setting.writes[i]->byte
                                   : hud::hud_setting_table[setting.row].defaults.components[i];
    char text[48];
    std::snprintf(text, sizeof text, "\x1b[48;2;%d;%d;%dm  \x1b[0m", rgb[0], rgb[1], rgb[2]);
    return text;
}

// One line a setting, within the terminal's width: key, where it comes from, what the
// plugin writes (skipped components marked), a swatch, the HUD element.
void print_settings(const checker::CheckReport& report, const checker::console::Terminal& term) {
    std::vector<std::string> written(report.settings.size());
    std::size_t written_width = std::string_view{"written"}.size();
    for (std::size_t row = 0; row < report.settings.size(); ++row) {
        const auto& setting = report.settings[row];
        for (std::size_t i = 0; i < setting.parsed.size(); ++i) {
            const std::string value = component_text(setting, i);
            if (i) written[row] += ' ';
            written[row] += setting.writes[i] ? value : "[" + value + " skipped]";
        }
        written_width = std::max(written_width, written[row].size());
    }
    // The written column as wide as this file needs (a long one only stretches its own
    // line), so the HUD element fits beside it on a narrow terminal.
    const int column = static_cast<int>(std::min<std::size_t>(written_width, 28));
    std::printf("%-25s %-8s %-*s    %s\n", "key", "from", column, "written", "HUD element");
    for (std::size_t row = 0; row < report.settings.size(); ++row) {
        const auto& setting = report.settings[row];
        const std::string from = setting.line ? "line " + std::to_string(setting.line) : "default";
        std::string element{hud::hud_element_name(setting.row)};
        const int used =
            25 + 1 + 8 + 1 + std::max(column, static_cast<int>(written[row].size())) + 4;
        if (static_cast<int>(element.size()) > term.width - used - 1)
            element.resize(std::max(0, term.width - used - 1));
        std::printf("%-25s %-8s %-*s %s %s\n", hud::hud_setting_table[setting.row].key,
                    from.c_str(), column, written[row].c_str(),
                    swatch(setting, term.colour).c_str(), element.c_str());
    }
}

// Words of `text` on lines of at most `width` columns: the first after `indent`, the
// others two further in.
void print_wrapped(const std::string& raw, int indent, int width) {
    const std::string text = checker::printable(raw);
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(at, end - at);
        if (!line.empty() && indent + static_cast<int>(line.size() + 1 + word.size()) > width) {
            std::printf("%*s%s\n", indent, "", line.c_str());
            line.clear();
            if (indent % 4 == 2) indent += 2;
        }
        line += (line.empty() ? "" : " ") + word;
        at = end + 1;
    }
    if (!line.empty()) std::printf("%*s%s\n", indent, "", line.c_str());
}

void print_findings(const std::vector<checker::Finding>& findings, int width, bool file) {
    if (findings.empty()) {
        std::printf(file ? "\nno findings: the plugin reads this file as written\n"
                         : "\nno file to check: every setting takes its default\n");
        return;
    }
    std::printf("\n%zu finding%s:\n", findings.size(), findings.size() == 1 ? "" : "s");
    for (const auto& f : findings) {
        const std::string where = f.line ? "line " + std::to_string(f.line) : "file";
        print_wrapped(where + ": " + f.message, 2, width);
        print_wrapped(f.suggestion, 6, width);
    }
}

// The plugin's search, in its order, from a game folder: every candidate that exists,
// and which one the plugin reads (none when it can reach none).
void print_search(const fs::path& game, const checker::InstallDiagnosis& install, int width) {
    print_wrapped("searching the game folder " + shown(game) + ":", 0, width);
    for (int i = 0; i < 3; ++i) {
        const std::string_view folder = config::settings_folders[i];
        const std::string place =
            (folder.empty() ? "" : std::string{folder} + "\\") + config::settings_file_name;
        std::printf("  %-60s %s\n", place.c_str(), install.candidates[i] ? "exists" : "-");
    }
    if (install.counting < 0) {
        std::printf("the plugin reads no Tessivar.VC.ini here: it uses its defaults\n\n");
        return;
    }
    const fs::path& read = *install.candidates[install.counting];
    print_wrapped("the plugin reads " + shown(read) + ": the first of the three places that exists",
                  0, width);
    for (int i = install.counting + 1; i < 3; ++i)
        if (install.candidates[i])
            print_wrapped("edits to " + shown(*install.candidates[i]) + " do nothing while " +
                              shown(read) + " exists",
                          0, width);
    std::printf("\n");
}

bool write_file(const std::string& path, const std::string& text) {
    std::ofstream out(checker::path_from_utf8(path), std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) fail("cannot write " + path);
    return static_cast<bool>(out);
}

std::string crlf(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

const char* verdict_word(checker::Verdict verdict) {
    switch (verdict) {
    case checker::Verdict::yes:
        return "Yes";
    case checker::Verdict::no:
        return "No";
    case checker::Verdict::cannot_tell:
        return "Can't tell";
    }
    return "";
}

// The answer first, then what the install holds and what to fix in it.
void print_install(const checker::InstallDiagnosis& install, int width) {
    print_wrapped(std::string{"Will your colours apply? "} + verdict_word(install.verdict) + ": " +
                      install.reason,
                  0, width);
    std::printf("\nthe install:\n");
    for (const std::string& fact : install.facts)
        print_wrapped(fact, 2, width);
    if (install.findings.empty()) {
        std::printf("  nothing to fix in it\n\n");
        return;
    }
    for (const auto& finding : install.findings) {
        print_wrapped(finding.message, 2, width);
        print_wrapped(finding.advice, 6, width);
    }
    std::printf("\n");
}

// The ini's bytes, at most largest_ini of them; nullopt (and a message) when it cannot
// be read as a file.
std::optional<std::string> read_ini(const fs::path& path, std::vector<checker::Finding>& notes) {
    std::error_code ignored;
    if (fs::is_directory(path, ignored)) {
        fail(checker::utf8(path) + " is a folder, not a file; the plugin reads nothing from it "
                                   "and uses its defaults");
        return std::nullopt;
    }
    if (!fs::exists(path, ignored)) {
        fail(checker::utf8(path) + " does not exist");
        return std::nullopt;
    }
    const auto file = checker::OpenedFile::open(path);
    if (!file) {
        fail("cannot read " + checker::utf8(path) + ": it is no ordinary file");
        return std::nullopt;
    }
    if (file->size() > largest_ini)
        notes.push_back({0,
                         "the file is " + std::to_string(file->size()) +
                             " bytes long, far more than an ini holds: the checker reads its "
                             "first " +
                             std::to_string(largest_ini) + " bytes, more than the plugin reads",
                         "keep only the settings in it (Tessivar.VC.check --template shows "
                         "them all)"});
    return file->read(0, largest_ini);
}

// The ini's findings, told in the verdict: the colours apply, but not all as written.
void add_findings_to_verdict(checker::InstallDiagnosis& install, std::size_t findings) {
    if (install.verdict != checker::Verdict::yes || findings == 0) return;
    install.reason +=
        "; but see the " +
        (findings == 1 ? std::string{"finding"} : std::to_string(findings) + " findings") +
        " in it below";
}

int check(const Options& options, const checker::console::Terminal& terminal) {
    const int width = std::clamp(terminal.width, 40, 100);
    std::error_code ignored;
    const auto game = options.game ? checker::path_from_utf8(*options.game) : fs::path{};
    if (options.game && !fs::is_directory(game, ignored)) {
        fail("the game folder " + *options.game + " does not exist");
        return 2;
    }
    const fs::path folder = options.game ? game : game_folder_from(fs::current_path(ignored));
    std::optional<checker::InstallDiagnosis> install;
    std::optional<fs::path> path;
    if (options.path) {
        path = checker::path_from_utf8(*options.path);
    } else {
        install = checker::diagnose_install(folder, checker::console::ansi_length);
        if (install->counting >= 0) path = install->candidates[install->counting];
    }
    std::vector<checker::Finding> notes;
    const auto bytes = path ? read_ini(*path, notes) : std::optional<std::string>{""};
    if (!bytes) {
        if (install) print_install(*install, width);
        return 2;
    }
    // No file the plugin can reach: what the plugin does then, on an empty store.
    auto report = path ? checker::check_settings_bytes(*bytes) : checker::check_no_file();
    report.findings.insert(report.findings.begin(), notes.begin(), notes.end());
    if (install) {
        add_findings_to_verdict(*install, report.findings.size());
        print_install(*install, width);
        print_search(folder, *install, width);
    }
    if (path) {
        print_wrapped(shown(*path), 0, width);
        std::printf("\n");
    }
    print_settings(report, {terminal.colour, width, terminal.own});
    print_findings(report.findings, width, path.has_value());
    if (options.svg && !write_file(*options.svg, checker::palette_svg(report))) return 2;
    // Last and alone on its line, so it is easy to copy.
    if (options.code)
        std::printf("\ncolour code (paste it in the editor, or give it to --from-code):\n%s\n",
                    checker::share_code(checker::written_settings(report)).c_str());
    const bool yes = !install || install->verdict == checker::Verdict::yes;
    return report.findings.empty() && yes ? 0 : 1;
}

// A complete ini from a colour code; a damaged or foreign code writes nothing.
int from_code(const std::string& code, const std::optional<std::string>& output) {
    const auto reading = checker::read_share_code(code);
    if (!reading.settings) {
        fail(reading.problem);
        return 2;
    }
    const std::string ini = checker::written_settings_ini(
        *reading.settings,
        "Made by Tessivar.VC.check from the colour code " + checker::share_code(*reading.settings));
    if (!output) return std::fputs(ini.c_str(), stdout) < 0 ? 2 : 0;
    return write_file(*output, crlf(ini)) ? 0 : 2;
}

int run(const std::vector<std::string>& args) {
    const Options options = parse_options(args);
    if (options.from_code) return from_code(*options.from_code, options.output);
    if (options.template_only) {
        if (!options.output) {
            std::fputs(checker::template_ini().c_str(), stdout);
            return 0;
        }
        // Written as Notepad saves it, whatever the shell would make of a redirection.
        return write_file(*options.output, crlf(checker::template_ini())) ? 0 : 2;
    }
    const auto terminal = checker::console::open_terminal();
    const int status = check(options, terminal);
    checker::console::wait_before_closing(terminal);
    return status;
}

} // namespace

#ifdef _WIN32
// The arguments as Windows holds them (UTF-16), so a game folder's name arrives whole
// whatever the code page; the checker works in UTF-8 from here on.
extern "C" int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i)
        args.push_back(checker::utf8(fs::path{argv[i]}));
    return run(args);
}
#else
int main(int argc, char** argv) {
    return run({argv, argv + argc});
}
#endif
