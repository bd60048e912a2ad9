// The editor page's way to the palettes, colour codes, contrast and colour-vision
// views: all worked out by the checker's own code, so the page parses nothing.

#include "apply_settings.hpp"
#include "colour_vision.hpp"
#include "element_contrast.hpp"
#include "hud/hud_setting_table.hpp"
#include "json_text.hpp"
#include "palettes.hpp"
#include "share_code.hpp"

#include <emscripten.h>

#include <cstdio>
#include <string>

namespace {

using editor::json_string;

std::string kept;

int keep(std::string text) {
    kept = std::move(text);
    return static_cast<int>(kept.size());
}

std::string_view bytes_of(const char* bytes, int size) {
    return {bytes, static_cast<std::size_t>(size > 0 ? size : 0)};
}

checker::WrittenSettings written_of(std::string_view bytes) {
    return checker::written_settings(checker::check_settings_bytes(bytes));
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* editor_view_result() {
    return kept.data();
}

// [{"file":..,"name":..,"purpose":..}, ...]
EMSCRIPTEN_KEEPALIVE int editor_palettes() {
    std::string out = "[";
    for (const auto& palette : checker::palette_files()) {
        const auto title = checker::palette_title(palette.bytes);
        out += (out.size() > 1 ? "," : "") + std::string{"{\"file\":"} +
               json_string(palette.file_name) + ",\"name\":" + json_string(title.name) +
               ",\"purpose\":" + json_string(title.purpose) + "}";
    }
    return keep(out + "]");
}

EMSCRIPTEN_KEEPALIVE int editor_apply_palette(const char* bytes, int size, int index) {
    const auto palettes = checker::palette_files();
    const std::string_view file = bytes_of(bytes, size);
    if (index < 0 || static_cast<std::size_t>(index) >= palettes.size())
        return keep(std::string{file});
    return keep(editor::apply_settings(file, written_of(palettes[index].bytes)));
}

EMSCRIPTEN_KEEPALIVE int editor_code(const char* bytes, int size) {
    return keep(checker::share_code(written_of(bytes_of(bytes, size))));
}

// The file with the code applied; or, for a code that cannot be read, minus one minus
// the length of the reason, which is then the result.
EMSCRIPTEN_KEEPALIVE int editor_paste_code(const char* bytes, int size, const char* code) {
    const auto reading = checker::read_share_code(code);
    if (!reading.settings) return -1 - keep(reading.problem);
    return keep(editor::apply_settings(bytes_of(bytes, size), *reading.settings));
}

// `backdrops`: per table row red, green, blue and 1 when the page measured what lies
// under that element (else 0). [{"key":..,"element":..,"ratio":..,"fix":..}, ...]
EMSCRIPTEN_KEEPALIVE int editor_contrast(const char* bytes, int size,
                                         const unsigned char* backdrops) {
    checker::Backdrops given;
    for (std::size_t row = 0; row < given.size(); ++row) {
        const unsigned char* b = backdrops + 4 * row;
        if (b[3]) given[row] = checker::Colour{b[0], b[1], b[2]};
    }
    std::string out = "[";
    for (const auto& c :
         checker::element_contrasts(checker::check_settings_bytes(bytes_of(bytes, size)), given)) {
        char ratio[32];
        std::snprintf(ratio, sizeof ratio, "%.2f", c.ratio);
        out += (out.size() > 1 ? "," : "") + std::string{"{\"key\":"} +
               json_string(hud::hud_setting_table[c.row].key) +
               ",\"element\":" + json_string(hud::hud_element_name(c.row)) + ",\"ratio\":" + ratio +
               ",\"fix\":" + json_string(c.fix) + "}";
    }
    return keep(out + "]");
}

// {"protanopia":[9 numbers], ...}: for the page's colour-matrix filters.
EMSCRIPTEN_KEEPALIVE int editor_vision_matrices() {
    std::string out = "{";
    for (const auto vision : checker::colour_visions) {
        out += (out.size() > 1 ? ",\"" : "\"") + std::string{checker::vision_name(vision)} + "\":[";
        const auto m = checker::vision_matrix(vision);
        for (std::size_t i = 0; i < m.size(); ++i) {
            char number[32];
            std::snprintf(number, sizeof number, "%s%.6f", i ? "," : "", m[i]);
            out += number;
        }
        out += "]";
    }
    return keep(out + "}");
}

} // extern "C"
