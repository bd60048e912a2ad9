#include "common/float_text.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace checker {

std::uint32_t float_bits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float float_from_bits(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string shortest_float_text(float value) {
    // Spelled out rather than left to printf, whose forms differ between runtimes.
    if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    const std::uint32_t bits = float_bits(value);
    char text[48] = {};
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        if (float_bits(static_cast<float>(std::strtod(text, nullptr))) == bits) break;
    }
    const std::string_view shown{text};
    if (shown.find_first_not_of("-0123456789") == std::string_view::npos)
        return text + std::string{".0"};
    return text;
}

} // namespace checker
