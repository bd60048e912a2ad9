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

// Columns a text takes: its characters, not its bytes (a translation is UTF-8).
int columns(std::string_view text) {
    return static_cast<int>(code_points(text));
}

std::string padded(std::string text, int width) {
    text.append(static_cast<std::size_t>(std::max(0, width - columns(text))), ' ');
    return text;
}

std::string said(std::string_view english, const Catalogue& language, const Args& args = {}) {
    return render(english, args, language);
}

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

std::string written_text(const SettingReport& setting, const Catalogue& language) {
    const std::string value = setting_value_text(setting);
    std::string out;
    std::size_t at = 0;
    for (std::size_t i = 0; i < setting.writes.size(); ++i) {
        const std::size_t end = std::min(value.find(' ', at), value.size());
        const std::string component = value.substr(at, end - at);
        out += (i ? " " : "") + (setting.writes[i] ? component
                                                   : said(tr("[{value} skipped]"), language,
                                                          {text_arg("value", component)}));
        at = end + 1;
    }
    return out;
}

// The HUD element's words from `column` on, wrapped between words under it where the
// terminal is narrow (a name is never cut).
void print_element(const std::string& element, int column, int width) {
    std::string out, line;
    std::size_t at = 0;
    bool first = true;
    // Past a very long written value, the element goes under the table's own column.
    constexpr int fewest = 12, table_column = 36;
    if (width - column - 1 < fewest) {
        out += "\n";
        column = table_column;
        first = false;
    }
    const int room = std::max(fewest, width - column - 1);
    const auto flush = [&] {
        out += std::string(static_cast<std::size_t>(first ? 0 : column), ' ') + line + "\n";
        line.clear();
        first = false;
    };
    while (at <= element.size()) {
        std::size_t end = element.find(' ', at);
        if (end == std::string::npos) end = element.size();
        const std::string word = element.substr(at, end - at);
        if (!line.empty() && columns(line) + 1 + columns(word) > room) flush();
        line += (line.empty() ? "" : " ") + word;
        at = end + 1;
    }
    flush();
    console::write(out);
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
    const std::string key_title = said(tr("key"), language),
                      from_title = said(tr("from"), language),
                      written_title = said(tr("written"), language);
    std::vector<std::string> written(report.settings.size()), from(report.settings.size());
    int written_width = columns(written_title), from_width = columns(from_title);
    for (const std::size_t row : rows) {
        const auto& setting = report.settings[row];
        written[row] = written_text(setting, language);
        from[row] = setting.line ? said(tr("line {line}"), language,
                                        {number_arg("line", static_cast<long long>(setting.line))})
                                 : said(tr("default"), language);
        written_width = std::max(written_width, columns(written[row]));
        from_width = std::max(from_width, columns(from[row]));
    }
    // The written column as wide as this file needs (a long one only stretches its own
    // line), so the HUD element fits beside it on a narrow terminal.
    const int column = std::min(written_width, 28);
    constexpr int key_width = 25;
    if (!rows.empty())
        console::write(padded(key_title, key_width) + " " + padded(from_title, from_width) + " " +
                       padded(written_title, column) + "    " + said(tr("HUD element"), language) +
                       "\n");
    for (const std::size_t row : rows) {
        const auto& setting = report.settings[row];
        const int used =
            key_width + 1 + from_width + 1 + std::max(column, columns(written[row])) + 4;
        console::write(padded(hud::hud_setting_table[setting.row].key, key_width) + " " +
                       padded(from[row], from_width) + " " + padded(written[row], column) + " " +
                       swatch(setting, term.colour) + " ");
        print_element(std::string{language.text(hud::hud_element_name(setting.row))}, used,
                      term.width);
    }
    const std::size_t others = report.settings.size() - rows.size();
    if (others == 0) return;
    const Args args{number_arg("count", static_cast<long long>(others))};
    print_wrapped(rows.empty()
                      ? said(tr("every setting takes its default (--all lists them)"), language)
                      : render_plural(tr("{count} other setting takes its default (--all "
                                         "lists every setting)"),
                                      tr_plural("{count} other settings take their defaults (--all "
                                                "lists every setting)"),
                                      args, language),
                  0, term.width);
}

std::string coded(const Finding& finding, const std::string& message) {
    return message + " [" + std::string{rule_text(finding.rule).code} + "]";
}

void print_ini_findings(const Report& report, int width, const Catalogue& language) {
    const Findings& findings = report.ini.findings;
    console::write("\n");
    if (findings.empty()) {
        print_wrapped(report.ini_path
                          ? said(tr("no findings: the plugin reads this file as written"), language)
                          : said(tr("no file to check: every setting takes its default"), language),
                      0, width);
        return;
    }
    const Args count{number_arg("count", static_cast<long long>(findings.size()))};
    print_wrapped(
        render_plural(tr("{count} finding:"), tr_plural("{count} findings:"), count, language), 0,
        width);
    for (const auto& f : findings) {
        const std::string where = f.line
                                      ? said(tr("line {line}"), language,
                                             {number_arg("line", static_cast<long long>(f.line))})
                                      : said(tr("file"), language);
        print_wrapped(coded(f, where + ": " + message_of(f, language)), 2, width);
        print_wrapped(advice_of(f, language), 6, width);
    }
}

// The plugin's search, in its order, from a game folder: every candidate that exists.
void print_search(const std::filesystem::path& game, const InstallDiagnosis& install, int width,
                  const Catalogue& language) {
    print_wrapped(
        said(tr("searching the game folder {path}:"), language, {text_arg("path", utf8(game))}), 0,
        width);
    std::string out;
    for (int i = 0; i < 3; ++i) {
        const std::string_view folder = ini_folders[i];
        const std::string place =
            (folder.empty() ? "" : std::string{folder} + "\\") + config::settings_file_name;
        out += "  " + padded(place, 60) + " " +
               (install.candidates[i] ? said(tr("exists"), language) : "-") + "\n";
    }
    console::write(out);
    if (install.counting < 0)
        print_wrapped(
            said(tr("the plugin reads no {ini_name} here: it uses its defaults"), language), 0,
            width);
    console::write("\n");
}

// What the install holds, then what to fix in it.
void print_install(const InstallDiagnosis& install, int width, const Catalogue& language) {
    console::write(said(tr("the install:"), language) + "\n");
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
    if (!anything) print_wrapped(said(tr("nothing to fix in it"), language), 2, width);
    console::write("\n");
}

} // namespace

void print_wrapped(const std::string& text, int indent, int width) {
    std::string out, line;
    std::size_t at = 0;
    const auto flush = [&] {
        out += std::string(static_cast<std::size_t>(indent), ' ') + line + "\n";
        line.clear();
    };
    while (at < text.size()) {
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(at, end - at);
        if (!line.empty() && indent + columns(line) + 1 + columns(word) > width) {
            flush();
            if (indent % 4 == 2) indent += 2;
        }
        line += (line.empty() ? "" : " ") + word;
        at = end + 1;
    }
    if (!line.empty()) flush();
    console::write(out);
}

void print_report(const Report& report, const std::filesystem::path& game,
                  const console::Terminal& terminal, const Catalogue& language, bool all) {
    const int width = terminal.width;
    print_wrapped(said(tr("Will your colours apply?"), language) + " " +
                      answer_sentence(report, language),
                  0, width);
    console::write("\n");
    if (report.install) {
        print_install(*report.install, width, language);
        print_search(game, *report.install, width, language);
    }
    if (report.ini_path) {
        print_wrapped(printable(*report.ini_path), 0, width);
        console::write("\n");
    }
    // Without a file every setting is a default, as the findings say.
    if (report.ini_path || all) print_settings(report.ini, terminal, all, language);
    print_ini_findings(report, width, language);
}

// The answer again, where the window stops: with what to do about it and how many other
// things were found above, in a few lines that fit the last screen.
void print_closing(const Report& report, int width, const Catalogue& language) {
    console::write("\n" + std::string(static_cast<std::size_t>(std::min(width, 60)), '-') + "\n");
    print_wrapped(answer_sentence(report, language), 0, width);
    // What to do: about the answer's reason, or else the first thing found that matters.
    std::string advice = advice_of(report.decisive(), language);
    for (std::size_t i = 0; advice.empty() && i < report.findings.size(); ++i)
        if (report.findings[i].severity != Severity::info)
            advice = advice_of(report.findings[i], language);
    if (!advice.empty())
        print_wrapped(said(tr("what to do: {advice}"), language, {rendered_arg("advice", advice)}),
                      2, width);
    std::size_t others = 0;
    for (std::size_t i = 0; i < report.findings.size(); ++i)
        if (i != report.answer.decisive && report.findings[i].severity != Severity::info) ++others;
    if (others)
        print_wrapped(render_plural(tr("{count} more finding above"),
                                    tr_plural("{count} more findings above"),
                                    {number_arg("count", static_cast<long long>(others))},
                                    language),
                      2, width);
}

} // namespace checker::cli
