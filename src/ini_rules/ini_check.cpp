#include "ini_rules/ini_check.hpp"

#include "common/opened_file.hpp"
#include "common/path_text.hpp"
#include "common/printable.hpp"
#include "common/trimmed.hpp"
#include "config/settings_file.hpp"
#include "hud/apply_settings.hpp"
#include "hud/hud_setting_table.hpp"
#include "ini_rules/file_findings.hpp"
#include "ini_rules/key_findings.hpp"
#include "ini_rules/line_scan.hpp"
#include "ini_rules/pass_extent.hpp"
#include "ini_rules/text_mode.hpp"
#include "ini_rules/value_advice.hpp"
#include "ini_rules/value_findings.hpp"

#include <algorithm>
#include <cstdio>

namespace checker {
namespace {

std::string outside_finding(const hud::HudSetting& row, const std::vector<std::string>& outside) {
    std::string components;
    for (std::size_t i = 0; i < outside.size(); ++i)
        components += (i == 0 ? "" : i + 1 == outside.size() ? " and " : ", ") + outside[i];
    return quoted(row.key) + " " + components +
           (outside.size() == 1
                ? " is outside 0..255: this component keeps the game's own value"
                : " are outside 0..255: these components keep the game's own values");
}

// What the plugin leaves unread of a file beyond its bound, and the settings there.
Finding unread_finding(std::string_view unread, int first_line) {
    const LineScan beyond = scan_lines(unread);
    std::string keys;
    for (const auto& row : hud::hud_setting_table)
        if (const auto seen = beyond.occurrences.find(std::string_view{row.key});
            seen != beyond.occurrences.end() && keys.size() < 60)
            keys += (keys.empty() ? "; among it: " : ", ") + std::string{row.key} + " on line " +
                    std::to_string(first_line - 1 + seen->second.back());
    return {first_line,
            "the plugin reads only the first " + std::to_string(config::pass_piece_limit) +
                " lines of the file (a line longer than 255 bytes counts once for every 255 "
                "bytes) and ignores everything from here on" +
                keys,
            "keep only your settings in the file (Tessivar.VC.check --template shows them "
            "all)"};
}

SettingReport report_setting(std::size_t index, const config::SettingsFile& file,
                             const LineScan& scan, std::vector<Finding>& findings) {
    const hud::HudSetting& row = hud::hud_setting_table[index];
    SettingReport report{index, 0, {}, parsed_components(row, file), {}};
    const std::size_t found_before = findings.size();
    if (const auto value = file.find(row.key)) {
        report.raw = std::string{*value};
        const auto seen = scan.occurrences.find(std::string_view{row.key});
        report.line = seen != scan.occurrences.end() ? seen->second.back() : 0;
        check_value(row, report.raw, report.line, report.parsed, findings);
    }
    hud::RecordingWriter writer;
    hud::apply_setting(row, file, writer);
    std::vector<long long> clamped = whole(report.parsed);
    for (auto& n : clamped)
        n = std::clamp(n, 0LL, 255LL);
    std::vector<std::string> outside;
    for (int i = 0; i < hud::component_count(row.kind); ++i) {
        std::optional<hud::RecordedWrite> made;
        for (const auto& write : writer.writes())
            if (write.address == row.targets[i]) made = write;
        if (!made)
            outside.push_back(std::string{hud::component_name(row.kind, i)} + " " +
                              std::to_string(static_cast<long long>(report.parsed[i])));
        report.writes.push_back(made);
    }
    // One finding a line: a line already found wanting has its line to paste.
    if (!outside.empty() && report.line && findings.size() == found_before)
        findings.push_back(
            {report.line, outside_finding(row, outside), paste(row, numbers_text(clamped))});
    return report;
}

void report_settings(const config::SettingsFile& file, const LineScan& scan, CheckReport& report) {
    for (std::size_t row = 0; row < hud::hud_setting_table.size(); ++row)
        report.settings.push_back(report_setting(row, file, scan, report.findings));
}

} // namespace

CheckReport check_no_file() {
    CheckReport report;
    report_settings(config::SettingsFile{nullptr}, LineScan{}, report);
    return report;
}

std::optional<CheckReport> check_settings_file(const std::string& path) {
    const auto bytes = read_prefix(path_from_utf8(path), pass_read_limit);
    if (!bytes) return std::nullopt;
    return check_settings_bytes(*bytes);
}

CheckReport check_settings_bytes(std::string_view bytes) {
    const std::string whole_text = windows_text_mode(bytes);
    // The checker sees what the plugin's pass reads, and no more.
    const PassExtent extent = pass_extent(whole_text);
    const std::string_view text = std::string_view{whole_text}.substr(0, extent.bytes);
    CheckReport report;
    LineScan scan = scan_lines(text);
    const config::SettingsFile file = config::SettingsFile::from_text(text);
    if (looks_like_utf16(bytes)) {
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
    report.findings = saving_findings(bytes, text, scan);
    report.findings.insert(report.findings.end(), scan.findings.begin(), scan.findings.end());
    check_keys(scan, report.findings);
    if (extent.first_unread_line)
        report.findings.push_back(unread_finding(std::string_view{whole_text}.substr(extent.bytes),
                                                 extent.first_unread_line));

    report_settings(file, scan, report);
    std::stable_sort(report.findings.begin(), report.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return report;
}

} // namespace checker
