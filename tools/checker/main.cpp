// Tessivar.VC.check: tells a player whether the plugin will apply their colours, what it
// will make of the ini, and what to write instead of each mistake. See options.cpp.

#include "colour/palette_svg.hpp"
#include "colour/share_code.hpp"
#include "common/lower_case.hpp"
#include "common/path_text.hpp"
#include "common/printable.hpp"
#include "common/translatable.hpp"
#include "console.hpp"
#include "files.hpp"
#include "findings/render.hpp"
#include "ini_rules/template_ini.hpp"
#include "options.hpp"
#include "repair/repair.hpp"
#include "report/ini_source.hpp"
#include "report/report_json.hpp"
#include "tessivar_version.hpp"
#include "text_report.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace checker;
using checker::cli::fail;

std::vector<fs::path> executables(const fs::path& folder) {
    std::vector<fs::path> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = lower_case(utf8(entry.path().filename()));
        if (entry.is_regular_file(error) && entry.path().extension() != "" &&
            lower_case(utf8(entry.path().extension())) == ".exe" && name != "tessivar.vc.check.exe")
            found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

// From the game's plugins or scripts folder (or one below them), the game folder.
fs::path game_folder_from(fs::path folder) {
    for (int up = 0; up < 2 && executables(folder).empty(); ++up) {
        const std::string name = lower_case(utf8(folder.filename()));
        const fs::path parent = folder.parent_path();
        const std::string parent_name = lower_case(utf8(parent.filename()));
        const bool inside = name == "plugins" || name == "scripts" || parent_name == "plugins" ||
                            parent_name == "scripts";
        if (!inside || parent == folder) break;
        folder = parent;
    }
    return folder;
}

// Written whole or not at all: the file there stays as it was until the new one is.
bool write_file(const std::string& path, const std::string& text, const Catalogue& language) {
    const cli::Written written = cli::replace_file(path_from_utf8(path), text);
    if (!written.ok) {
        fail(render(tr("cannot write {path}: {problem}; nothing was changed"),
                    {text_arg("path", path),
                     rendered_arg("problem", std::string{language.text(written.problem)})},
                    language));
        return false;
    }
    if (written.replaced)
        fail(render(tr("{path} replaced the file that was there"), {text_arg("path", path)},
                    language));
    return true;
}

std::string crlf(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// The report on what the options name: an ini, or a game folder and the ini it reads.
// `unreadable`: the file or folder could not be read (exit status 2).
Report make_report(const cli::Options& options, fs::path& game, bool& unreadable) {
    std::error_code ignored;
    if (options.path) {
        const fs::path path = path_from_utf8(*options.path);
        const IniSource source = read_ini_source(path, utf8(path));
        unreadable = !source.bytes;
        return file_report(utf8(path), source);
    }
    game =
        options.game ? path_from_utf8(*options.game) : game_folder_from(fs::current_path(ignored));
    if (!fs::is_directory(game, ignored)) {
        unreadable = true;
        Report report = install_report({}, "", {});
        report.findings = {
            make_finding(Rule::game_folder_missing, 0, {text_arg("path", utf8(game))})};
        report.answer = {Verdict::cannot_tell, 0};
        return report;
    }
    return game_report(game, console::ansi_length, unreadable);
}

// A line the player typed; none at the end of the input.
std::optional<std::string> answer_line() {
    std::string line;
    char piece[256];
    while (std::fgets(piece, sizeof piece, stdin)) {
        line += piece;
        if (line.back() == '\n') break;
    }
    if (line.empty() && std::feof(stdin)) return std::nullopt;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return lower_case(line);
}

// Yes in English or in the language spoken, the word or its first letter; anything else,
// nothing at all included, is no.
bool says_yes(const std::string& answer, const Catalogue& language) {
    const std::string yes = lower_case(std::string{language.text(tr("yes"))});
    std::size_t first = 1;
    while (first < yes.size() && (static_cast<unsigned char>(yes[first]) & 0xC0) == 0x80)
        ++first;
    return answer == "y" || answer == "yes" || answer == yes || answer == yes.substr(0, first);
}

// Each repair the report has, offered on its own; what the player says yes to is done.
// Then the folder is diagnosed again. The exit status of what is now so.
int offer_repairs(const Report& report, const cli::Options& options, const fs::path& game,
                  const console::Terminal& terminal, const Catalogue& language) {
    const std::vector<Repair> repairs = repairs_of(report);
    if (repairs.empty()) {
        if (options.repair)
            console::write("\n" + render(tr("nothing to repair here"), {}, language) + "\n");
        return exit_status(report);
    }
    const std::string stamp = backup_stamp();
    int done = 0;
    for (std::size_t i = 0; i < repairs.size(); ++i) {
        console::write(
            "\n" +
            render(tr("repair {at} of {count}: {repair}? {choice}"),
                   {number_arg("at", static_cast<long long>(i + 1)),
                    number_arg("count", static_cast<long long>(repairs.size())),
                    rendered_arg("repair", repair_sentence(game, repairs[i], stamp, language)),
                    term_arg("choice", tr("[y/N]"))},
                   language) +
            " ");
        const auto answer = answer_line();
        if (!answer || !says_yes(*answer, language)) {
            console::write(render(tr("left as it is"), {}, language) + "\n");
            if (!answer) break; // nobody is there to answer the others
            continue;
        }
        const RepairDone result = apply_repair(game, repairs[i], stamp);
        if (!result.ok) {
            console::write(render(tr("not done, and nothing changed: {problem}"),
                                  {term_arg("problem", result.problem)}, language) +
                           "\n");
            continue;
        }
        ++done;
        console::write((result.kept.empty() ? render(tr("done"), {}, language)
                                            : render(tr("done; the old file is kept as {path}"),
                                                     {text_arg("path", result.kept)}, language)) +
                       "\n");
    }
    if (!done) return exit_status(report);
    console::write("\n" + render(tr("the game folder, diagnosed again:"), {}, language) + "\n");
    fs::path again_game;
    bool unreadable = false;
    const Report again = make_report(options, again_game, unreadable);
    cli::print_report(again, again_game, terminal, language, options.all);
    cli::print_closing(again, terminal.width, language);
    return unreadable ? 2 : exit_status(again);
}

// In text, a file that cannot be read is said on standard error.
void say_unreadable(const Report& report, const Catalogue& language) {
    for (const Finding& finding : report.findings)
        if (finding.rule == Rule::file_missing || finding.rule == Rule::file_is_folder ||
            finding.rule == Rule::file_unreadable || finding.rule == Rule::game_folder_missing)
            fail(message_of(finding, language));
}

int check(const cli::Options& options, const console::Terminal& terminal,
          const Catalogue& language) {
    fs::path game;
    bool unreadable = false;
    const Report report = make_report(options, game, unreadable);
    if (options.format == cli::Format::json) {
        console::write(report_json(report, language, tessivar::version));
        return unreadable ? 2 : exit_status(report);
    }
    // A file or folder named on the command line that cannot be read is said on standard
    // error; an ini in a game folder that cannot be read is the answer, in the report.
    if (unreadable && (options.path || report.decisive().rule == Rule::game_folder_missing)) {
        say_unreadable(report, language);
        return 2;
    }
    const console::Terminal shown{terminal.colour, std::clamp(terminal.width, 40, 100),
                                  terminal.own};
    cli::print_report(report, game, shown, language, options.all);
    if (options.svg && !write_file(*options.svg, palette_svg(report.ini, language), language))
        return 2;
    cli::print_closing(report, shown.width, language);
    // Asked for, so last and alone on its line, easy to copy.
    if (options.code)
        console::write(
            "\n" +
            render(tr("colour code (paste it in the editor, or give it to --from-code):"), {},
                   language) +
            "\n" + share_code(written_settings(report.ini)) + "\n");
    if (unreadable) return 2;
    // Asked for, or double-clicked with someone there to answer: never a change unasked.
    if (!options.path && (options.repair || terminal.own))
        return offer_repairs(report, options, game, shown, language);
    return exit_status(report);
}

// A complete ini from a colour code; a damaged or foreign code writes nothing.
int from_code(const std::string& code, const std::optional<std::string>& output,
              const Catalogue& language) {
    const auto reading = read_share_code(code, language);
    if (!reading.settings) {
        fail(reading.problem);
        return 2;
    }
    const std::string ini =
        written_settings_ini(*reading.settings, "Made by Tessivar.VC.check from the colour code " +
                                                    share_code(*reading.settings));
    if (!output) return std::fputs(ini.c_str(), stdout) < 0 ? 2 : 0;
    return write_file(*output, crlf(ini), language) ? 0 : 2;
}

int run(const std::vector<std::string>& args, const Catalogue& language) {
    const cli::Options options = cli::parse_options(args, language);
    if (options.from_code) return from_code(*options.from_code, options.output, language);
    if (options.template_only) {
        if (!options.output) {
            std::fputs(template_ini().c_str(), stdout);
            return 0;
        }
        // Written as Notepad saves it, whatever the shell would make of a redirection.
        return write_file(*options.output, crlf(template_ini()), language) ? 0 : 2;
    }
    const auto terminal = console::open_terminal();
    const int status = check(options, terminal, language);
    if (options.format == cli::Format::text)
        console::wait_before_closing(terminal,
                                     render(tr("press Enter to close this window"), {}, language));
    return status;
}

} // namespace

#ifdef _WIN32
// The arguments as Windows holds them (UTF-16), so a game folder's name arrives whole
// whatever the code page; the checker works in UTF-8 from here on.
extern "C" int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    int broken = -1;
    for (int i = 0; i < argc; ++i) {
        const fs::path arg{argv[i]};
        if (!exact_utf8(arg) && broken < 0) broken = i;
        args.push_back(utf8(arg));
    }
    const Catalogue& language = cli::language_of(args);
    if (broken >= 0) {
        // NTFS allows such a name, but no text names it again to open it by.
        fail(render(tr("argument {at} ({value}) holds half of a UTF-16 character (shown as "
                       "U+FFFD), which no text can name; rename the file or folder, or pass "
                       "another path"),
                    {number_arg("at", broken), text_arg("value", args[broken])}, language));
        return 2;
    }
    return run(args, language);
}
#else
int main(int argc, char** argv) {
    const std::vector<std::string> args{argv, argv + argc};
    return run(args, cli::language_of(args));
}
#endif
