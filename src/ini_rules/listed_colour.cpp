#include "ini_rules/listed_colour.hpp"

#include "common/translatable.hpp"
#include "common/trimmed.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace checker {
namespace {

struct Token {
    double number;
    bool percent, point;
};

// "rgb(...)", "(...)", "[...]", "{...}", "\"...\"": the inside, and the wrapper's name.
std::string_view unwrapped(std::string_view value, std::string_view& form) {
    value = trimmed(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        form = tr("quotes");
        return trimmed(value.substr(1, value.size() - 2));
    }
    std::size_t name = 0;
    while (name < value.size() && std::isalpha(static_cast<unsigned char>(value[name])))
        ++name;
    constexpr std::string_view opening = "([{", closing = ")]}";
    const std::size_t kind = name < value.size() ? opening.find(value[name]) : std::string::npos;
    if (kind == std::string::npos || value.back() != closing[kind]) return value;
    form = tr("a wrapper");
    return trimmed(value.substr(name + 1, value.size() - name - 2));
}

// One number as players write them: digits, a point, a sign, a trailing "%".
std::optional<Token> token_of(std::string_view text) {
    Token token{0, false, false};
    if (!text.empty() && text.back() == '%') {
        token.percent = true;
        text.remove_suffix(1);
    }
    if (text.empty() || text.size() > 24 || !std::all_of(text.begin(), text.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+';
        }))
        return std::nullopt;
    const std::string digits{text};
    char* end = nullptr;
    token.number = std::strtod(digits.c_str(), &end);
    if (end != digits.c_str() + digits.size()) return std::nullopt;
    token.point = digits.find('.') != std::string::npos;
    return token;
}

std::string_view separator_form(char separator) {
    switch (separator) {
    case ',':
        return tr("commas");
    case ';':
        return tr("semicolons");
    case '/':
        return tr("slashes");
    default:
        return {};
    }
}

bool fraction(const Token& token) {
    return token.point && !token.percent && token.number >= 0 && token.number <= 1;
}

long long in_byte_range(double value) {
    return static_cast<long long>(std::clamp(std::floor(value + 0.5), 0.0, 255.0));
}

} // namespace

std::optional<ListedColour> listed_colour(std::string_view value, bool alpha) {
    std::string_view form;
    std::string_view inside = unwrapped(value, form);
    std::vector<Token> tokens;
    std::string separators;
    while (!inside.empty()) {
        const std::size_t end = inside.find_first_of(" \t,;/");
        const std::optional<Token> token = token_of(inside.substr(0, end));
        if (!token) return std::nullopt;
        tokens.push_back(*token);
        inside.remove_prefix(end == std::string_view::npos ? inside.size() : end);
        while (!inside.empty() && std::string_view{" \t,;/"}.find(inside.front()) != inside.npos) {
            if (inside.front() != ' ' && inside.front() != '\t') separators += inside.front();
            inside.remove_prefix(1);
        }
    }
    if (tokens.size() != 3 && tokens.size() != 4) return std::nullopt;
    // A fourth number for a key without alpha is one the plugin never reads: the colour
    // meant is the first three, as with plain numbers.
    if (!alpha && tokens.size() == 4) tokens.pop_back();
    const bool fractions = std::all_of(tokens.begin(), tokens.begin() + 3, fraction);
    const bool percent =
        std::any_of(tokens.begin(), tokens.end(), [](const Token& t) { return t.percent; });
    const bool points =
        std::any_of(tokens.begin(), tokens.end(), [](const Token& t) { return t.point; });
    ListedColour colour{form, {}};
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        const bool alpha_fraction = i == 3 && fraction(t);
        if (t.percent)
            colour.numbers.push_back(in_byte_range(t.number * 255.0 / 100.0));
        else if (fractions || alpha_fraction)
            colour.numbers.push_back(in_byte_range(t.number * 255.0));
        else
            colour.numbers.push_back(in_byte_range(t.number));
    }
    if (colour.form.empty())
        colour.form = percent               ? tr("percentages")
                      : fractions           ? tr("fractions of 1")
                      : !separators.empty() ? separator_form(separators[0])
                      : points              ? tr("decimal points")
                                            : std::string_view{};
    if (colour.form.empty()) return std::nullopt; // plain numbers: the plugin's own form
    return colour;
}

} // namespace checker
