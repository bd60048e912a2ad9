#pragma once
// Colours as the screen shows them (sRGB bytes), their light (WCAG relative luminance)
// and the contrast ratio between two of them.

#include <cstdint>

namespace checker {

struct Colour {
    int red = 0, green = 0, blue = 0; // 0..255

    friend bool operator==(const Colour&, const Colour&) = default;
};

double linear_light(int byte);
int srgb_byte(double linear);

double relative_luminance(Colour colour);

// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double contrast_ratio(Colour a, Colour b);

// `over` drawn with `alpha` (0..255) on `under`, mixed in sRGB as screens blend.
Colour blend(Colour over, int alpha, Colour under);

} // namespace checker
