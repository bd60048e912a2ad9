// Tessivar.VC.check: tells a player what the plugin will make of an ini, and what to
// write instead of each mistake. See usage below.

#include "check/game_build.hpp"
#include "check/ini_check.hpp"
#include "check/palette_svg.hpp"
#include "check/printable.hpp"
#include "check/share_code.hpp"
#include "check/template_ini.hpp"
#include "common/lower_case.hpp"
#include "config/settings_location.hpp"
#include "config/settings_path.hpp"
#include "console.hpp"
#include "hud/hud_setting_table.hpp"
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
    "Says what the Tessivar plugin will make of its ini, Tessivar.VC.ini, and what to\n"
    "write instead of each mistake.\n"
    "\n"
    "  PATH            the ini to check; without it, the ini the plugin would read,\n"
    "                  looked for from the game folder (the current folder, or the one\n"
    "                  above it when that is the game's plugins or scripts folder)\n"
    "  --game DIR      look for the ini from this game folder\n"
    "  --svg FILE      also draw the HUD in the colours the plugin will write\n"
    "  --code          also print the colour code of these colours, to share them\n"
    "  --from-code CODE  a complete ini that gives the colours of a colour code\n"
    "  --template      print a complete ini with every default\n"
    "  --output FILE   with --template or --from-code: write it to FILE (CRLF, no\n"
    "                  byte-order mark)\n"
    "  --version       print the version\n"
    "  -h, /?, --help  print this help\n"
    "\n"
    "Exit status: 0 no findings, 1 findings, 2 the file or folder cannot be read or the\n"
    "command line is wrong.\n"
    "\n"
    "Examples:\n"
    "  Tessivar.VC.check --game \"C:\\Games\\My Game\"\n"
    "  Tessivar.VC.check --template --output Tessivar.VC.ini\n";

struct Options {
    std::optional<std::string> path, game, svg, output, from_code;
    bool template_only = false, code = false;
};

[[noreturn]] void usage_error(const std::string& what) {
    std::fprintf(stderr, "Tessivar.VC.check: %s\n%s", checker::printable(what).c_str(), usage);
    std::exit(2);
}

Options parse_options(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--template") {
            options.template_only = true;
        } else if (arg == "--code") {
            options.code = true;
        } else if (arg == "--from-code") {
            if (i + 1 >= argc) usage_error("--from-code needs a code");
            options.from_code = argv[++i];
        } else if (arg == "--game" || arg == "--svg" || arg == "--output") {
            if (i + 1 >= argc)
                usage_error(arg + " needs " + (arg == "--game" ? "a folder" : "a file"));
            (arg == "--game"  ? options.game
             : arg == "--svg" ? options.svg
                              : options.output) = argv[++i];
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
        const std::string name = lower_case(entry.path().filename().string());
        if (entry.is_regular_file(error) && entry.path().extension() != "" &&
            lower_case(entry.path().extension().string()) == ".exe" &&
            name != "tessivar.vc.check.exe")
            found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

// From the game's plugins or scripts folder (or one below them), the game folder.
fs::path game_folder_from(fs::path folder) {
    for (int up = 0; up < 2 && executables(folder).empty(); ++up) {
        const std::string name = lower_case(folder.filename().string());
        const fs::path parent = folder.parent_path();
        const std::string parent_name = lower_case(parent.filename().string());
        const bool inside = name == "plugins" || name == "scripts" || parent_name == "plugins" ||
                            parent_name == "scripts";
        if (!inside || parent == folder) break;
        folder = parent;
    }
    return folder;
}

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void report_builds(const fs::path& game) {
    const auto found = executables(game);
    if (found.empty()) {
        std::printf("no game executable in %s: is this the game folder?\n",
                    checker::printable(game.string()).c_str());
        return;
    }
    for (const auto& exe : found) {
        const auto build = checker::game_build_of(read_file(exe));
        if (build.code)
            std::printf("%s: build %d of the game; the plugin hooks its call at 0x%06x\n",
                        checker::printable(exe.filename().string()).c_str(), build.code,
                        build.call_site);
        else
            std::printf("%s: not one of the three builds the plugin knows; the plugin does "
                        "nothing in it\n",
                        checker::printable(exe.filename().string()).c_str());
    }
}

// The plugin's search, in its order, from a game folder: every candidate that exists,
// and which one the plugin reads.
std::string pick_settings_file(const fs::path& game, bool& found) {
    std::printf("searching the game folder %s:\n", checker::printable(game.string()).c_str());
    report_builds(game);
    std::vector<fs::path> existing;
    for (const auto folder : config::settings_folders) {
        const fs::path candidate =
            (folder.empty() ? game : game / std::string{folder}) / config::settings_file_name;
        std::error_code ignored;
        const bool exists = fs::exists(candidate, ignored);
        std::printf("  %-60s %s\n", checker::printable(candidate.string()).c_str(),
                    exists ? "exists" : "-");
        if (exists) existing.push_back(candidate);
    }
    found = !existing.empty();
    if (!found) {
        std::printf("no Tessivar.VC.ini in any of the three places: the plugin uses its "
                    "defaults\n\n");
        return {};
    }
    std::printf("the plugin reads %s: the first of the three places that exists\n",
                checker::printable(existing.front().string()).c_str());
    for (std::size_t i = 1; i < existing.size(); ++i)
        std::printf("edits to %s do nothing while %s exists\n",
                    checker::printable(existing[i].string()).c_str(),
                    checker::printable(existing.front().string()).c_str());
    std::printf("\n");
    return existing.front().string();
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
    std::printf("%-25s %-8s %-28s    %s\n", "key", "from", "written", "HUD element");
    for (const auto& setting : report.settings) {
        std::string written;
        for (std::size_t i = 0; i < setting.parsed.size(); ++i) {
            const std::string value = component_text(setting, i);
            if (i) written += ' ';
            written += setting.writes[i] ? value : "[" + value + " skipped]";
        }
        const std::string from = setting.line ? "line " + std::to_string(setting.line) : "default";
        std::string element{hud::hud_element_name(setting.row)};
        const int used = 25 + 1 + 8 + 1 + std::max<int>(28, written.size()) + 4;
        if (static_cast<int>(element.size()) > term.width - used - 1)
            element.resize(std::max(0, term.width - used - 1));
        std::printf("%-25s %-8s %-28s %s %s\n", hud::hud_setting_table[setting.row].key,
                    from.c_str(), written.c_str(), swatch(setting, term.colour).c_str(),
                    element.c_str());
    }
}

// Words of `text` on lines of at most `width` columns: the first after `indent`, the
// others two further in.
void print_wrapped(const std::string& text, int indent, int width) {
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

void print_findings(const std::vector<checker::Finding>& findings, int width) {
    if (findings.empty()) {
        std::printf("\nno findings: the plugin reads this file as written\n");
        return;
    }
    std::printf("\n%zu finding%s:\n", findings.size(), findings.size() == 1 ? "" : "s");
    for (const auto& f : findings) {
        const std::string where = f.line ? "line " + std::to_string(f.line) : "file";
        print_wrapped(where + ": " + f.message, 2, width);
        print_wrapped(f.suggestion, 6, width);
    }
}

bool write_file(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out)
        std::fprintf(stderr, "Tessivar.VC.check: cannot write %s\n",
                     checker::printable(path).c_str());
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

int check(const Options& options, const checker::console::Terminal& terminal) {
    std::error_code ignored;
    if (options.game && !fs::is_directory(*options.game, ignored)) {
        std::fprintf(stderr, "Tessivar.VC.check: the game folder %s does not exist\n",
                     checker::printable(*options.game).c_str());
        return 2;
    }
    bool found = true;
    const std::string path =
        options.path ? *options.path
                     : pick_settings_file(options.game ? fs::path{*options.game}
                                                       : game_folder_from(fs::current_path()),
                                          found);
    if (found && fs::is_directory(path, ignored)) {
        std::fprintf(stderr,
                     "Tessivar.VC.check: %s is a folder, not a file; the plugin reads "
                     "nothing from it and uses its defaults\n",
                     checker::printable(path).c_str());
        return 2;
    }
    if (found && !fs::exists(path, ignored)) {
        std::fprintf(stderr, "Tessivar.VC.check: %s does not exist\n",
                     checker::printable(path).c_str());
        return 2;
    }
    // No file anywhere: report what the plugin does then, on an empty store.
    auto report = found ? checker::check_settings_file(path) : checker::check_no_file();
    if (!report) {
        std::fprintf(stderr, "Tessivar.VC.check: cannot read %s: %s\n",
                     checker::printable(path).c_str(), std::strerror(errno));
        return 2;
    }
    if (!found)
        report->findings.push_back({0, "no Tessivar.VC.ini found",
                                    "put it in the game's plugins folder, its scripts folder, "
                                    "or next to the game's executable"});
    if (found) std::printf("%s\n\n", checker::printable(path).c_str());
    const int width = std::clamp(terminal.width, 40, 100);
    print_settings(*report, {terminal.colour, width, terminal.own});
    print_findings(report->findings, width);
    if (options.svg && !write_file(*options.svg, checker::palette_svg(*report))) return 2;
    // Last and alone on its line, so it is easy to copy.
    if (options.code)
        std::printf("\ncolour code (paste it in the editor, or give it to --from-code):\n%s\n",
                    checker::share_code(checker::written_settings(*report)).c_str());
    return report->findings.empty() ? 0 : 1;
}

// A complete ini from a colour code; a damaged or foreign code writes nothing.
int from_code(const std::string& code, const std::optional<std::string>& output) {
    const auto reading = checker::read_share_code(code);
    if (!reading.settings) {
        std::fprintf(stderr, "Tessivar.VC.check: %s\n", reading.problem.c_str());
        return 2;
    }
    const std::string ini = checker::written_settings_ini(
        *reading.settings,
        "Made by Tessivar.VC.check from the colour code " + checker::share_code(*reading.settings));
    if (!output) return std::fputs(ini.c_str(), stdout) < 0 ? 2 : 0;
    return write_file(*output, crlf(ini)) ? 0 : 2;
}

} // namespace

int main(int argc, char** argv) {
    const Options options = parse_options(argc, argv);
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
