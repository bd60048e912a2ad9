#pragma once
// What a player evidently meant by a colour the plugin reads otherwise: colours copied
// from pickers and forums (hex, names, percentages, commas), as the decimal numbers
// the plugin reads.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace checker {

struct MeantColour {
    std::string_view form;          // "hex", "the colour name", "percentages", "commas"
    std::vector<long long> numbers; // red green blue [alpha], each 0..255 where given so
};

// nullopt when the value is none of the forms above.
std::optional<MeantColour> meant_colour(std::string_view value, bool alpha);

// "255 0 0" from the numbers.
std::string numbers_text(const std::vector<long long>& numbers);

} // namespace checker
