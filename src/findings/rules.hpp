#pragma once
// The registry of the checker's rules: one entry for everything it can find in an ini
// or an install, each with its stable code, its usual severity and the English texts its
// sentences are made from ("{name}" stands for an argument of the finding). Codes are
// never reused once published; docs/checker-findings.md documents each.

#include "common/translatable.hpp"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace checker {

enum class Rule : std::uint8_t {
    // The ini as a file.
    reads_as_written,
    utf16_file,
    empty_file,
    mark_spoils_key,
    mark_at_start,
    ctrl_z,
    carriage_returns_only,
    lone_carriage_return,
    long_line,
    lines_beyond_bound,
    settings_beyond_bound,
    file_too_large,
    file_unreadable,
    file_missing,
    file_is_folder,
    // Its lines and keys.
    section_header,
    no_equals,
    unknown_key,
    misspelt_key,
    misspelt_key_set,
    repeated_key,
    // Its values.
    foreign_colour_form,
    foreign_colour_form_same,
    extra_numbers,
    extra_numbers_alpha,
    missing_numbers,
    empty_colour,
    text_after_numbers,
    decimal_comma,
    not_a_number,
    empty_number,
    unusual_size,
    text_after_number,
    outside_byte_range,
    // The install: the game.
    colours_apply,
    no_game_executable,
    unsupported_build,
    no_game_among,
    no_known_build_among,
    game_build,
    companion_program,
    unknown_executable,
    game_elsewhere,
    game_may_move,
    call_site_replaced,
    game_path_too_long,
    // The ASI loader.
    proxy_not_a_library,
    loader_64_bit,
    vorbis_original_missing,
    several_loaders,
    loader_loads_no_plugins,
    no_loader,
    not_a_loader,
    active_loader,
    active_loader_scripts_only,
    // The plugin's copies.
    plugin_named_dll,
    plugin_named_txt,
    plugin_not_a_library,
    plugin_in_game_folder,
    plugin_too_deep,
    plugin_in_mod_manager,
    plugin_elsewhere,
    several_copies_loaded,
    no_plugin,
    plugin_loaded,
    // The ini, as the plugin finds it.
    path_code_page,
    ini_path_too_long,
    ini_is_folder,
    stray_elsewhere,
    stray_not_named,
    stray_beside,
    stray_shadowed,
    stray_would_win,
    no_ini,
    walk_cut_short,
    ini_read,
    ini_ignored,
    game_folder_missing,
    count,
};

inline constexpr std::size_t rule_count = static_cast<std::size_t>(Rule::count);

enum class Severity {
    error,   // the plugin will not apply what the player meant
    warning, // it applies, but not all as the player thinks
    info,    // what is so
};

struct RuleText {
    Rule rule;
    std::string_view code; // "INI030", "INSTALL-003"
    Severity severity;     // the usual one; a finding may weigh otherwise where documented
    std::string_view message, plural_message; // the plural form, when a count decides
    std::array<std::string_view, 4> advice;   // what to do; a finding picks one
};

const RuleText& rule_text(Rule rule);
std::span<const RuleText> all_rules();

// Whether a code is well formed: upper-case letters and digits, at most one dash or dot,
// starting with a letter and ending with a digit, at most 16 characters.
constexpr bool well_formed_code(std::string_view code) {
    const auto upper = [](char c) { return c >= 'A' && c <= 'Z'; };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (code.empty() || code.size() > 16 || !upper(code.front()) || !digit(code.back()))
        return false;
    int separators = 0;
    for (const char c : code) {
        if (c == '-' || c == '.')
            ++separators;
        else if (!upper(c) && !digit(c))
            return false;
    }
    return separators <= 1;
}

} // namespace checker
