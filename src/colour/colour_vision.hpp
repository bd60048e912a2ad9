#pragma once
// How a colour looks to players with a colour-vision deficiency: the usual simulation
// matrices (Machado, Oliveira and Fernandes 2009, severity 1) on linear light, and grey
// (the relative luminance).

#include "colour/colour.hpp"

#include <array>
#include <string_view>

namespace checker {

enum class ColourVision { normal, protanopia, deuteranopia, tritanopia, grey };

inline constexpr std::array<ColourVision, 5> colour_visions{
    ColourVision::normal, ColourVision::protanopia, ColourVision::deuteranopia,
    ColourVision::tritanopia, ColourVision::grey};

std::string_view vision_name(ColourVision vision); // "protanopia", ...

// Row-major, applied to linear red, green, blue.
using VisionMatrix = std::array<double, 9>;
VisionMatrix vision_matrix(ColourVision vision);

Colour simulate(Colour colour, ColourVision vision);

} // namespace checker
