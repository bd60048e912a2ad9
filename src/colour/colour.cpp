#include "colour/colour.hpp"

#include <algorithm>
#include <cmath>

namespace checker {

double linear_light(int byte) {
    const double c = std::clamp(byte, 0, 255) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int srgb_byte(double linear) {
    const double l = std::clamp(linear, 0.0, 1.0);
    const double c = l <= 0.0031308 ? l * 12.92 : 1.055 * std::pow(l, 1 / 2.4) - 0.055;
    return static_cast<int>(std::lround(c * 255));
}

double relative_luminance(Colour colour) {
    return 0.2126 * linear_light(colour.red) + 0.7152 * linear_light(colour.green) +
           0.0722 * linear_light(colour.blue);
}

double contrast_ratio(Colour a, Colour b) {
    const double la = relative_luminance(a), lb = relative_luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Colour blend(Colour over, int alpha, Colour under) {
    const int a = std::clamp(alpha, 0, 255);
    const auto mix = [a](int top, int bottom) {
        return static_cast<int>(std::lround((top * a + bottom * (255 - a)) / 255.0));
    };
    return {mix(over.red, under.red), mix(over.green, under.green), mix(over.blue, under.blue)};
}

} // namespace checker
