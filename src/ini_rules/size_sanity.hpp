#pragma once
// A cursor size the plugin writes into the game as given, whatever it is: not a
// number, infinity, or a number far beyond any size the game draws.

#include <optional>
#include <string>

namespace checker {

// Beyond this, a size is no size a player means (the defaults are 0.4 to 32).
inline constexpr double largest_usual_size = 1e6;

// What is wrong with the single-precision value the plugin writes ("infinity"); nullopt
// for a finite value of a usual magnitude.
std::optional<std::string> unusual_size(float written);

} // namespace checker
