#include "check/ini_check.hpp"

#include "check/file_findings.hpp"
#include "check/key_findings.hpp"
#include "check/line_scan.hpp"
#include "check/printable.hpp"
#include "check/text_mode.hpp"
#include "check/trimmed.hpp"
#include "check/value_advice.hpp"
#include "check/value_findings.hpp"
#include "common/file_closer.hpp"
#include "config/settings_file.hpp"
#include "hud/hud_setting_table.hpp"
#include "hud/apply_settings.hpp"

#include <algorithm>
#include <cstdio>

namespace checker {
namespace {

std::optional<std::string> read_bytes(const std::string& path) {
    const UniqueFile file{std::fopen(path.c_str(), "rb")};
    if (!file) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        bytes.append(chunk, got);
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}

std::vector<double> parsed_components(const hud::HudSetting& row,
                                      const config::SettingsFile& file) {
    const auto& defaults = row.defaults.components;
    switch (row.kind) {
    case hud::SettingKind::Rgb: {
        const auto colour = file.get_rgb(row.key, defaults[0], defaults[1], defaults[2]);
        return {double(colour.red), double(colour.green), double(colour.blue)};
    }
    case hud::SettingKind::Rgba: {
        const auto colour = file.get_rgba(row.key, defaults[0], defaults[1], defaults[2]);
        return {double(colour.red), double(colour.green), double(colour.blue),
                double(colour.alpha)};
    }
    case hud::SettingKind::Integer:
        return {double(file.get_int(row.key, defaults[0]))};
    case hud::SettingKind::Float:
        return {double(file.get_float(row.key, row.defaults.real))};
    }
    return {};
}

SettingReport report_setting(std::size_t index, const config::SettingsFile& file,
                             const LineScan& scan, std::vector<Finding>& findings) {
    const hud::HudSetting& row = hud::hud_setting_table[index];
    SettingReport report{index, 0, {}, parsed_components(row, file), {}};
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
    for (int i = 0; i < hud::component_count(row.kind); ++i) {
        std::optional<hud::RecordedWrite> made;
        for (const auto& write : writer.writes())
            if (write.address == row.targets[i]) made = write;
        if (!made && report.line)
            findings.push_back({report.line,
                                quoted(row.key) + " " +
                                    std::string{hud::component_name(row.kind, i)} + " " +
                                    std::to_string(static_cast<long long>(report.parsed[i])) +
                                    " is outside 0..255: this component keeps the game's own "
                                    "value",
                                paste(row, numbers_text(clamped))});
        report.writes.push_back(made);
    }
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
    const auto bytes = read_bytes(path);
    if (!bytes) return std::nullopt;
    return check_settings_bytes(*bytes);
}

CheckReport check_settings_bytes(std::string_view bytes) {
    const std::string text = windows_text_mode(bytes);
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

    report_settings(file, scan, report);
    std::stable_sort(report.findings.begin(), report.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return report;
}

} // namespace checker
