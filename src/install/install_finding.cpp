#include "install/install_finding.hpp"

namespace checker {

void weigh(Finding& finding, Weight weight) {
    finding.weight = weight;
    const Severity usual = rule_text(finding.rule).severity;
    finding.severity = weight == Weight::blocks   ? Severity::error
                       : weight == Weight::unsure ? Severity::warning
                       : usual == Severity::info  ? Severity::info
                                                  : Severity::warning;
}

Finding install_finding(Rule rule, Weight weight, Args args, std::string file) {
    Finding finding = make_finding(rule, 0, std::move(args));
    finding.file = std::move(file);
    weigh(finding, weight);
    return finding;
}

} // namespace checker
