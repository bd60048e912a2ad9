#pragma once
// A cursor size the plugin writes into the game as given, whatever it is: not a
// number, infinity, or a number far beyond any size the game draws.

#include <optional>
#include <string>
#include <string_view>

namespace checker {

// Beyond this, a size is no size a player means (the defaults are 0.4 to 32). The editor
// takes sizes up to it, and the checker names any beyond it.
inline constexpr double largest_usual_size = 1000;

struct UnusualSize {
    std::string_view term; // "infinity", "the enormous number {number}"
    std::string number;
};

// What is wrong with the single-precision value the plugin writes; nullopt for a finite
// value of a usual magnitude.
std::optional<UnusualSize> unusual_size(float written);

} // namespace checker
