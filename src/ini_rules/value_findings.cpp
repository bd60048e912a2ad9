#include "ini_rules/value_findings.hpp"

#include "common/trimmed.hpp"
#include "config/settings_file.hpp"
#include "ini_rules/size_sanity.hpp"
#include "ini_rules/template_ini.hpp"
#include "ini_rules/value_advice.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace checker {
namespace {

// How many decimal integers the plugin's "%d %d ..." pattern reads, and what follows.
struct IntegerFields {
    int count = 0;
    std::string_view rest;
};

IntegerFields read_integer_fields(const std::string& value, int most) {
    std::int32_t numbers[8] = {};
    const char* end = value.c_str();
    IntegerFields fields;
    fields.count = config::scan_integers(value.c_str(), numbers, most, &end);
    fields.rest = trimmed(end);
    return fields;
}

std::string default_value(const hud::HudSetting& row) {
    return default_text(static_cast<std::size_t>(&row - hud::hud_setting_table.data()));
}

// "0 0 0 (black)": what the plugin gets, in its words.
Args plugin_gets(const std::vector<double>& parsed, bool alpha) {
    std::vector<long long> colour = whole(parsed);
    if (alpha && colour.size() == 4 && colour[3] == 255) colour.pop_back();
    const bool black = colour.size() == 3 && colour[0] == 0 && colour[1] == 0 && colour[2] == 0;
    return {text_arg("numbers", numbers_text(colour)),
            term_arg("gets", black ? tr("{numbers} (black)") : tr("{numbers}"))};
}

// A line to paste holds only what the plugin writes: each component within 0..255.
std::vector<long long> in_byte_range(std::vector<long long> numbers) {
    for (long long& n : numbers)
        n = std::clamp(n, 0LL, 255LL);
    return numbers;
}

std::string_view alpha_effect(long long alpha) {
    if (alpha < 64) return tr(" (alpha {alpha} makes it nearly invisible)");
    if (alpha < 192) return tr(" (alpha {alpha} makes it see-through)");
    return {};
}

Args with(Args args, Args more) {
    for (Arg& arg : more)
        args.push_back(std::move(arg));
    return args;
}

void check_colour(const hud::HudSetting& row, const std::string& value, int line,
                  const std::vector<double>& parsed, Findings& findings) {
    const bool alpha = row.kind == hud::SettingKind::Rgba;
    const Args key{text_arg("key", row.key), text_arg("value", value)};
    if (const auto meant = meant_colour(value, alpha)) {
        const std::string written = numbers_text(meant->numbers);
        const bool same = written == numbers_text(whole(parsed)) ||
                          (alpha && written + " 255" == numbers_text(whole(parsed)));
        findings.push_back(setting_finding(
            same ? Rule::foreign_colour_form_same : Rule::foreign_colour_form, row, line, written,
            with(key, with(plugin_gets(parsed, alpha),
                           {term_arg("form", meant->form), text_arg("meant", written)}))));
        return;
    }
    const IntegerFields fields = read_integer_fields(value, 8);
    const int room = alpha ? 4 : 3;
    const auto numbers = in_byte_range(whole(parsed));
    if (fields.count > room) {
        const std::vector<long long> used(numbers.begin(), numbers.begin() + 3);
        Args args =
            with(key, {number_arg("count", fields.count), text_arg("used", numbers_text(used))});
        if (!alpha) {
            findings.push_back(
                setting_finding(Rule::extra_numbers, row, line, numbers_text(used), args));
            return;
        }
        args.push_back(number_arg("alpha", numbers[3]));
        args.push_back(term_arg("effect", alpha_effect(numbers[3])));
        args.push_back(text_arg("solid", std::string{row.key} + "=" + numbers_text(used)));
        findings.push_back(
            setting_finding(Rule::extra_numbers_alpha, row, line, numbers_text(numbers), args));
    } else if (fields.count < 3) {
        const auto& defaults = row.defaults.components;
        std::vector<long long> completed = in_byte_range(whole(parsed));
        completed.resize(3);
        for (int i = fields.count; i < 3; ++i)
            completed[i] = defaults[i];
        Args args = with(key, plugin_gets(parsed, alpha));
        args.push_back(number_arg("count", fields.count));
        findings.push_back(
            setting_finding(value.empty() ? Rule::empty_colour : Rule::missing_numbers, row, line,
                            numbers_text(completed), args));
    } else if (!fields.rest.empty()) {
        findings.push_back(
            setting_finding(Rule::text_after_numbers, row, line, numbers_text(numbers),
                            with(key, {text_arg("rest", std::string{fields.rest})})));
    }
}

void check_number(const hud::HudSetting& row, const std::string& value, int line,
                  Findings& findings) {
    const bool integer = row.kind == hud::SettingKind::Integer;
    const Args key{text_arg("key", row.key), text_arg("value", value)};
    const char* end = value.c_str();
    if (integer) {
        std::int32_t number = 0;
        config::scan_integers(value.c_str(), &number, 1, &end);
    } else {
        char* number_end = nullptr;
        std::strtod(value.c_str(), &number_end);
        end = number_end;
    }
    const std::string number(value.c_str(), end);
    const std::string_view rest = trimmed(end);
    // "0,6": a decimal comma, which ends the number.
    if (*end == ',' && std::isdigit(static_cast<unsigned char>(end[1]))) {
        const std::string reads = number.empty() ? "0" : std::string{trimmed(number)};
        const char* decimals = end + 1;
        while (std::isdigit(static_cast<unsigned char>(*decimals)))
            ++decimals;
        const std::string fixed = reads + "." + std::string(end + 1, decimals);
        findings.push_back(setting_finding(Rule::decimal_comma, row, line, integer ? reads : fixed,
                                           with(key, {text_arg("reads", reads)})));
        return;
    }
    if (end == value.c_str()) {
        findings.push_back(setting_finding(value.empty() ? Rule::empty_number : Rule::not_a_number,
                                           row, line, default_value(row), key));
        return;
    }
    if (const auto unusual =
            integer ? std::nullopt
                    : unusual_size(static_cast<float>(std::strtod(value.c_str(), nullptr)))) {
        findings.push_back(setting_finding(
            Rule::unusual_size, row, line, default_value(row),
            with(key, {term_arg("size", unusual->term), text_arg("number", unusual->number)})));
        return;
    }
    if (!rest.empty())
        findings.push_back(setting_finding(Rule::text_after_number, row, line,
                                           std::string{trimmed(number)},
                                           with(key, {text_arg("rest", std::string{rest})})));
}

} // namespace

Finding setting_finding(Rule rule, const hud::HudSetting& row, int line, const std::string& value,
                        Args args) {
    const std::string entry = std::string{row.key} + "=" + value;
    args.push_back(text_arg("line", entry));
    Finding finding = make_finding(rule, line, std::move(args));
    finding.key = row.key;
    finding.fix = line_fix(FixAction::replace_line, line, entry);
    return finding;
}

void check_value(const hud::HudSetting& row, const std::string& value, int line,
                 const std::vector<double>& parsed, Findings& findings) {
    if (row.kind == hud::SettingKind::Rgb || row.kind == hud::SettingKind::Rgba)
        check_colour(row, value, line, parsed, findings);
    else
        check_number(row, value, line, findings);
}

std::vector<long long> whole(const std::vector<double>& parsed) {
    std::vector<long long> numbers;
    for (const double value : parsed)
        numbers.push_back(
            std::isnan(value) ? 0 : static_cast<long long>(std::clamp(value, -1e15, 1e15)));
    return numbers;
}

std::vector<double> parsed_components(const hud::HudSetting& row,
                                      const config::SettingsFile& file) {
    const auto& defaults = row.defaults.components;
    switch (row.kind) {
    case hud::SettingKind::Rgb: {
        const auto colour = file.get_rgb(row.key, defaults[0], defaults[1], defaults[2]);
        return {double(colour.red), double(colour.green), double(colour.blue)};
    }
    case hud::SettingKind::Rgba: {
        const auto colour = file.get_rgba(row.key, defaults[0], defaults[1], defaults[2]);
        return {double(colour.red), double(colour.green), double(colour.blue),
                double(colour.alpha)};
    }
    case hud::SettingKind::Integer:
        return {double(file.get_int(row.key, defaults[0]))};
    case hud::SettingKind::Float:
        return {double(file.get_float(row.key, row.defaults.real))};
    }
    return {};
}

} // namespace checker
