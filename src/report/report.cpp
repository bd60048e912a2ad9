#include "report/report.hpp"

#include "findings/render.hpp"
#include "hud/hud_setting_table.hpp"
#include "ini_rules/encoding.hpp"

#include <algorithm>

namespace checker {
namespace {

bool applies_nothing(const Finding& finding) {
    return finding.rule == Rule::utf16_file || finding.rule == Rule::empty_file ||
           finding.rule == Rule::carriage_returns_only;
}

// The ini's part of the answer, once the install lets the colours apply: false when the
// ini holds nothing that changes it.
bool answer_for_ini(Report& report, std::size_t ini_first) {
    for (std::size_t i = ini_first; i < report.findings.size(); ++i) {
        const Finding& finding = report.findings[i];
        if (finding.rule == Rule::file_unreadable || finding.rule == Rule::file_missing ||
            finding.rule == Rule::file_is_folder || applies_nothing(finding)) {
            report.answer = {Verdict::no, i};
            return true;
        }
    }
    for (std::size_t i = ini_first; i < report.findings.size(); ++i)
        if (report.findings[i].severity == Severity::error) {
            report.answer = {Verdict::yes, i}; // Yes, but
            return true;
        }
    return false;
}

void add_ini(Report& report, const std::string& shown, const IniSource& source) {
    report.ini_path = shown;
    if (!source.bytes) {
        report.ini = check_no_file();
        if (!source.finding) return;
        report.findings.push_back(*source.finding);
        report.findings.back().file = shown;
        return;
    }
    report.encoding = std::string{encoding_id(*source.bytes)};
    report.ini = check_settings_bytes(*source.bytes);
    if (source.finding) report.ini.findings.insert(report.ini.findings.begin(), *source.finding);
    for (Finding& finding : report.ini.findings) {
        finding.file = shown;
        if (finding.fix && finding.fix->action != FixAction::rename &&
            finding.fix->action != FixAction::delete_file)
            finding.fix->file = shown;
    }
    report.findings.insert(report.findings.end(), report.ini.findings.begin(),
                           report.ini.findings.end());
}

} // namespace

Report file_report(const std::string& shown, const IniSource& source) {
    Report report;
    add_ini(report, shown, source);
    if (answer_for_ini(report, 0)) return report;
    report.answer = {Verdict::yes, report.findings.size()};
    report.findings.push_back(make_finding(Rule::reads_as_written, 0, {}));
    report.findings.back().file = shown;
    return report;
}

Report install_report(InstallDiagnosis install, const std::string& shown, const IniSource& source) {
    Report report;
    report.findings = install.findings;
    report.answer = {install.verdict, install.decisive};
    const std::size_t ini_first = report.findings.size();
    if (shown.empty())
        report.ini = check_no_file();
    else
        add_ini(report, shown, source);
    if (install.verdict == Verdict::yes) answer_for_ini(report, ini_first);
    report.install = std::move(install);
    return report;
}

std::string_view verdict_id(Verdict verdict) {
    switch (verdict) {
    case Verdict::yes:
        return "yes";
    case Verdict::no:
        return "no";
    case Verdict::cannot_tell:
        return "cant-tell";
    }
    return {};
}

namespace {

// Yes, but: every setting of the ini the plugin will not read as written, by name.
std::string yes_but(const Report& report, const Catalogue& language) {
    std::vector<std::string> keys;
    std::size_t lines = 0;
    for (const Finding& finding : report.ini.findings) {
        if (finding.severity != Severity::error) continue;
        ++lines;
        if (!finding.key.empty() && std::find(keys.begin(), keys.end(), finding.key) == keys.end())
            keys.push_back(finding.key);
    }
    if (keys.empty())
        return render_plural(tr("Yes, but {count} line will not apply as written"),
                             tr_plural("Yes, but {count} lines will not apply as written"),
                             {number_arg("count", static_cast<long long>(lines))}, language);
    // A few names say enough; the count says how many there are.
    constexpr std::size_t named = 3;
    std::vector<ListItem> names;
    for (std::size_t i = 0; i < keys.size() && i < named; ++i)
        names.push_back({{}, keys[i]});
    if (keys.size() > named) names.push_back({tr("others"), {}});
    const Args args{number_arg("count", static_cast<long long>(keys.size())),
                    list_arg("keys", std::move(names))};
    return render_plural(tr("Yes, but {count} setting will not apply as written: {keys}"),
                         tr_plural("Yes, but {count} settings will not apply as written: {keys}"),
                         args, language);
}

// A copy of the ini the plugin passes over, where the player may be making the edits.
const Finding* ignored_copy(const Report& report) {
    for (const Finding& finding : report.findings)
        if (finding.rule == Rule::ini_ignored) return &finding;
    return nullptr;
}

} // namespace

std::string answer_sentence(const Report& report, const Catalogue& language) {
    const Finding& decisive = report.decisive();
    const Args reason{rendered_arg("reason", message_of(decisive, language))};
    if (report.answer.verdict == Verdict::no) return render(tr("No: {reason}"), reason, language);
    if (report.answer.verdict == Verdict::cannot_tell)
        return render(tr("Can't tell: {reason}"), reason, language);
    const bool but = decisive.severity == Severity::error;
    std::string answer =
        but ? yes_but(report, language) : render(tr("Yes: {reason}"), reason, language);
    const Finding* ignored = ignored_copy(report);
    if (!ignored) return answer;
    return render(but ? tr("{answer}; and {ignored}") : tr("{answer}; but {ignored}"),
                  {rendered_arg("answer", std::move(answer)),
                   rendered_arg("ignored", message_of(*ignored, language))},
                  language);
}

int exit_status(const Report& report) {
    if (report.answer.verdict != Verdict::yes) return 1;
    for (const Finding& finding : report.ini.findings)
        if (finding.severity != Severity::info) return 1;
    return 0;
}

} // namespace checker
