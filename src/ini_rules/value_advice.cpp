#include "ini_rules/value_advice.hpp"

#include "common/translatable.hpp"
#include "ini_rules/listed_colour.hpp"

#include "common/lower_case.hpp"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace checker {
namespace {

struct NamedColour {
    std::string_view name;
    int red, green, blue;
};

// The basic CSS and X11 names, and a few that players use as often.
constexpr std::array<NamedColour, 24> named_colours{{
    {"black", 0, 0, 0},       {"white", 255, 255, 255}, {"red", 255, 0, 0},
    {"lime", 0, 255, 0},      {"green", 0, 128, 0},     {"blue", 0, 0, 255},
    {"yellow", 255, 255, 0},  {"cyan", 0, 255, 255},    {"aqua", 0, 255, 255},
    {"magenta", 255, 0, 255}, {"fuchsia", 255, 0, 255}, {"silver", 192, 192, 192},
    {"gray", 128, 128, 128},  {"grey", 128, 128, 128},  {"maroon", 128, 0, 0},
    {"olive", 128, 128, 0},   {"purple", 128, 0, 128},  {"teal", 0, 128, 128},
    {"navy", 0, 0, 128},      {"orange", 255, 165, 0},  {"pink", 255, 192, 203},
    {"brown", 165, 42, 42},   {"gold", 255, 215, 0},    {"violet", 238, 130, 238},
}};

bool is_hex(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

std::optional<MeantColour> hex_colour(std::string_view value, bool alpha) {
    std::string_view digits = value;
    bool prefixed = false;
    if (digits.substr(0, 1) == "#") {
        digits.remove_prefix(1);
        prefixed = true;
    } else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        prefixed = true;
    }
    for (const char c : digits)
        if (!is_hex(c)) return std::nullopt;
    bool letters = false;
    for (const char c : digits)
        letters = letters || std::isalpha(static_cast<unsigned char>(c));
    if (!prefixed && !letters) return std::nullopt; // plain digits are decimal numbers
    const std::size_t size = digits.size();
    const bool short_form = prefixed && (size == 3 || (alpha && size == 4));
    if (!short_form && size != 6 && !(alpha && size == 8)) return std::nullopt;
    MeantColour meant{tr("hex"), {}};
    const std::size_t width = short_form ? 1 : 2;
    for (std::size_t at = 0; at < size; at += width) {
        long long n = std::strtol(std::string{digits.substr(at, width)}.c_str(), nullptr, 16);
        meant.numbers.push_back(short_form ? n * 17 : n);
    }
    return meant;
}

std::optional<MeantColour> named_colour(std::string_view value) {
    const std::string name = lower_case(value);
    for (const auto& colour : named_colours)
        if (colour.name == name)
            return MeantColour{tr("the colour name"), {colour.red, colour.green, colour.blue}};
    return std::nullopt;
}

} // namespace

std::optional<MeantColour> meant_colour(std::string_view value, bool alpha) {
    if (auto hex = hex_colour(value, alpha)) return hex;
    if (auto named = named_colour(value)) return named;
    if (auto listed = listed_colour(value, alpha))
        return MeantColour{listed->form, listed->numbers};
    return std::nullopt;
}

std::string numbers_text(const std::vector<long long>& numbers) {
    std::string text;
    for (const long long n : numbers) {
        if (!text.empty()) text += ' ';
        text += std::to_string(n);
    }
    return text;
}

} // namespace checker
