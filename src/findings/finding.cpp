#include "findings/finding.hpp"

namespace checker {

const Arg* Finding::arg(std::string_view name) const {
    for (const Arg& a : args)
        if (a.name == name) return &a;
    return nullptr;
}

Finding make_finding(Rule rule, int line, Args args) {
    Finding finding{};
    finding.rule = rule;
    finding.severity = rule_text(rule).severity;
    finding.line = line;
    finding.args = std::move(args);
    return finding;
}

std::string_view action_name(FixAction action) {
    switch (action) {
    case FixAction::replace_line:
        return "replace-line";
    case FixAction::delete_line:
        return "delete-line";
    case FixAction::append_line:
        return "append-line";
    case FixAction::comment_line:
        return "comment-line";
    case FixAction::remove_mark:
        return "remove-mark";
    case FixAction::remove_ctrl_z:
        return "remove-ctrl-z";
    case FixAction::line_ends:
        return "line-ends";
    case FixAction::convert:
        return "convert";
    case FixAction::rename:
        return "rename";
    case FixAction::delete_file:
        return "delete-file";
    }
    return {};
}

std::string_view severity_name(Severity severity) {
    switch (severity) {
    case Severity::error:
        return "error";
    case Severity::warning:
        return "warning";
    case Severity::info:
        return "info";
    }
    return {};
}

} // namespace checker
