#include "install/loader_settings.hpp"

#include "install/game_tree.hpp"

#include <cstdint>

namespace checker {
namespace {

// The text of a settings file as the profile functions take it: UTF-8 without its mark,
// or UTF-16 by its mark (characters past ASCII as one that is no blank and no letter).
std::string profile_text(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return std::string{bytes.substr(3)};
    const bool little = bytes.substr(0, 2) == "\xFF\xFE", big = bytes.substr(0, 2) == "\xFE\xFF";
    if (!little && !big) return std::string{bytes};
    std::string text;
    for (std::size_t at = 2; at + 1 < bytes.size(); at += 2) {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        const unsigned unit = little ? first | second << 8 : first << 8 | second;
        text += unit < 0x80 ? static_cast<char>(unit) : '\x7F';
    }
    return text;
}

// Blanks as the profile functions trim them: white space, and Ctrl-Z.
bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A number as GetPrivateProfileInt reads it: a sign, then "0x" and hex digits or decimal
// digits, up to the first other character, wrapping at 32 bits.
long profile_number(std::string_view value) {
    bool negative = false;
    if (!value.empty() && (value.front() == '-' || value.front() == '+')) {
        negative = value.front() == '-';
        value.remove_prefix(1);
    }
    std::uint32_t number = 0;
    if (value.substr(0, 2) == "0x") {
        for (const char c : value.substr(2)) {
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) break;
            number = number * 16 + static_cast<std::uint32_t>(digit);
        }
    } else {
        for (const char c : value) {
            if (c < '0' || c > '9') break;
            number = number * 10 + static_cast<std::uint32_t>(c - '0');
        }
    }
    if (negative) number = 0u - number;
    return static_cast<std::int32_t>(number);
}

} // namespace

std::optional<long> profile_int(std::string_view bytes, std::string_view section,
                                std::string_view key) {
    const std::string text = profile_text(bytes);
    std::string_view rest{text};
    int sections_seen = 0; // of this name: only the first one counts
    bool in_section = false;
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\r\n");
        const std::string_view line = trim(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            // The name ends at the line's last "]"; a header without one is no header, and
            // the lines after it stay where they are.
            const std::size_t close = line.rfind(']');
            if (close == std::string_view::npos) continue;
            in_section =
                same_name(trim(line.substr(1, close - 1)), section) && sections_seen++ == 0;
            continue;
        }
        if (!in_section) continue;
        const std::size_t equals = line.find('=');
        if (!same_name(trim(line.substr(0, equals)), key)) continue;
        // The first line of the key decides; without a value, the caller's default.
        if (equals == std::string_view::npos) return std::nullopt;
        const std::string_view value = trim(line.substr(equals + 1));
        if (value.empty()) return std::nullopt;
        return profile_number(value);
    }
    return std::nullopt;
}

std::vector<std::string> loader_settings_files(std::string_view proxy) {
    const std::string stem{proxy.substr(0, proxy.rfind('.'))};
    return {stem + ".ini", "global.ini", "scripts\\global.ini", "plugins\\global.ini"};
}

void apply_loader_settings(std::string_view bytes, const std::string& file,
                           LoaderSettings& settings) {
    if (const auto load = profile_int(bytes, "GlobalSets", "LoadPlugins"))
        settings.load_plugins = {*load != 0, file};
    if (const auto only = profile_int(bytes, "GlobalSets", "LoadFromScriptsOnly"))
        settings.scripts_only = {*only != 0, file};
}

} // namespace checker
