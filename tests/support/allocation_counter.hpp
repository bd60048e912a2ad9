#pragma once
// Counts heap allocations made while an AllocationCount is alive. The operator new that
// counts lives in allocation_counter.cpp, linked into the test executable.

#include <cstddef>

namespace test_support {

std::size_t allocations_so_far();

class AllocationCount {
public:
    AllocationCount() : start_(allocations_so_far()) {}
    std::size_t allocations() const { return allocations_so_far() - start_; }

private:
    std::size_t start_;
};

} // namespace test_support
