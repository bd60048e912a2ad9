#include "ini_rules/file_findings.hpp"

#include "common/byte_order_mark.hpp"
#include "common/trimmed.hpp"
#include "ini_rules/pass_extent.hpp"
#include "ini_rules/text_mode.hpp"

#include <algorithm>
#include <string>

namespace checker {
namespace {

// The one finding of a UTF-8 byte-order mark, naming the key it spoils.
Finding byte_order_mark_finding(const LineScan& scan) {
    std::string spoiled;
    for (const auto& [key, seen] : scan.occurrences)
        if (is_table_key_after_mark(key, seen.lines)) spoiled = key.substr(byte_order_mark.size());
    Finding finding = spoiled.empty()
                          ? make_finding(Rule::mark_at_start, 1, {})
                          : make_finding(Rule::mark_spoils_key, 1, {text_arg("key", spoiled)});
    finding.key = spoiled;
    finding.fix = file_fix(FixAction::remove_mark);
    return finding;
}

int line_count(std::string_view text) {
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// What the plugin leaves unread after a Ctrl-Z matters when a setting is among it.
Finding ctrl_z_finding(std::string_view text, std::string_view after) {
    Finding finding = make_finding(Rule::ctrl_z, line_count(text), {});
    const LineScan unread = scan_lines(windows_text_mode(after.substr(0, pass_read_limit)));
    if (std::none_of(unread.occurrences.begin(), unread.occurrences.end(),
                     [](const auto& key) { return is_table_key(key.first); }))
        finding.severity = Severity::warning;
    finding.fix = file_fix(FixAction::remove_ctrl_z);
    return finding;
}

} // namespace

Finding utf16_finding() {
    Finding finding = make_finding(Rule::utf16_file, 0, {});
    finding.fix = file_fix(FixAction::convert);
    return finding;
}

Finding empty_file_finding() {
    return make_finding(Rule::empty_file, 0, {});
}

Findings saving_findings(std::string_view bytes, std::string_view text, const LineScan& scan,
                         bool read_to_end) {
    Findings findings;
    if (starts_with_byte_order_mark(bytes)) findings.push_back(byte_order_mark_finding(scan));
    // A Ctrl-Z past what the plugin reads stops nothing.
    if (const std::size_t stop = bytes.find(end_of_file_mark);
        read_to_end && stop != std::string_view::npos && !trimmed(bytes.substr(stop + 1)).empty())
        findings.push_back(ctrl_z_finding(text, bytes.substr(stop + 1)));
    // A carriage return at the very end only ends the last line.
    const std::size_t carriage_return = text.find('\r');
    if (carriage_return != std::string_view::npos && carriage_return + 1 < text.size() &&
        text.find('\n') == std::string_view::npos) {
        Finding finding = make_finding(Rule::carriage_returns_only, 0, {});
        finding.fix = file_fix(FixAction::line_ends);
        findings.push_back(std::move(finding));
    }
    return findings;
}

} // namespace checker
