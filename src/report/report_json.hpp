#pragma once
// The report as one JSON document (schema 1), the same in every language but for its
// messages and "language"; docs/checker.md describes it.

#include "findings/catalogue.hpp"
#include "report/report.hpp"

#include <string>

namespace checker {

// `most_findings`: list only the first ones (the page's bound on a file of thousands of
// mistakes); "findingCount" then tells how many there are.
std::string report_json(const Report& report, const Catalogue& language, std::string_view version,
                        std::size_t most_findings = static_cast<std::size_t>(-1));

// One finding as the document holds it; `index` and the page's extras aside.
std::string finding_json(const Finding& finding, const Catalogue& language);

// What the plugin will use of one setting, as the document gives it ("255 0 0 255").
std::string setting_value_text(const SettingReport& setting);

} // namespace checker
