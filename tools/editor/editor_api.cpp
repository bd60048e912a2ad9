// The editor page's way into the plugin's own code: the checker's report (which is the
// plugin's reader, accessors, table and pass) as JSON with a verified fix per finding,
// the picture the checker draws, and the edits of the file. Compiled to WebAssembly;
// the page only presents. The page hands every file over in memory it allocated on the
// heap (malloc), never on the stack, so no file is too big for the core's own data.

#include "colour/palette_svg.hpp"
#include "core_result.hpp"
#include "edit/finding_fix.hpp"
#include "edit/ini_edit.hpp"
#include "edit/text_encoding.hpp"
#include "hud/hud_setting_table.hpp"
#include "ini_rules/ini_check.hpp"
#include "ini_rules/template_ini.hpp"
#include "json_text.hpp"

#include <emscripten.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

using editor::json_string;
using editor::kept_result;

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

std::string setting_json(const checker::SettingReport& s) {
    const auto& row = hud::hud_setting_table[s.row];
    std::string out = "{\"key\":" + json_string(row.key) + ",\"kind\":\"" + kind_name(row.kind) +
                      "\",\"element\":" + json_string(hud::hud_element_name(s.row)) +
                      ",\"line\":" + std::to_string(s.line) + ",\"raw\":" + json_string(s.raw) +
                      ",\"parsed\":[";
    for (std::size_t i = 0; i < s.parsed.size(); ++i)
        out += (i ? "," : "") + json_number(s.parsed[i]);
    out += "],\"written\":[";
    for (std::size_t i = 0; i < s.writes.size(); ++i) {
        const auto& w = s.writes[i];
        out += i ? "," : "";
        out += !w ? "null"
                  : json_number(w->kind == hud::RecordedWrite::Kind::real ? double(w->real)
                                                                          : double(w->byte));
    }
    out += "],\"defaults\":[";
    if (row.kind == hud::SettingKind::Float)
        out += json_number(row.defaults.real);
    else
        for (int i = 0; i < (row.kind == hud::SettingKind::Integer ? 1 : 3); ++i)
            out += (i ? "," : "") + std::to_string(row.defaults.components[i]);
    return out + "],\"default\":" + json_string(checker::default_text(s.row)) + "}";
}

// The setting a finding is about, if any: the one its line or its words name.
std::string key_of(const checker::Finding& f, const checker::CheckReport& report) {
    const std::string offered = editor::offered_line(f.suggestion);
    std::string key = offered.substr(0, offered.find('='));
    if (key.empty())
        for (const auto& s : report.settings)
            if (f.line && s.line == f.line) key = hud::hud_setting_table[s.row].key;
    // "\"MoneyColor\" again on line 9": a finding that names its setting first.
    if (key.empty() && f.message.size() > 1 && f.message[0] == '"') {
        const std::string named = f.message.substr(1, f.message.find('"', 1) - 1);
        for (const auto& row : hud::hud_setting_table)
            if (named == row.key) key = named;
    }
    return key;
}

std::string fix_json(const std::optional<editor::FindingFix>& fix) {
    if (!fix) return "null";
    return "{\"label\":" + json_string(fix->label) + ",\"at\":" + std::to_string(fix->splice.at) +
           ",\"removed\":" + std::to_string(fix->splice.removed) +
           ",\"text\":" + json_string(fix->splice.text) + "}";
}

std::string finding_json(const checker::Finding& f, const checker::CheckReport& report,
                         const std::optional<editor::FindingFix>& fix) {
    return "{\"line\":" + std::to_string(f.line) + ",\"message\":" + json_string(f.message) +
           ",\"suggestion\":" + json_string(f.suggestion) +
           ",\"key\":" + json_string(key_of(f, report)) + ",\"fix\":" + fix_json(fix) + "}";
}

// Work for the fixes of one report: a few passes of the checker over a file of
// megabytes, any number over a player's usual file.
constexpr std::size_t fix_budget = 24u << 20;
// A file of thousands of mistakes lists the first ones; the count says how many more.
constexpr std::size_t findings_listed = 500;

std::string_view bytes_of(const char* bytes, int size) {
    return {bytes, static_cast<std::size_t>(size > 0 ? size : 0)};
}

// The report; a preview (a picker being dragged) goes without the fixes' extra passes.
std::string check_json(std::string_view bytes, bool with_fixes) {
    auto report = checker::check_settings_bytes(bytes);
    const std::size_t total = report.findings.size();
    const auto fixes = editor::finding_fixes(bytes, report, with_fixes ? fix_budget : 0);
    std::string out = "{\"settings\":[";
    for (std::size_t i = 0; i < report.settings.size(); ++i)
        out += (i ? "," : "") + setting_json(report.settings[i]);
    out += "],\"findings\":[";
    for (std::size_t i = 0; i < total && i < findings_listed; ++i)
        out += (i ? "," : "") + finding_json(report.findings[i], report, fixes[i]);
    out += "],\"findingCount\":" + std::to_string(total) +
           ",\"svg\":" + json_string(checker::palette_svg(report)) + "}";
    return out;
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* editor_result() {
    return editor::core_result().data();
}

EMSCRIPTEN_KEEPALIVE int editor_check(const char* bytes, int size) {
    return kept_result([&] { return check_json(bytes_of(bytes, size), true); });
}

EMSCRIPTEN_KEEPALIVE int editor_preview(const char* bytes, int size) {
    return kept_result([&] { return check_json(bytes_of(bytes, size), false); });
}

EMSCRIPTEN_KEEPALIVE int editor_set(const char* bytes, int size, const char* key,
                                    const char* value) {
    return kept_result([&] { return editor::set_value(bytes_of(bytes, size), key, value); });
}

EMSCRIPTEN_KEEPALIVE int editor_reset_all(const char* bytes, int size) {
    return kept_result([&] { return editor::reset_all(bytes_of(bytes, size)); });
}

EMSCRIPTEN_KEEPALIVE int editor_new_file() {
    return kept_result([] { return editor::new_file(); });
}

EMSCRIPTEN_KEEPALIVE int editor_encoding(const char* bytes, int size) {
    return static_cast<int>(editor::encoding_of(bytes_of(bytes, size)));
}

EMSCRIPTEN_KEEPALIVE int editor_readable(const char* bytes, int size) {
    return kept_result([&] { return editor::plugin_readable(bytes_of(bytes, size)); });
}

} // extern "C"
