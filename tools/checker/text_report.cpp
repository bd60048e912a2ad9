#include "text_report.hpp"

#include "common/lower_case.hpp"
#include "common/path_text.hpp"
#include "common/printable.hpp"
#include "config/settings_path.hpp"
#include "findings/render.hpp"
#include "hud/hud_setting_table.hpp"
#include "install/install_places.hpp"
#include "report/report_json.hpp"

#include <algorithm>
#include <cstdio>

namespace checker::cli {
namespace {

std::string swatch(const SettingReport& setting, bool colour) {
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

std::string written_text(const SettingReport& setting) {
    const std::string value = setting_value_text(setting);
    std::string out;
    std::size_t at = 0;
    for (std::size_t i = 0; i < setting.writes.size(); ++i) {
        const std::size_t end = std::min(value.find(' ', at), value.size());
        const std::string component = value.substr(at, end - at);
        out += (i ? " " : "") + (setting.writes[i] ? component : "[" + component + " skipped]");
        at = end + 1;
    }
    return out;
}

// The HUD element's words from `column` on, wrapped between words under it where the
// terminal is narrow (a name is never cut).
void print_element(const std::string& element, int column, int width) {
    std::string line;
    std::size_t at = 0;
    bool first = true;
    // Past a very long written value, the element goes under the table's own column.
    constexpr int fewest = 12, table_column = 36;
    if (width - column - 1 < fewest) {
        std::printf("\n");
        column = table_column;
        first = false;
    }
    const int room = std::max(fewest, width - column - 1);
    while (at <= element.size()) {
        std::size_t end = element.find(' ', at);
        if (end == std::string::npos) end = element.size();
        const std::string word = element.substr(at, end - at);
        if (!line.empty() && static_cast<int>(line.size() + 1 + word.size()) > room) {
            std::printf("%*s%s\n", first ? 0 : column, "", line.c_str());
            line.clear();
            first = false;
        }
        line += (line.empty() ? "" : " ") + word;
        at = end + 1;
    }
    std::printf("%*s%s\n", first ? 0 : column, "", line.c_str());
}

// Whether a setting's row is worth a line of the short table: the file sets it, or
// something is found on its key.
bool worth_showing(const CheckReport& report, const SettingReport& setting) {
    if (setting.line) return true;
    const std::string_view key = hud::hud_setting_table[setting.row].key;
    return std::any_of(report.findings.begin(), report.findings.end(), [&](const Finding& f) {
        return !f.key.empty() && lower_case(f.key) == lower_case(key);
    });
}

// One line a setting, within the terminal's width: key, where it comes from, what the
// plugin writes (skipped components marked), a swatch, the HUD element. Without `all`,
// only the settings the file sets or that have a finding; a count says how many others
// take their defaults.
void print_settings(const CheckReport& report, const console::Terminal& term, bool all,
                    const Catalogue& language) {
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < report.settings.size(); ++row)
        if (all || worth_showing(report, report.settings[row])) rows.push_back(row);
    std::vector<std::string> written(report.settings.size());
    std::size_t written_width = std::string_view{"written"}.size();
    for (const std::size_t row : rows) {
        written[row] = written_text(report.settings[row]);
        written_width = std::max(written_width, written[row].size());
    }
    // The written column as wide as this file needs (a long one only stretches its own
    // line), so the HUD element fits beside it on a narrow terminal.
    const int column = static_cast<int>(std::min<std::size_t>(written_width, 28));
    if (!rows.empty())
        std::printf("%-25s %-8s %-*s    %s\n", "key", "from", column, "written", "HUD element");
    for (const std::size_t row : rows) {
        const auto& setting = report.settings[row];
        const std::string from = setting.line ? "line " + std::to_string(setting.line) : "default";
        const int used =
            25 + 1 + 8 + 1 + std::max(column, static_cast<int>(written[row].size())) + 4;
        std::printf("%-25s %-8s %-*s %s ", hud::hud_setting_table[setting.row].key, from.c_str(),
                    column, written[row].c_str(), swatch(setting, term.colour).c_str());
        print_element(std::string{hud::hud_element_name(setting.row)}, used, term.width);
    }
    const std::size_t others = report.settings.size() - rows.size();
    if (others == 0) return;
    const Args args{number_arg("count", static_cast<long long>(others))};
    print_wrapped(
        rows.empty()
            ? render(tr("every setting takes its default (--all lists them)"), args, language)
            : render_plural(tr("{count} other setting takes its default (--all "
                               "lists every setting)"),
                            tr("{count} other settings take their defaults (--all "
                               "lists every setting)"),
                            args, language),
        0, term.width);
}

std::string coded(const Finding& finding, const std::string& message) {
    return message + " [" + std::string{rule_text(finding.rule).code} + "]";
}

void print_ini_findings(const Report& report, int width, const Catalogue& language) {
    const Findings& findings = report.ini.findings;
    if (findings.empty()) {
        std::printf(report.ini_path ? "\nno findings: the plugin reads this file as written\n"
                                    : "\nno file to check: every setting takes its default\n");
        return;
    }
    std::printf("\n%zu finding%s:\n", findings.size(), findings.size() == 1 ? "" : "s");
    for (const auto& f : findings) {
        const std::string where = f.line ? "line " + std::to_string(f.line) : "file";
        print_wrapped(coded(f, where + ": " + message_of(f, language)), 2, width);
        print_wrapped(advice_of(f, language), 6, width);
    }
}

// The plugin's search, in its order, from a game folder: every candidate that exists.
void print_search(const std::filesystem::path& game, const InstallDiagnosis& install, int width) {
    print_wrapped("searching the game folder " + printable(utf8(game)) + ":", 0, width);
    for (int i = 0; i < 3; ++i) {
        const std::string_view folder = ini_folders[i];
        const std::string place =
            (folder.empty() ? "" : std::string{folder} + "\\") + config::settings_file_name;
        std::printf("  %-60s %s\n", place.c_str(), install.candidates[i] ? "exists" : "-");
    }
    if (install.counting < 0)
        std::printf("the plugin reads no Tessivar.VC.ini here: it uses its defaults\n");
    std::printf("\n");
}

// What the install holds, then what to fix in it.
void print_install(const InstallDiagnosis& install, int width, const Catalogue& language) {
    std::printf("the install:\n");
    bool anything = false;
    for (const Finding& finding : install.findings)
        if (finding.severity == Severity::info && finding.rule != Rule::colours_apply)
            print_wrapped(message_of(finding, language), 2, width);
    for (const Finding& finding : install.findings) {
        if (finding.severity == Severity::info) continue;
        anything = true;
        print_wrapped(coded(finding, message_of(finding, language)), 2, width);
        print_wrapped(advice_of(finding, language), 6, width);
    }
    if (!anything) std::printf("  nothing to fix in it\n");
    std::printf("\n");
}

} // namespace

void print_wrapped(const std::string& raw, int indent, int width) {
    const std::string text = printable(raw);
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

void print_report(const Report& report, const std::filesystem::path& game,
                  const console::Terminal& terminal, const Catalogue& language, bool all) {
    const int width = terminal.width;
    print_wrapped(render(tr("Will your colours apply?"), {}, language) + " " +
                      answer_sentence(report, language),
                  0, width);
    std::printf("\n");
    if (report.install) {
        print_install(*report.install, width, language);
        print_search(game, *report.install, width);
    }
    if (report.ini_path) {
        print_wrapped(*report.ini_path, 0, width);
        std::printf("\n");
    }
    // Without a file every setting is a default, as the findings say.
    if (report.ini_path || all) print_settings(report.ini, terminal, all, language);
    print_ini_findings(report, width, language);
}

// The answer again, where the window stops: with what to do about it and how many other
// things were found above, in a few lines that fit the last screen.
void print_closing(const Report& report, int width, const Catalogue& language) {
    std::printf("\n%s\n", std::string(static_cast<std::size_t>(std::min(width, 60)), '-').c_str());
    print_wrapped(answer_sentence(report, language), 0, width);
    // What to do: about the answer's reason, or else the first thing found that matters.
    std::string advice = advice_of(report.decisive(), language);
    for (std::size_t i = 0; advice.empty() && i < report.findings.size(); ++i)
        if (report.findings[i].severity != Severity::info)
            advice = advice_of(report.findings[i], language);
    if (!advice.empty())
        print_wrapped(
            render(tr("what to do: {advice}"), {rendered_arg("advice", advice)}, language), 2,
            width);
    std::size_t others = 0;
    for (std::size_t i = 0; i < report.findings.size(); ++i)
        if (i != report.answer.decisive && report.findings[i].severity != Severity::info) ++others;
    if (others)
        print_wrapped(
            render_plural(tr("{count} more finding above"), tr("{count} more findings above"),
                          {number_arg("count", static_cast<long long>(others))}, language),
            2, width);
}

} // namespace checker::cli
