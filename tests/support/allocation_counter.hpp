#pragma once
// Counts heap allocations made while an AllocationCount is alive, and refuses them while
// a RefusedAllocations is. The operator new that does both lives in
// allocation_counter.cpp, linked into the test executable.

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

// While one is alive, every heap allocation fails with std::bad_alloc.
class RefusedAllocations {
public:
    RefusedAllocations();
    ~RefusedAllocations();
    RefusedAllocations(const RefusedAllocations&) = delete;
    RefusedAllocations& operator=(const RefusedAllocations&) = delete;
    std::size_t refused() const;
};

} // namespace test_support
