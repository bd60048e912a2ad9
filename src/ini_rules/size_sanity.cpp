#include "ini_rules/size_sanity.hpp"

#include "common/translatable.hpp"

#include <cmath>
#include <cstdio>

namespace checker {

std::optional<UnusualSize> unusual_size(float written) {
    if (std::isnan(written)) return UnusualSize{tr("NaN (not a number)"), {}};
    if (std::isinf(written))
        return UnusualSize{written > 0 ? tr("infinity") : tr("minus infinity"), {}};
    if (std::fabs(written) <= largest_usual_size) return std::nullopt;
    char text[64];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(written));
    return UnusualSize{tr("the enormous number {number}"), text};
}

} // namespace checker
