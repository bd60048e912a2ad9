// Prints the page's module of facts (facts.js): what the page must know as the plugin and
// the checker know it, taken from their own constants and table, so the page holds no
// copy of any of them. Run by the build; its output is bundled into the page.

#include "colour/element_contrast.hpp"
#include "colour/palette_svg.hpp"
#include "colour/share_code.hpp"
#include "common/json_text.hpp"
#include "common/product_names.hpp"
#include "config/settings_file.hpp"
#include "config/settings_path.hpp"
#include "core_calls.hpp"
#include "edit/text_encoding.hpp"
#include "hud/hud_setting_table.hpp"
#include "ini_rules/size_sanity.hpp"
#include "ini_rules/template_ini.hpp"
#include "install/asi_loader.hpp"
#include "install/game_tree.hpp"
#include "report/ini_source.hpp"
#include "tessivar_version.hpp"

#include <cstdio>
#include <string>

namespace {

using checker::json_string;

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

const char* role_name(hud::Role role) {
    switch (role) {
    case hud::Role::box:
        return "box";
    case hud::Role::text:
        return "text";
    case hud::Role::icon:
        return "icon";
    case hud::Role::bar:
        return "bar";
    case hud::Role::style:
        return "style";
    case hud::Role::size:
        return "size";
    }
    return "";
}

std::string setting_facts(std::size_t row) {
    const auto& setting = hud::hud_setting_table[row];
    std::string defaults;
    if (setting.kind == hud::SettingKind::Float) {
        char text[32];
        std::snprintf(text, sizeof text, "%.9g", static_cast<double>(setting.defaults.real));
        defaults = text;
    } else {
        const int count = setting.kind == hud::SettingKind::Integer ? 1 : 3;
        for (int i = 0; i < count; ++i)
            defaults += (i ? "," : "") + std::to_string(setting.defaults.components[i]);
    }
    const auto under = hud::hud_drawn_on(row);
    return std::string{"  {key: "} + json_string(setting.key) + ", kind: \"" +
           kind_name(setting.kind) + "\", element: " + json_string(hud::hud_element_name(row)) +
           ", role: \"" + role_name(hud::hud_role(row)) +
           "\", drawnOn: " + (under ? json_string(hud::hud_setting_table[*under].key) : "null") +
           ", defaults: [" + defaults + "], default: " + json_string(checker::default_text(row)) +
           "},\n";
}

} // namespace

int main() {
    std::string out =
        "// Made by the build (page_facts.cpp) from the plugin's and the checker's own "
        "constants and table.\n";
    const auto constant = [&](const char* name, const std::string& value) {
        out += std::string{"export const "} + name + " = " + value + ";\n";
    };
    constant("version", json_string(tessivar::version));
    constant("settingsFileName", json_string(config::settings_file_name));
    // The plugin reads this many pieces (lines, a long one per 255 bytes) and no more.
    constant("lineBound", std::to_string(config::pass_piece_limit));
    constant("pieceBytes", std::to_string(config::line_buffer_size - 1));
    constant("largestIni", std::to_string(checker::largest_ini()));
    constant("largestUsualSize", std::to_string(static_cast<int>(checker::largest_usual_size)));
    constant("leastContrast", std::to_string(checker::least_contrast));
    constant("pictureWidth", std::to_string(checker::picture_width));
    constant("pictureHeight", std::to_string(checker::picture_height));
    constant("allFixes", std::to_string(editor::all_fixes));
    constant("fixesOfErrors", std::to_string(editor::fixes_of_errors));
    // How far the checker walks a game folder, and what of a file it may read.
    constant("deepestFolder", std::to_string(checker::WalkBounds{}.deepest_folder));
    constant("mostEntries", std::to_string(checker::WalkBounds{}.most_entries));
    constant("loaderScanLimit", std::to_string(checker::loader_scan_limit));
    constant("backupFolderName", json_string(checker::backup_folder_name));
    constant("shareCodeTag", json_string(checker::share_code_tag));
    constant("shareCodeLength", std::to_string(checker::share_code_length));
    // The encodings the core tells apart, in the order of its numbers for them.
    std::string encodings = "[";
    for (const auto encoding : {checker::Encoding::eight_bit, checker::Encoding::utf8_with_mark,
                                checker::Encoding::utf16_le, checker::Encoding::utf16_be})
        encodings +=
            (encodings.size() > 1 ? ", " : "") + json_string(editor::encoding_name(encoding));
    constant("encodingNames", encodings + "]");
    out += "export const settings = [\n";
    for (std::size_t row = 0; row < hud::hud_setting_table.size(); ++row)
        out += setting_facts(row);
    out += "];\n";
    std::fputs(out.c_str(), stdout);
    return 0;
}
