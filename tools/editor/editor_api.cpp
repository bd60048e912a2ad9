// The editor page's way into the plugin's own code: the checker's report of the open file
// (the same document as the checker's --format=json, built by the same code), the
// picture the checker draws, and the edits of the file, fixes included. Compiled to
// WebAssembly; the page only presents. The page hands every file over in memory it
// allocated on the heap (malloc), never on the stack, so no file is too big for the
// core's own data.

#include "colour/palette_svg.hpp"
#include "common/json_text.hpp"
#include "core_calls.hpp"
#include "core_result.hpp"
#include "edit/apply_fixes.hpp"
#include "edit/ini_edit.hpp"
#include "edit/text_encoding.hpp"
#include "findings/catalogue.hpp"
#include "findings/catalogues.hpp"
#include "hud/hud_setting_table.hpp"
#include "report/report_json.hpp"
#include "tessivar_version.hpp"

#include <emscripten.h>

#include <string>
#include <vector>

namespace {

using checker::json_string;
using editor::kept_result;

// A file of thousands of mistakes lists the first ones; the count says how many more.
constexpr std::size_t findings_listed = 500;

std::string_view bytes_of(const char* bytes, int size) {
    return {bytes, static_cast<std::size_t>(size > 0 ? size : 0)};
}

checker::Report report_of(std::string_view bytes, const char* name) {
    return checker::file_report(name, {std::string{bytes}, std::nullopt});
}

// The report in the page's language, with what the page shows beside it: each setting's
// text as the plugin stores it, the HUD elements' names and the picture.
std::string check_json(std::string_view bytes, const char* name, const char* language_code) {
    const checker::Catalogue& language = editor::language_of(language_code);
    const checker::Report report = report_of(bytes, name);
    std::string raw = "[", elements = "[";
    for (const auto& setting : report.ini.settings) {
        raw += (raw.size() > 1 ? "," : "") + json_string(setting.raw);
        elements += (elements.size() > 1 ? "," : "") +
                    json_string(language.text(hud::hud_element_name(setting.row)));
    }
    return "{\"report\":" +
           checker::report_json(report, language, tessivar::version, findings_listed) +
           ",\"raw\":" + raw + "],\"elements\":" + elements +
           "],\"svg\":" + json_string(checker::palette_svg(report.ini, language)) + "}";
}

std::string fixed(std::string_view bytes, const char* name, int which) {
    const checker::Report report = report_of(bytes, name);
    std::vector<checker::Fix> fixes;
    for (std::size_t i = 0; i < report.findings.size(); ++i) {
        const checker::Finding& finding = report.findings[i];
        const bool chosen =
            which == editor::all_fixes ||
            (which == editor::fixes_of_errors && finding.severity == checker::Severity::error) ||
            static_cast<std::size_t>(which) == i;
        if (chosen && finding.fix) fixes.push_back(*finding.fix);
    }
    return editor::apply_fixes(bytes, fixes);
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* editor_result() {
    return editor::core_result().data();
}

EMSCRIPTEN_KEEPALIVE int editor_check(const char* bytes, int size, const char* name,
                                      const char* language) {
    return kept_result([&] { return check_json(bytes_of(bytes, size), name, language); });
}

EMSCRIPTEN_KEEPALIVE int editor_fix(const char* bytes, int size, const char* name, int which) {
    return kept_result([&] { return fixed(bytes_of(bytes, size), name, which); });
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
