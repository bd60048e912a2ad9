// The editor page's way into the plugin's own code: the checker's report (which is the
// plugin's reader, accessors, table and pass) as JSON, the picture the checker draws,
// and the edits of the file. Compiled to WebAssembly; the page only presents.

#include "hud/hud_setting_table.hpp"
#include "check/ini_check.hpp"
#include "ini_edit.hpp"
#include "check/palette_svg.hpp"

#include <emscripten.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

std::string result;

int keep(std::string text) {
    result = std::move(text);
    return static_cast<int>(result.size());
}

// A JSON string of bytes, each byte above 0x7F as the code point of the same number.
std::string json_string(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string json_number(double value) {
    if (std::isnan(value)) return "\"nan\"";
    if (std::isinf(value)) return value > 0 ? "\"inf\"" : "\"-inf\"";
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

const char* kind_name(hud::SettingKind kind) {
    switch (kind) {
    case hud::SettingKind::Rgb:
        return "rgb";
    case hud::SettingKind::Rgba:
        return "rgba";
    case hud::SettingKind::Integer:
        return "style";
    case hud::SettingKind::Float:
        return "size";
    }
    return "";
}

std::string setting_json(const checker::SettingReport& setting) {
    const auto& row = hud::hud_setting_table[setting.row];
    std::string out = "{\"key\":" + json_string(row.key) + ",\"kind\":\"" + kind_name(row.kind) +
                      "\",\"element\":" + json_string(hud::hud_element_name(setting.row)) +
                      ",\"line\":" + std::to_string(setting.line) +
                      ",\"raw\":" + json_string(setting.raw) + ",\"parsed\":[";
    for (std::size_t i = 0; i < setting.parsed.size(); ++i)
        out += (i ? "," : "") + json_number(setting.parsed[i]);
    out += "],\"written\":[";
    for (std::size_t i = 0; i < setting.writes.size(); ++i) {
        const auto& write = setting.writes[i];
        out += i ? "," : "";
        out += !write ? "null"
                      : json_number(write->kind == hud::RecordedWrite::Kind::real
                                        ? double(write->real)
                                        : double(write->byte));
    }
    out += "],\"defaults\":[";
    if (row.kind == hud::SettingKind::Float)
        out += json_number(row.defaults.real);
    else
        for (int i = 0; i < (row.kind == hud::SettingKind::Integer ? 1 : 3); ++i)
            out += (i ? "," : "") + std::to_string(row.defaults.components[i]);
    return out + "]}";
}

// The line a finding offers to write ("write Key=value (why)" gives "Key=value").
std::string fix_of(const std::string& suggestion) {
    if (suggestion.rfind("write ", 0) != 0 || suggestion.find('=') == std::string::npos) return {};
    std::string fix = suggestion.substr(6);
    const std::size_t note = fix.find(" (");
    if (note != std::string::npos) fix.resize(note);
    if (fix.find(", or ") != std::string::npos) fix.resize(fix.find(", or "));
    return fix;
}

std::string finding_json(const checker::Finding& f, const checker::CheckReport& report) {
    const std::string fix = fix_of(f.suggestion);
    std::string key = fix.substr(0, fix.find('='));
    if (key.empty())
        for (const auto& s : report.settings)
            if (f.line && s.line == f.line) key = hud::hud_setting_table[s.row].key;
    // "\"MoneyColor\" again on line 9": a finding that names its setting first.
    if (key.empty() && f.message.size() > 1 && f.message[0] == '"') {
        const std::string named = f.message.substr(1, f.message.find('"', 1) - 1);
        for (const auto& row : hud::hud_setting_table)
            if (named == row.key) key = named;
    }
    return "{\"line\":" + std::to_string(f.line) + ",\"message\":" + json_string(f.message) +
           ",\"suggestion\":" + json_string(f.suggestion) + ",\"key\":" + json_string(key) +
           ",\"fix\":" + json_string(fix) + "}";
}

std::string_view bytes_of(const char* bytes, int size) {
    return {bytes, static_cast<std::size_t>(size > 0 ? size : 0)};
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* editor_result() {
    return result.data();
}

EMSCRIPTEN_KEEPALIVE int editor_check(const char* bytes, int size) {
    const auto report = checker::check_settings_bytes(bytes_of(bytes, size));
    std::string out = "{\"settings\":[";
    for (std::size_t i = 0; i < report.settings.size(); ++i)
        out += (i ? "," : "") + setting_json(report.settings[i]);
    out += "],\"findings\":[";
    for (std::size_t i = 0; i < report.findings.size(); ++i)
        out += (i ? "," : "") + finding_json(report.findings[i], report);
    out += "],\"svg\":" + json_string(checker::palette_svg(report)) + "}";
    return keep(std::move(out));
}

EMSCRIPTEN_KEEPALIVE int editor_set(const char* bytes, int size, const char* key,
                                    const char* value) {
    return keep(editor::set_value(bytes_of(bytes, size), key, value));
}

EMSCRIPTEN_KEEPALIVE int editor_replace_line(const char* bytes, int size, int line,
                                             const char* text) {
    return keep(editor::replace_line(bytes_of(bytes, size), line, text));
}

EMSCRIPTEN_KEEPALIVE int editor_reset_all(const char* bytes, int size) {
    return keep(editor::reset_all(bytes_of(bytes, size)));
}

EMSCRIPTEN_KEEPALIVE int editor_new_file() {
    return keep(editor::new_file());
}

} // extern "C"
