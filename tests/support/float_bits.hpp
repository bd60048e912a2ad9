#pragma once
// A float's IEEE-754 bits (std::bit_cast is missing from some of the libraries built for).

#include <cstdint>
#include <cstring>

namespace test_support {

inline std::uint32_t float_bits(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace test_support
