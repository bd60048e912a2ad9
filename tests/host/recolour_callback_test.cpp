// The callback runs inside the host's own call, which cannot take an exception: an error
// in the pass ends there.

#include "plugin/kelvora.hpp"
#include "support/allocation_counter.hpp"

#include <gtest/gtest.h>

namespace {

TEST(RecolourCallback, AnErrorInThePassDoesNotLeaveIt) {
    std::size_t refused = 0;
    {
        // The pass's first allocation, the first candidate path, comes before any write
        // to this process's image.
        const test_support::RefusedAllocations out_of_memory;
        plugin::recolour_callback(); // noexcept: an escaping error would end the process
        refused = out_of_memory.refused();
    }
    EXPECT_GT(refused, 0u); // the pass did meet the error
}

} // namespace
