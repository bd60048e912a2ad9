#include "ini_check.hpp"

#include "config/settings_file.hpp"
#include "hud/hud_setting_table.hpp"
#include "hud/recolour_pass.hpp"
#include "key_suggestion.hpp"
#include "text_mode.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

namespace checker {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::optional<std::string> read_bytes(const std::string& path) {
    const File file{std::fopen(path.c_str(), "rb")};
    if (!file) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        bytes.append(chunk, got);
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}

std::string quoted(std::string_view text) {
    std::string out(1, '"');
    out.append(text);
    out += '"';
    return out;
}

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The lines of the file as the plugin's reader sees them: which key is where.
struct LineScan {
    std::map<std::string, std::vector<int>, std::less<>> occurrences;
    std::vector<Finding> findings;
};

LineScan scan_lines(std::string_view text) {
    LineScan scan;
    int line = 1;
    bool continuation = false;
    config::for_each_settings_piece(text, [&](const char* piece, const auto& entry) {
        const std::size_t length = std::strlen(piece);
        const bool ends_line = length > 0 && piece[length - 1] == '\n';
        const bool cut = !ends_line && length == config::line_buffer_size - 1;
        if (cut && !continuation)
            scan.findings.push_back({line, "line longer than 255 bytes",
                                     "the plugin reads 255 bytes at a time; the rest of this line "
                                     "is read as a line of its own"});
        if (entry) {
            scan.occurrences[std::string{entry->key}].push_back(line);
        } else if (!continuation) {
            std::string_view words = trimmed(piece);
            if (line == 1 && words.substr(0, 3) == "\xEF\xBB\xBF") words = trimmed(words.substr(3));
            if (!words.empty() && words.front() == '[')
                scan.findings.push_back({line, "section header " + quoted(words),
                                         "sections mean nothing to the plugin; the line is "
                                         "ignored"});
            else if (!words.empty() && words.front() != '#' && words.front() != ';')
                scan.findings.push_back({line, "no \"=\" on this line", "write Key=value"});
        }
        continuation = cut;
        if (ends_line) ++line;
    });
    return scan;
}

void check_keys(const LineScan& scan, std::vector<Finding>& findings) {
    for (const auto& [key, lines] : scan.occurrences) {
        bool known = false;
        for (const auto& row : hud::hud_setting_table)
            known = known || key == row.key;
        if (!known) {
            const auto near = nearest_table_key(key);
            findings.push_back(
                {lines.back(), "unknown key " + quoted(key),
                 near ? "did you mean " + quoted(near->key) + "? (" + std::string{near->cause} + ")"
                      : "the plugin does not use this key"});
        }
        for (std::size_t i = 0; i + 1 < lines.size(); ++i)
            findings.push_back(
                {lines[i], quoted(key) + " again on line " + std::to_string(lines.back()),
                 "line " + std::to_string(lines.back()) + " wins; remove the others"});
    }
}

// How many decimal integers the plugin's "%d %d ..." pattern reads, and what follows.
struct IntegerFields {
    int count = 0;
    std::string_view rest;
};

IntegerFields read_integer_fields(const std::string& value, int most) {
    std::int32_t numbers[4] = {};
    const char* end = value.c_str();
    IntegerFields fields;
    fields.count = config::scan_integers(value.c_str(), numbers, most, &end);
    fields.rest = trimmed(end);
    return fields;
}

void check_colour(const hud::HudSetting& row, const std::string& value, int line,
                  std::vector<Finding>& findings) {
    const bool alpha = row.kind == hud::SettingKind::Rgba;
    const IntegerFields fields = read_integer_fields(value, alpha ? 4 : 3);
    const std::string format = alpha ? "red green blue [alpha]" : "red green blue";
    if (value.find(',') != std::string::npos)
        findings.push_back({line, quoted(row.key) + " is written with commas",
                            "separate the numbers with blanks: " + format});
    else if (fields.count < 3)
        findings.push_back(
            {line, quoted(row.key) + " has " + std::to_string(fields.count) + " of its 3 numbers",
             "write " + format + "; the missing ones become 0"});
    else if (!fields.rest.empty())
        findings.push_back(
            {line, "text after the numbers of " + quoted(row.key) + ": " + quoted(fields.rest),
             "remove it; the plugin ignores it"});
}

void check_number(const hud::HudSetting& row, const std::string& value, int line,
                  std::vector<Finding>& findings) {
    const bool integer = row.kind == hud::SettingKind::Integer;
    const char* end = value.c_str();
    if (integer) {
        std::int32_t number = 0;
        config::scan_integers(value.c_str(), &number, 1, &end);
    } else {
        char* number_end = nullptr;
        std::strtod(value.c_str(), &number_end);
        end = number_end;
    }
    if (end == value.c_str()) {
        findings.push_back({line, quoted(row.key) + " is not a number: " + quoted(value),
                            integer ? "write a whole number such as 2; the plugin reads 0"
                                    : "write a number such as 0.6; the plugin writes 0"});
        return;
    }
    const std::string_view rest = trimmed(end);
    if (!rest.empty())
        findings.push_back({line,
                            "text after the number of " + quoted(row.key) + ": " + quoted(rest),
                            "remove it; the plugin ignores it"});
}

std::vector<double> parsed_components(const hud::HudSetting& row,
                                      const config::SettingsFile& file) {
    const auto& d = row.defaults.components;
    switch (row.kind) {
    case hud::SettingKind::Rgb: {
        const auto c = file.get_rgb(row.key, d[0], d[1], d[2]);
        return {double(c.red), double(c.green), double(c.blue)};
    }
    case hud::SettingKind::Rgba: {
        const auto c = file.get_rgba(row.key, d[0], d[1], d[2]);
        return {double(c.red), double(c.green), double(c.blue), double(c.alpha)};
    }
    case hud::SettingKind::Integer:
        return {double(file.get_int(row.key, d[0]))};
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
        if (row.kind == hud::SettingKind::Rgb || row.kind == hud::SettingKind::Rgba)
            check_colour(row, report.raw, report.line, findings);
        else
            check_number(row, report.raw, report.line, findings);
    }
    hud::RecordingWriter writer;
    hud::apply_setting(row, file, writer);
    for (int i = 0; i < hud::component_count(row.kind); ++i) {
        std::optional<hud::RecordedWrite> made;
        for (const auto& write : writer.writes())
            if (write.address == row.targets[i]) made = write;
        if (!made && report.line)
            findings.push_back({report.line,
                                quoted(row.key) + " " +
                                    std::string{hud::component_name(row.kind, i)} + " " +
                                    std::to_string(static_cast<long long>(report.parsed[i])) +
                                    " is outside 0..255",
                                "use 0..255; this component keeps the game's own value"});
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
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        report.findings.push_back({1, "byte-order mark at the start of the file",
                                   "save the file without it (ANSI, or UTF-8 without BOM); "
                                   "with it the first line's key does not match"});
    if (text.find('\r') != std::string::npos && text.find('\n') == std::string::npos)
        report.findings.push_back({0, "carriage returns but no line feeds",
                                   "the plugin reads the file as one line; save it with "
                                   "Windows (CR LF) or Unix (LF) line ends"});
    report.findings.insert(report.findings.end(), scan.findings.begin(), scan.findings.end());
    check_keys(scan, report.findings);

    report_settings(config::SettingsFile::from_text(text), scan, report);
    std::stable_sort(report.findings.begin(), report.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return report;
}

} // namespace checker
