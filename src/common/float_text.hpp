#pragma once
// A single-precision number as the shortest text the plugin's reader turns back into
// exactly its bits, with a point when it is a whole number ("32.0"), as players write
// sizes. A NaN is "nan" or "-nan" (its payload has no text every runtime reads back).

#include <cstdint>
#include <string>

namespace checker {

std::string shortest_float_text(float value);

// memcpy rather than std::bit_cast, which the WebAssembly build's library lacks.
std::uint32_t float_bits(float value);
float float_from_bits(std::uint32_t bits);

} // namespace checker
