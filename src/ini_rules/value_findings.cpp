#include "ini_rules/value_findings.hpp"

#include "common/printable.hpp"
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
std::string plugin_gets_text(const std::vector<double>& parsed, bool alpha) {
    std::vector<long long> colour = whole(parsed);
    if (alpha && colour.size() == 4 && colour[3] == 255) colour.pop_back();
    std::string text = numbers_text(colour);
    if (colour.size() == 3 && colour[0] == 0 && colour[1] == 0 && colour[2] == 0)
        text += " (black)";
    return text;
}

// A line to paste holds only what the plugin writes: each component within 0..255.
std::vector<long long> in_byte_range(std::vector<long long> numbers) {
    for (long long& n : numbers)
        n = std::clamp(n, 0LL, 255LL);
    return numbers;
}

std::string alpha_effect(long long alpha) {
    if (alpha < 64) return " (alpha " + std::to_string(alpha) + " makes it nearly invisible)";
    if (alpha < 192) return " (alpha " + std::to_string(alpha) + " makes it see-through)";
    return "";
}

void check_colour(const hud::HudSetting& row, const std::string& value, int line,
                  const std::vector<double>& parsed, std::vector<Finding>& findings) {
    const bool alpha = row.kind == hud::SettingKind::Rgba;
    const std::string key = quoted(row.key);
    const std::string plugin_gets = plugin_gets_text(parsed, alpha);
    if (const auto meant = meant_colour(value, alpha)) {
        const std::string written = numbers_text(meant->numbers);
        const bool same = written == numbers_text(whole(parsed)) ||
                          (alpha && written + " 255" == numbers_text(whole(parsed)));
        std::string message = key + " is written with " + meant->form + " (" + quoted(value) +
                              "): the plugin reads decimal numbers separated by blanks";
        message += same ? ", and gets " + plugin_gets + " only by chance"
                        : ", and gets " + plugin_gets + " instead of " + written;
        findings.push_back({line, message, paste(row, written)});
        return;
    }
    const IntegerFields fields = read_integer_fields(value, 8);
    const int room = alpha ? 4 : 3;
    const auto numbers = in_byte_range(whole(parsed));
    if (fields.count > room) {
        const std::vector<long long> used(numbers.begin(), numbers.begin() + 3);
        std::string message = key + " has " + std::to_string(fields.count) + " numbers: ";
        if (alpha)
            message += "the plugin uses " + numbers_text(used) + " as the colour and " +
                       std::to_string(numbers[3]) + " as its alpha" + alpha_effect(numbers[3]) +
                       ", and ignores the rest";
        else
            message +=
                "it has no alpha; the plugin uses " + numbers_text(used) + " and ignores the rest";
        std::string suggestion = paste(row, numbers_text(used));
        if (alpha)
            suggestion = paste(row, numbers_text(numbers)) + " (with that alpha), or " + row.key +
                         "=" + numbers_text(used) + " (solid)";
        findings.push_back({line, message, suggestion});
    } else if (fields.count < 3) {
        const auto& defaults = row.defaults.components;
        std::vector<long long> completed = in_byte_range(whole(parsed));
        completed.resize(3);
        for (int i = fields.count; i < 3; ++i)
            completed[i] = defaults[i];
        const std::string what = value.empty()
                                     ? " is empty"
                                     : " has " + std::to_string(fields.count) + " of its 3 numbers";
        findings.push_back(
            {line, key + what + ": the plugin writes " + plugin_gets + ", not the default",
             paste(row, numbers_text(completed)) +
                 (fields.count ? " (the missing ones as the default)" : " (the default)")});
    } else if (!fields.rest.empty()) {
        findings.push_back({line,
                            "text after the numbers of " + key + ": " + quoted(fields.rest) +
                                "; the plugin ignores it",
                            paste(row, numbers_text(numbers))});
    }
}

void check_number(const hud::HudSetting& row, const std::string& value, int line,
                  std::vector<Finding>& findings) {
    const bool integer = row.kind == hud::SettingKind::Integer;
    const std::string key = quoted(row.key);
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
        findings.push_back({line,
                            key + " is written with a decimal comma (" + quoted(value) +
                                "): the plugin reads " + reads,
                            paste(row, integer ? reads : fixed)});
        return;
    }
    if (end == value.c_str()) {
        const std::string reads =
            value.empty() ? " is empty" : " is not a number: " + quoted(value);
        findings.push_back({line,
                            key + reads + "; the plugin " + (integer ? "reads 0" : "writes 0") +
                                ", not the default",
                            paste(row, default_value(row)) + " (the default)"});
        return;
    }
    if (const auto unusual =
            integer ? std::nullopt
                    : unusual_size(static_cast<float>(std::strtod(value.c_str(), nullptr)))) {
        findings.push_back({line,
                            key + " is " + quoted(value) + ": the plugin writes " + *unusual +
                                " into the game as the size",
                            paste(row, default_value(row)) + " (the default; sizes from half "
                                                             "to twice it are usual)"});
        return;
    }
    if (!rest.empty())
        findings.push_back(
            {line,
             "text after the number of " + key + ": " + quoted(rest) + "; the plugin ignores it",
             paste(row, std::string{trimmed(number)})});
}

} // namespace

void check_value(const hud::HudSetting& row, const std::string& value, int line,
                 const std::vector<double>& parsed, std::vector<Finding>& findings) {
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

std::string paste(const hud::HudSetting& row, const std::string& value) {
    return std::string{"write "} + row.key + "=" + value;
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
