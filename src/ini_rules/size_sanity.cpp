#include "ini_rules/size_sanity.hpp"

#include <cmath>
#include <cstdio>

namespace checker {

std::optional<std::string> unusual_size(float written) {
    if (std::isnan(written)) return "NaN (not a number)";
    if (std::isinf(written)) return written > 0 ? "infinity" : "minus infinity";
    if (std::fabs(written) <= largest_usual_size) return std::nullopt;
    char text[64];
    std::snprintf(text, sizeof text, "the enormous number %g", static_cast<double>(written));
    return text;
}

} // namespace checker
