#include "check/ini_check.hpp"

#include "check/key_suggestion.hpp"
#include "check/template_ini.hpp"
#include "check/text_mode.hpp"
#include "check/value_advice.hpp"
#include "config/settings_file.hpp"
#include "hud/hud_setting_table.hpp"
#include "hud/recolour_pass.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
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

} // namespace

std::string quoted(std::string_view text) {
    return '"' + printable(text) + '"';
}

std::string printable(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

namespace {

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

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

bool is_table_key(std::string_view key) {
    for (const auto& row : hud::hud_setting_table)
        if (key == row.key) return true;
    return false;
}

// "MoneyColor 255 0 0": the line with its "=", when it starts with a key.
std::string without_equals(std::string_view words) {
    const std::size_t blank = words.find_first_of(" \t:");
    const std::string_view first = words.substr(0, blank);
    const auto key =
        is_table_key(first) ? std::optional<KeySuggestion>{{first, ""}} : nearest_table_key(first);
    if (!key || blank == std::string_view::npos) return "write Key=value";
    std::string_view value = words.substr(blank);
    while (!value.empty() &&
           (value.front() == ' ' || value.front() == '\t' || value.front() == ':'))
        value.remove_prefix(1);
    return "write " + std::string{key->key} + "=" + std::string{value};
}

// The lines of the file as the plugin's reader sees them: which key is where.
struct LineScan {
    std::map<std::string, std::vector<int>, std::less<>> occurrences;
    std::map<std::string, std::string, std::less<>> values; // the last one of each key
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
            scan.values[std::string{entry->key}] = entry->value;
        } else if (!continuation) {
            std::string_view words = trimmed(piece);
            if (line == 1 && words.substr(0, 3) == "\xEF\xBB\xBF") words = trimmed(words.substr(3));
            if (!words.empty() && words.front() == '[')
                scan.findings.push_back({line, "section header " + quoted(words),
                                         "sections mean nothing to the plugin; the line is "
                                         "ignored"});
            else if (!words.empty() && words.front() != '#' && words.front() != ';')
                scan.findings.push_back({line, "no \"=\" on this line", without_equals(words)});
        }
        continuation = cut;
        if (ends_line) ++line;
    });
    return scan;
}

// The one finding of a UTF-8 byte-order mark, naming the key it spoils.
Finding bom_finding(const LineScan& scan) {
    std::string spoiled;
    for (const auto& [key, lines] : scan.occurrences)
        if (lines.front() == 1 && std::string_view{key}.substr(0, 3) == byte_order_mark &&
            is_table_key(std::string_view{key}.substr(3)))
            spoiled = key.substr(3);
    const std::string message =
        spoiled.empty() ? "byte-order mark at the start of the file: the plugin reads it as "
                          "part of the first line"
                        : "byte-order mark at the start of the file: the first line's key is "
                          "not \"" +
                              spoiled + "\" to the plugin, so " + spoiled + " keeps its default";
    return {1, message,
            "save the file without it: in Notepad, Save As with Encoding \"ANSI\" "
            "(or \"UTF-8\", not \"UTF-8 with BOM\")"};
}

// UTF-16 text: its byte-order mark, or ASCII with a NUL after (or before) every byte.
bool looks_like_utf16(std::string_view bytes) {
    if (bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0) return true;
    const std::size_t sample = std::min<std::size_t>(bytes.size(), 64) & ~std::size_t{1};
    if (sample < 8) return false;
    std::size_t even = 0, odd = 0;
    for (std::size_t i = 0; i < sample; ++i)
        (i % 2 ? odd : even) += bytes[i] == '\0';
    return even * 4 >= sample * 3 / 2 || odd * 4 >= sample * 3 / 2;
}

int line_of(std::string_view text, std::size_t offset) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

void check_keys(const LineScan& scan, std::vector<Finding>& findings) {
    const auto paste_as = [&](std::string_view key, const std::string& typed) {
        const auto value = scan.values.find(typed);
        return "write " + std::string{key} + "=" +
               (value != scan.values.end() ? printable(value->second) : "");
    };
    for (const auto& [key, lines] : scan.occurrences) {
        const bool known = is_table_key(key);
        const bool after_bom = lines.front() == 1 &&
                               std::string_view{key}.substr(0, 3) == byte_order_mark &&
                               is_table_key(std::string_view{key}.substr(3));
        if (!known && !after_bom) {
            const auto near = nearest_table_key(key);
            findings.push_back(
                {lines.back(),
                 "unknown key " + quoted(key) +
                     (near ? ": did you mean " + quoted(near->key) + "?" : std::string{}),
                 near ? paste_as(near->key, key) + " (" + std::string{near->cause} + ")"
                      : "the plugin does not use this key; remove the line"});
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
    std::int32_t numbers[8] = {};
    const char* end = value.c_str();
    IntegerFields fields;
    fields.count = config::scan_integers(value.c_str(), numbers, most, &end);
    fields.rest = trimmed(end);
    return fields;
}

std::string paste(const hud::HudSetting& row, const std::string& value) {
    return std::string{"write "} + row.key + "=" + value;
}

std::string default_value(const hud::HudSetting& row) {
    return default_text(static_cast<std::size_t>(&row - hud::hud_setting_table.data()));
}

// Whole numbers for messages; a size may be anything a double holds.
std::vector<long long> whole(const std::vector<double>& parsed) {
    std::vector<long long> numbers;
    for (const double value : parsed)
        numbers.push_back(
            std::isnan(value) ? 0 : static_cast<long long>(std::clamp(value, -1e15, 1e15)));
    return numbers;
}

// "0 0 0 (black)": what the plugin gets, in its words.
std::string gets(const std::vector<double>& parsed, bool alpha) {
    std::vector<long long> colour = whole(parsed);
    if (alpha && colour.size() == 4 && colour[3] == 255) colour.pop_back();
    std::string text = numbers_text(colour);
    if (colour.size() == 3 && colour[0] == 0 && colour[1] == 0 && colour[2] == 0)
        text += " (black)";
    return text;
}

std::string alpha_effect(long long alpha) {
    if (alpha < 64) return " (alpha " + std::to_string(alpha) + " makes it nearly invisible)";
    if (alpha < 192) return " (alpha " + std::to_string(alpha) + " makes it see-through)";
    return "";
}

void check_colour(const hud::HudSetting& row, const std::string& value, int line,
                  const std::vector<double>& parsed, std::vector<Finding>& findings) {
    const bool alpha = row.kind == hud::SettingKind::Rgba;
    const std::string key = quoted(row.key);
    const std::string plugin_gets = gets(parsed, alpha);
    if (const auto meant = meant_colour(value, alpha)) {
        const std::string written = numbers_text(meant->numbers);
        const bool same = written == numbers_text(whole(parsed)) ||
                          (alpha && written + " 255" == numbers_text(whole(parsed)));
        std::string message = key + " is written with " + meant->form + " (" + quoted(value) +
                              "): the plugin reads decimal numbers separated by blanks";
        message += same ? ", and gets " + plugin_gets + " only by chance"
                        : ", and gets " + plugin_gets + " instead of " + written;
        findings.push_back({line, message, paste(row, written)});
        return;
    }
    const IntegerFields fields = read_integer_fields(value, 8);
    const int room = alpha ? 4 : 3;
    const auto numbers = whole(parsed);
    if (fields.count > room) {
        const std::vector<long long> used(numbers.begin(), numbers.begin() + 3);
        std::string message = key + " has " + std::to_string(fields.count) + " numbers: ";
        if (alpha)
            message += "the plugin uses " + numbers_text(used) + " as the colour and " +
                       std::to_string(numbers[3]) + " as its alpha" + alpha_effect(numbers[3]) +
                       ", and ignores the rest";
        else
            message +=
                "it has no alpha; the plugin uses " + numbers_text(used) + " and ignores the rest";
        std::string suggestion = paste(row, numbers_text(used));
        if (alpha)
            suggestion = paste(row, numbers_text(numbers)) + " (with that alpha), or " + row.key +
                         "=" + numbers_text(used) + " (solid)";
        findings.push_back({line, message, suggestion});
    } else if (fields.count < 3) {
        const auto& d = row.defaults.components;
        std::vector<long long> completed = numbers;
        completed.resize(3);
        for (int i = fields.count; i < 3; ++i)
            completed[i] = d[i];
        const std::string what = value.empty()
                                     ? " is empty"
                                     : " has " + std::to_string(fields.count) + " of its 3 numbers";
        findings.push_back(
            {line, key + what + ": the plugin writes " + plugin_gets + ", not the default",
             paste(row, numbers_text(completed)) +
                 (fields.count ? " (the missing ones as the default)" : " (the default)")});
    } else if (!fields.rest.empty()) {
        findings.push_back({line,
                            "text after the numbers of " + key + ": " + quoted(fields.rest) +
                                "; the plugin ignores it",
                            paste(row, numbers_text(numbers))});
    }
}

void check_number(const hud::HudSetting& row, const std::string& value, int line,
                  std::vector<Finding>& findings) {
    const bool integer = row.kind == hud::SettingKind::Integer;
    const std::string key = quoted(row.key);
    const char* end = value.c_str();
    if (integer) {
        std::int32_t number = 0;
        config::scan_integers(value.c_str(), &number, 1, &end);
    } else {
        char* number_end = nullptr;
        std::strtod(value.c_str(), &number_end);
        end = number_end;
    }
    const std::string number(value.c_str(), end);
    const std::string_view rest = trimmed(end);
    // "0,6": a decimal comma, which ends the number.
    if (*end == ',' && std::isdigit(static_cast<unsigned char>(end[1]))) {
        std::string fixed{value};
        fixed[static_cast<std::size_t>(end - value.c_str())] = '.';
        if (integer) fixed = number;
        const std::string reads = number.empty() ? "0" : std::string{trimmed(number)};
        findings.push_back({line,
                            key + " is written with a decimal comma (" + quoted(value) +
                                "): the plugin reads " + reads,
                            paste(row, integer ? reads : fixed)});
        return;
    }
    if (end == value.c_str()) {
        const std::string reads =
            value.empty() ? " is empty" : " is not a number: " + quoted(value);
        findings.push_back({line,
                            key + reads + "; the plugin " + (integer ? "reads 0" : "writes 0") +
                                ", not the default",
                            paste(row, default_value(row)) + " (the default)"});
        return;
    }
    if (!rest.empty())
        findings.push_back(
            {line,
             "text after the number of " + key + ": " + quoted(rest) + "; the plugin ignores it",
             paste(row, std::string{trimmed(number)})});
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
            check_colour(row, report.raw, report.line, report.parsed, findings);
        else
            check_number(row, report.raw, report.line, findings);
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
        report.findings.push_back(
            {0,
             "the file is saved as UTF-16 (Notepad's \"Unicode\"): the plugin finds no "
             "setting in it, and every setting takes its default",
             "in Notepad: File, Save As, Encoding \"ANSI\" or \"UTF-8\"; or write a new one "
             "with Tessivar.VC.check --template --output Tessivar.VC.ini"});
        report_settings(file, scan, report);
        report.findings.resize(1);
        return report;
    }
    if (trimmed(text).empty()) {
        report.findings.push_back({0, "the file is empty: every setting takes its default",
                                   "copy the lines you want to change from the template "
                                   "(Tessivar.VC.check --template)"});
        report_settings(file, scan, report);
        return report;
    }
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) report.findings.push_back(bom_finding(scan));
    if (const std::size_t stop = bytes.find(end_of_file_mark);
        stop != std::string_view::npos && !trimmed(bytes.substr(stop + 1)).empty())
        report.findings.push_back(
            {line_of(text, text.size()),
             "a Ctrl-Z character (0x1A): the plugin stops reading the file there",
             "remove it; the lines after it are not read"});
    if (text.find('\r') != std::string::npos && text.find('\n') == std::string::npos)
        report.findings.push_back({0, "carriage returns but no line feeds",
                                   "the plugin reads the file as one line; save it with "
                                   "Windows (CR LF) or Unix (LF) line ends"});
    report.findings.insert(report.findings.end(), scan.findings.begin(), scan.findings.end());
    check_keys(scan, report.findings);

    report_settings(file, scan, report);
    std::stable_sort(report.findings.begin(), report.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return report;
}

} // namespace checker
