#pragma once
// What the checker says, as data: the answer to "Will your colours apply?", the ini the
// plugin will read and what it makes of every setting, and every finding, install and ini
// alike, each with its code and its fix. The console and the page show this; the JSON
// document is this.

#include "findings/catalogue.hpp"
#include "findings/finding.hpp"
#include "ini_rules/ini_check.hpp"
#include "install/install_diagnosis.hpp"

#include <optional>
#include <string>

namespace checker {

struct Answer {
    Verdict verdict = Verdict::yes;
    std::size_t decisive = 0; // the finding the answer rests on, in Report::findings
};

struct Report {
    std::optional<InstallDiagnosis> install;
    std::optional<std::string> ini_path; // the ini the plugin will read, as named; none: none
    std::string encoding;                // of that ini ("ascii", "utf-16le", ...), or ""
    CheckReport ini;                     // the settings, and the ini's own findings
    Findings findings;                   // the install's first, then the ini's
    Answer answer;

    const Finding& decisive() const { return findings[answer.decisive]; }
};

// What can stand in the place of the ini: its bytes, or none; and a finding on the file
// itself (why there are no bytes: missing, a folder, unreadable; or that only its first
// part is read).
struct IniSource {
    std::optional<std::string> bytes;
    std::optional<Finding> finding;
};

// An ini alone (`shown`: its path as given), or a game folder with the ini the plugin
// reads there (`shown` empty when it reads none, and then `source` is unused).
Report file_report(const std::string& shown, const IniSource& source);
Report install_report(InstallDiagnosis install, const std::string& shown, const IniSource& source);

// "Yes: ...", "Yes, but 2 settings will not apply as written: MoneyColor and ZoneColor".
std::string answer_sentence(const Report& report, const Catalogue& language);
std::string_view verdict_id(Verdict verdict); // "yes", "no", "cant-tell"

// Exit status of the checker for it: 0 for Yes with nothing in the ini to mend, else 1.
int exit_status(const Report& report);

} // namespace checker
