#pragma once
// A colour's numbers as players copy them from pickers, stylesheets and forums: in a
// wrapper ("rgb(255, 0, 0)", "(10, 20, 30, 40)", quotes), with other separators
// ("255;128;0", "255/215/0", commas), as percentages, as fractions ("1.0 0.5 0.0"), or
// with decimals ("127.5 0 0", rounded).
// The plugin reads none of these as meant; this finds the numbers that were.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace checker {

struct ListedColour {
    std::string_view form;          // "a wrapper", "fractions of 1", "semicolons", ...
    std::vector<long long> numbers; // red green blue [alpha], each within 0..255
};

// nullopt for plain blank-separated whole numbers, and for anything that is not three
// numbers (four with `alpha`) in one of the forms above.
std::optional<ListedColour> listed_colour(std::string_view value, bool alpha);

} // namespace checker
