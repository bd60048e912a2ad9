// The editor page's way to the palettes, colour codes, contrast and colour-vision
// views: all worked out by the checker's own code, so the page parses nothing. Answers
// go to the one result the page reads (editor_result).

#include "colour/colour_vision.hpp"
#include "colour/element_contrast.hpp"
#include "colour/palettes.hpp"
#include "colour/share_code.hpp"
#include "common/json_text.hpp"
#include "core_calls.hpp"
#include "core_result.hpp"
#include "edit/apply_written.hpp"
#include "hud/hud_setting_table.hpp"

#include <emscripten.h>

#include <cstdio>
#include <string>

namespace {

using checker::json_string;
using editor::kept_result;

std::string_view bytes_of(const char* bytes, int size) {
    return {bytes, static_cast<std::size_t>(size > 0 ? size : 0)};
}

checker::WrittenSettings written_of(std::string_view bytes) {
    return checker::written_settings(checker::check_settings_bytes(bytes));
}

std::string palettes_json() {
    std::string out = "[";
    for (const auto& palette : checker::palette_files()) {
        const auto title = checker::palette_title(palette.bytes);
        out += (out.size() > 1 ? "," : "") + std::string{"{\"file\":"} +
               json_string(palette.file_name) + ",\"name\":" + json_string(title.name) +
               ",\"purpose\":" + json_string(title.purpose) + "}";
    }
    return out + "]";
}

std::string contrast_json(std::string_view file, const unsigned char* backdrops,
                          const checker::Catalogue& language) {
    checker::Backdrops given;
    for (std::size_t row = 0; row < given.size(); ++row) {
        const unsigned char* b = backdrops + 4 * row;
        if (b[3]) given[row] = checker::Colour{b[0], b[1], b[2]};
    }
    std::string out = "[";
    for (const auto& c : checker::element_contrasts(checker::check_settings_bytes(file), given)) {
        char ratio[32];
        std::snprintf(ratio, sizeof ratio, "%.3f", c.ratio);
        out += (out.size() > 1 ? "," : "") + std::string{"{\"key\":"} +
               json_string(hud::hud_setting_table[c.row].key) +
               ",\"element\":" + json_string(language.text(hud::hud_element_name(c.row))) +
               ",\"ratio\":" + ratio + ",\"fix\":" + json_string(c.fix) + "}";
    }
    return out + "]";
}

std::string vision_json() {
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
    return out + "}";
}

} // namespace

extern "C" {

// [{"file":..,"name":..,"purpose":..}, ...], in file-name order.
EMSCRIPTEN_KEEPALIVE int editor_palettes() {
    return kept_result(palettes_json);
}

// The file with the palette of that file name applied; unchanged for another name.
EMSCRIPTEN_KEEPALIVE int editor_apply_palette(const char* bytes, int size, const char* name) {
    return kept_result([&] {
        const std::string_view file = bytes_of(bytes, size);
        for (const auto& palette : checker::palette_files())
            if (palette.file_name == name)
                return editor::apply_written(file, written_of(palette.bytes));
        return std::string{file};
    });
}

EMSCRIPTEN_KEEPALIVE int editor_code(const char* bytes, int size) {
    return kept_result([&] { return checker::share_code(written_of(bytes_of(bytes, size))); });
}

// The file with the code applied; for a code that cannot be read, -1 with the reason as
// the result (as for any call that fails), and nothing changes.
EMSCRIPTEN_KEEPALIVE int editor_paste_code(const char* bytes, int size, const char* code,
                                           const char* language) {
    const auto reading = checker::read_share_code(code, editor::language_of(language));
    if (!reading.settings) {
        editor::keep_result(reading.problem);
        return -1;
    }
    return kept_result(
        [&] { return editor::apply_written(bytes_of(bytes, size), *reading.settings); });
}

// `backdrops`: per table row red, green, blue and 1 when the page measured what lies
// under that element (else 0). [{"key":..,"element":..,"ratio":..,"fix":..}, ...]
EMSCRIPTEN_KEEPALIVE int editor_contrast(const char* bytes, int size,
                                         const unsigned char* backdrops, const char* language) {
    return kept_result([&] {
        return contrast_json(bytes_of(bytes, size), backdrops, editor::language_of(language));
    });
}

// {"protanopia":[9 numbers], ...}: for the page's colour-matrix filters.
EMSCRIPTEN_KEEPALIVE int editor_vision_matrices() {
    return kept_result(vision_json);
}

} // extern "C"
