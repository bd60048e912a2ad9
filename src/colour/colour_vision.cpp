#include "colour/colour_vision.hpp"

namespace checker {

std::string_view vision_name(ColourVision vision) {
    switch (vision) {
    case ColourVision::normal:
        return "normal";
    case ColourVision::protanopia:
        return "protanopia";
    case ColourVision::deuteranopia:
        return "deuteranopia";
    case ColourVision::tritanopia:
        return "tritanopia";
    case ColourVision::grey:
        return "grey";
    }
    return {};
}

VisionMatrix vision_matrix(ColourVision vision) {
    switch (vision) {
    case ColourVision::normal:
        break;
    case ColourVision::protanopia:
        return {0.152286, 1.052583,  -0.204868, 0.114503, 0.786281,
                0.099216, -0.003882, -0.048116, 1.051998};
    case ColourVision::deuteranopia:
        return {0.367322, 0.860646,  -0.227968, 0.280085, 0.672501,
                0.047413, -0.011820, 0.042940,  0.968881};
    case ColourVision::tritanopia:
        return {1.255528, -0.076749, -0.178779, -0.078411, 0.930809,
                0.147602, 0.004733,  0.691367,  0.303900};
    case ColourVision::grey:
        return {0.2126, 0.7152, 0.0722, 0.2126, 0.7152, 0.0722, 0.2126, 0.7152, 0.0722};
    }
    return {1, 0, 0, 0, 1, 0, 0, 0, 1};
}

Colour simulate(Colour colour, ColourVision vision) {
    const VisionMatrix m = vision_matrix(vision);
    const double in[3] = {linear_light(colour.red), linear_light(colour.green),
                          linear_light(colour.blue)};
    int out[3];
    for (int row = 0; row < 3; ++row)
        out[row] = srgb_byte(m[3 * row] * in[0] + m[3 * row + 1] * in[1] + m[3 * row + 2] * in[2]);
    return {out[0], out[1], out[2]};
}

} // namespace checker
