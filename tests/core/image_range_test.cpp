// The guarded writer's bound: an access lies wholly inside the executable's image, or it
// is not made. Edges, empty and huge ranges, and the top of the address space.

#include "platform/host_services.hpp"

#include <gtest/gtest.h>

namespace {

struct Access {
    std::uint32_t address, length;
    bool inside;
};

TEST(ImageRange, ContainsOnlyAccessesWhollyInside) {
    const platform::ImageRange image{0x400000, 0x1000};
    const Access cases[] = {
        {0x400000, 1, true},           {0x400FFF, 1, true},    {0x400FFC, 4, true},
        {0x400000, 0x1000, true},      {0x3FFFFF, 1, false},   {0x3FFFFF, 2, false},
        {0x401000, 1, false},          {0x400FFD, 4, false},   {0x400000, 0x1001, false},
        {0x400001, 0xFFFFFFFF, false}, {0xFFFFFFFF, 2, false}, {0, 0x400001, false},
    };
    for (const auto& access : cases)
        EXPECT_EQ(image.contains(access.address, access.length), access.inside)
            << std::hex << access.address << " +" << access.length;
}

TEST(ImageRange, AnImageAtTheTopOfTheAddressSpaceDoesNotWrapAround) {
    const platform::ImageRange top{0xFFFFF000, 0x1000};
    EXPECT_TRUE(top.contains(0xFFFFFFFC, 4));
    EXPECT_FALSE(top.contains(0xFFFFFFFD, 4));
    EXPECT_FALSE(top.contains(0x00000000, 4));
    const platform::ImageRange empty{0x400000, 0};
    EXPECT_FALSE(empty.contains(0x400000, 1));
}

} // namespace
