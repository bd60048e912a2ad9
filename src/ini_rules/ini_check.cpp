#include "ini_rules/ini_check.hpp"

#include "common/opened_file.hpp"
#include "common/path_text.hpp"
#include "common/trimmed.hpp"
#include "config/settings_file.hpp"
#include "hud/apply_settings.hpp"
#include "hud/hud_setting_table.hpp"
#include "ini_rules/encoding.hpp"
#include "ini_rules/file_findings.hpp"
#include "ini_rules/key_findings.hpp"
#include "ini_rules/line_scan.hpp"
#include "ini_rules/pass_extent.hpp"
#include "ini_rules/text_mode.hpp"
#include "ini_rules/value_advice.hpp"
#include "ini_rules/value_findings.hpp"

#include <algorithm>

namespace checker {
namespace {

Finding outside_finding(const hud::HudSetting& row, int line, std::vector<ListItem> outside,
                        const std::vector<long long>& clamped) {
    const long long count = static_cast<long long>(outside.size());
    return setting_finding(Rule::outside_byte_range, row, line, numbers_text(clamped),
                           {text_arg("key", row.key), list_arg("components", std::move(outside)),
                            number_arg("count", count)});
}

// What the plugin leaves unread of a file beyond its bound, and the settings there.
Finding unread_finding(std::string_view unread, int first_line) {
    const LineScan beyond = scan_lines(unread);
    std::vector<std::string> keys;
    for (const auto& row : hud::hud_setting_table)
        if (beyond.occurrences.contains(std::string_view{row.key})) keys.push_back(row.key);
    const Arg limit = number_arg("limit", config::pass_piece_limit);
    if (keys.empty()) return make_finding(Rule::lines_beyond_bound, first_line, {limit});
    return make_finding(Rule::settings_beyond_bound, first_line,
                        {limit, list_arg("keys", keys), number_arg("count", keys.size())});
}

// The pass's writes of one row, in the row's own room: a row writes four at most.
class RowWriter final : public hud::HostWriter {
public:
    void patch_byte(HostAddress address, std::uint8_t value) override {
        add({hud::RecordedWrite::Kind::byte, address, value, 0.0f});
    }
    void patch_float(HostAddress address, float value) override {
        add({hud::RecordedWrite::Kind::real, address, 0, value});
    }
    std::optional<hud::RecordedWrite> at(HostAddress address) const {
        for (std::size_t i = 0; i < count_; ++i)
            if (writes_[i].address == address) return writes_[i];
        return std::nullopt;
    }

private:
    void add(const hud::RecordedWrite& write) {
        if (count_ < writes_.size()) writes_[count_++] = write;
    }
    std::array<hud::RecordedWrite, 4> writes_{};
    std::size_t count_ = 0;
};

SettingReport report_setting(std::size_t index, const config::SettingsFile& file,
                             const LineScan& scan, Findings& findings) {
    const hud::HudSetting& row = hud::hud_setting_table[index];
    SettingReport report{index, 0, {}, parsed_components(row, file), {}};
    const std::size_t found_before = findings.size();
    if (const auto value = file.find(row.key)) {
        report.raw = std::string{*value};
        const auto seen = scan.occurrences.find(std::string_view{row.key});
        report.line = seen != scan.occurrences.end() ? seen->second.lines.back() : 0;
        check_value(row, report.raw, report.line, report.parsed, findings);
    }
    RowWriter writer;
    hud::apply_setting(row, file, writer);
    std::vector<ListItem> outside;
    report.writes.reserve(4);
    for (int i = 0; i < hud::component_count(row.kind); ++i) {
        const std::optional<hud::RecordedWrite> made = writer.at(row.targets[i]);
        if (!made)
            outside.push_back({hud::component_name(row.kind, i),
                               std::to_string(static_cast<long long>(report.parsed[i]))});
        report.writes.push_back(made);
    }
    // One finding a line: a line already found wanting has its line to paste.
    if (!outside.empty() && report.line && findings.size() == found_before) {
        std::vector<long long> clamped = whole(report.parsed);
        for (auto& n : clamped)
            n = std::clamp(n, 0LL, 255LL);
        findings.push_back(outside_finding(row, report.line, std::move(outside), clamped));
    }
    return report;
}

// What the plugin does with every row of the table when the file sets none of them.
const std::vector<SettingReport>& default_settings() {
    static const std::vector<SettingReport> defaults = [] {
        const config::SettingsFile none{nullptr};
        Findings unused;
        std::vector<SettingReport> rows;
        for (std::size_t row = 0; row < hud::hud_setting_table.size(); ++row)
            rows.push_back(report_setting(row, none, LineScan{}, unused));
        return rows;
    }();
    return defaults;
}

void report_settings(const config::SettingsFile& file, const LineScan& scan, CheckReport& report) {
    report.settings.reserve(hud::hud_setting_table.size());
    // A key the file does not set takes its defaults, as with no file at all.
    for (std::size_t row = 0; row < hud::hud_setting_table.size(); ++row)
        report.settings.push_back(file.find(hud::hud_setting_table[row].key)
                                      ? report_setting(row, file, scan, report.findings)
                                      : default_settings()[row]);
}

bool rewrites_a_line(const Fix& fix) {
    return fix.action == FixAction::replace_line || fix.action == FixAction::delete_line ||
           fix.action == FixAction::comment_line;
}

// A line the reader takes otherwise than the player sees it gets no fix that rewrites it:
// the fix would take what the player sees as other lines with it.
void withhold_fixes_of_mixed_lines(const LineScan& scan, Findings& findings) {
    for (Finding& finding : findings)
        if (finding.fix && rewrites_a_line(*finding.fix) &&
            scan.mixed_lines.contains(finding.fix->line))
            finding.fix.reset();
}

// By line, in the order found within a line; sorted by index, so that the findings
// themselves move once.
void in_line_order(Findings& findings) {
    std::vector<std::size_t> order(findings.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return findings[a].line < findings[b].line;
    });
    Findings sorted;
    sorted.reserve(findings.size());
    for (const std::size_t i : order)
        sorted.push_back(std::move(findings[i]));
    findings = std::move(sorted);
}

} // namespace

CheckReport check_no_file() {
    return {{}, default_settings()};
}

std::optional<CheckReport> check_settings_file(const std::string& path) {
    const auto bytes = read_prefix(path_from_utf8(path), pass_read_limit);
    if (!bytes) return std::nullopt;
    return check_settings_bytes(*bytes);
}

CheckReport check_settings_bytes(std::string_view bytes) {
    // The checker sees what the plugin's pass reads, and no more.
    const PluginText read = plugin_text(bytes);
    const PassExtent& extent = read.extent;
    const std::string_view text = std::string_view{read.text}.substr(0, extent.bytes);
    CheckReport report;
    LineScan scan = scan_lines(text);
    const config::SettingsFile file = config::SettingsFile::from_text(text);
    const Encoding encoding = detect_encoding(bytes);
    if (encoding == Encoding::utf16_le || encoding == Encoding::utf16_be) {
        // Every other finding would only be the encoding's bytes seen as text.
        report.findings.push_back(utf16_finding());
        report_settings(file, scan, report);
        report.findings.resize(1);
        return report;
    }
    if (trimmed(text).empty()) {
        report.findings.push_back(empty_file_finding());
        report_settings(file, scan, report);
        return report;
    }
    report.findings = saving_findings(bytes, text, scan, extent.first_unread_line == 0);
    report.findings.insert(report.findings.end(), scan.findings.begin(), scan.findings.end());
    check_keys(scan, report.findings);
    if (extent.first_unread_line)
        report.findings.push_back(unread_finding(std::string_view{read.text}.substr(extent.bytes),
                                                 extent.first_unread_line));

    report_settings(file, scan, report);
    withhold_fixes_of_mixed_lines(scan, report.findings);
    in_line_order(report.findings);
    return report;
}

} // namespace checker
