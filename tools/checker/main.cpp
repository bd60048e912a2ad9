// Tessivar.VC.check: tells a player what the plugin will make of an ini.
//
//   Tessivar.VC.check [PATH] [--game DIR]   check PATH, or the ini the plugin would pick
//   Tessivar.VC.check --template            print a complete ini with every default
//   Tessivar.VC.check [PATH] --svg FILE     also draw the HUD in the resulting palette
//
// Exit status: 0 without findings, 1 with findings, 2 when the file cannot be read.

#include "config/settings_location.hpp"
#include "config/settings_path.hpp"
#include "hud/hud_setting_table.hpp"
#include "ini_check.hpp"
#include "palette_svg.hpp"
#include "template_ini.hpp"
#include "tessivar_version.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Options {
    std::optional<std::string> path;
    std::optional<std::string> game;
    std::optional<std::string> svg;
    std::optional<std::string> output;
    bool template_only = false;
};

constexpr const char* usage = "usage: Tessivar.VC.check [PATH] [--game DIR] [--svg FILE]\n"
                              "       Tessivar.VC.check --template [--output FILE]\n"
                              "       Tessivar.VC.check --version\n";

std::optional<Options> parse_options(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--template") {
            options.template_only = true;
        } else if ((arg == "--game" || arg == "--svg" || arg == "--output") && has_value) {
            (arg == "--game"  ? options.game
             : arg == "--svg" ? options.svg
                              : options.output) = argv[++i];
        } else if (arg == "--version") {
            std::printf("Tessivar.VC.check %s\n", tessivar::version);
            std::exit(0);
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(usage, stdout);
            std::exit(0);
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "Tessivar.VC.check: unknown option %s\n%s", arg.c_str(), usage);
            return std::nullopt;
        } else if (!options.path) {
            options.path = arg;
        } else {
            std::fprintf(stderr, "Tessivar.VC.check: more than one PATH (%s)\n%s", arg.c_str(),
                         usage);
            return std::nullopt;
        }
    }
    return options;
}

// The plugin's search, in its order, from a game folder.
std::string pick_settings_file(const fs::path& game, bool& found) {
    std::printf("searching the game folder %s:\n", game.string().c_str());
    for (const auto folder : config::settings_folders) {
        const fs::path candidate =
            (folder.empty() ? game : game / std::string{folder}) / config::settings_file_name;
        std::error_code ignored;
        const bool exists = fs::exists(candidate, ignored);
        std::printf("  %-60s %s\n", candidate.string().c_str(), exists ? "exists" : "-");
        if (exists) {
            found = true;
            std::printf("picked %s: the first of the three places that exists\n\n",
                        candidate.string().c_str());
            return candidate.string();
        }
    }
    found = false;
    std::printf("no Tessivar.VC.ini in any of the three places: the plugin uses its defaults\n\n");
    return {};
}

std::string component_text(const checker::SettingReport& s, std::size_t i) {
    char text[48];
    const auto kind = hud::hud_setting_table[s.row].kind;
    if (kind == hud::SettingKind::Float)
        std::snprintf(text, sizeof text, "%g", s.parsed[i]);
    else
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(s.parsed[i]));
    return text;
}

void print_settings(const checker::CheckReport& report) {
    std::printf("%-26s %-30s %-8s %-22s %-22s %s\n", "key", "HUD element", "from", "text", "parsed",
                "written");
    for (const auto& s : report.settings) {
        std::string parsed, written;
        for (std::size_t i = 0; i < s.parsed.size(); ++i) {
            const std::string value = component_text(s, i);
            if (i) {
                parsed += ' ';
                written += ' ';
            }
            parsed += value;
            written += s.writes[i] ? value : "[" + value + " skipped]";
        }
        const std::string from = s.line ? "line " + std::to_string(s.line) : "default";
        const std::string text = s.line ? "\"" + s.raw + "\"" : "";
        const auto element = hud::hud_element_name(s.row);
        std::printf("%-26s %-30.*s %-8s %-22s %-22s %s\n", hud::hud_setting_table[s.row].key,
                    static_cast<int>(element.size()), element.data(), from.c_str(), text.c_str(),
                    parsed.c_str(), written.c_str());
    }
}

void print_findings(const std::vector<checker::Finding>& findings) {
    if (findings.empty()) {
        std::printf("\nno findings: the plugin reads this file as written\n");
        return;
    }
    std::printf("\n%zu finding%s:\n", findings.size(), findings.size() == 1 ? "" : "s");
    for (const auto& f : findings) {
        const std::string where = f.line ? "line " + std::to_string(f.line) : "file";
        std::printf("  %s: %s\n      %s\n", where.c_str(), f.message.c_str(), f.suggestion.c_str());
    }
}

bool write_file(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) std::fprintf(stderr, "Tessivar.VC.check: cannot write %s\n", path.c_str());
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

} // namespace

int main(int argc, char** argv) {
    const auto options = parse_options(argc, argv);
    if (!options) return 2;
    if (options->template_only) {
        if (!options->output) {
            std::fputs(checker::template_ini().c_str(), stdout);
            return 0;
        }
        // Written as Notepad saves it, whatever the shell would have made of a redirection.
        return write_file(*options->output, crlf(checker::template_ini())) ? 0 : 2;
    }

    bool found = true;
    const std::string path =
        options->path ? *options->path
                      : pick_settings_file(
                            options->game ? fs::path{*options->game} : fs::current_path(), found);
    std::error_code ignored;
    if (found && fs::is_directory(path, ignored)) {
        std::fprintf(stderr,
                     "Tessivar.VC.check: %s is a folder, not a file; the plugin reads "
                     "nothing from it and uses its defaults\n",
                     path.c_str());
        return 2;
    }
    if (found && !fs::exists(path, ignored)) {
        std::fprintf(stderr, "Tessivar.VC.check: %s does not exist\n", path.c_str());
        return 2;
    }
    // No file anywhere: report what the plugin does then, on an empty store.
    auto report = found ? checker::check_settings_file(path) : checker::check_no_file();
    if (!report) {
        std::fprintf(stderr, "Tessivar.VC.check: cannot read %s: %s\n", path.c_str(),
                     std::strerror(errno));
        return 2;
    }
    if (!found)
        report->findings.push_back({0, "no Tessivar.VC.ini found",
                                    "put it in the game's plugins folder, its scripts folder, "
                                    "or next to the game's executable"});
    if (found) std::printf("%s\n\n", path.c_str());
    print_settings(*report);
    print_findings(report->findings);
    if (options->svg && !write_file(*options->svg, checker::palette_svg(*report))) return 2;
    return report->findings.empty() ? 0 : 1;
}
