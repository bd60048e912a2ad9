#include "injector/hooking/scoped_patch.hpp"
#include "support/host_memory.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace {

using injector::branch_target;
using test_support::Pages;
using test_support::ProtectionLog;

class ScopedPatchTest : public ::testing::Test {
protected:
    void put(std::size_t offset, std::initializer_list<std::uint8_t> bytes) {
        code.protect(PAGE_READWRITE);
        std::copy(bytes.begin(), bytes.end(), code.data() + offset);
        code.protect(PAGE_EXECUTE_READ);
    }
    std::array<std::uint8_t, 5> bytes_at(std::size_t offset) const {
        std::array<std::uint8_t, 5> out{};
        std::memcpy(out.data(), code.data() + offset, 5);
        return out;
    }
    Pages code{PAGE_EXECUTE_READ};
};

TEST_F(ScopedPatchTest, BranchTargetReadsEveryRecognisedForm) {
    const std::uint32_t at = code.address(0x100);
    put(0x100, {0xE8, 0, 0, 0, 0});
    EXPECT_EQ(branch_target(at), at + 5);
    put(0x100, {0xE9, 0xFB, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(branch_target(at), at);

    // Through a cell: the destination is the cell's content, not its address.
    const std::uint32_t cell = code.address(0x800);
    const std::uint32_t value = 0x12345678;
    code.protect(PAGE_READWRITE);
    std::memcpy(code.data() + 0x800, &value, 4);
    code.protect(PAGE_EXECUTE_READ);
    for (std::uint8_t form : {0x15, 0x25}) {
        put(0x100, {0xFF, form});
        code.protect(PAGE_READWRITE);
        std::memcpy(code.data() + 0x102, &cell, 4);
        code.protect(PAGE_EXECUTE_READ);
        EXPECT_EQ(branch_target(at), value) << int{form};
    }
    put(0x100, {0xFF, 0x35});
    EXPECT_EQ(branch_target(at), 0u);
    put(0x100, {0x90});
    EXPECT_EQ(branch_target(at), 0u);
    EXPECT_EQ(code.protection_at(0x100), static_cast<DWORD>(PAGE_EXECUTE_READ));
}

TEST_F(ScopedPatchTest, BranchThroughAnUnreadableCellLeadsNowhere) {
    const std::uint32_t nowhere = test_support::free_address();
    put(0x100, {0xFF, 0x15});
    code.protect(PAGE_READWRITE);
    std::memcpy(code.data() + 0x102, &nowhere, 4);
    code.protect(PAGE_EXECUTE_READ);
    EXPECT_EQ(branch_target(code.address(0x100)), 0u);
}

TEST_F(ScopedPatchTest, WriteCallReachesATargetBelowTheSite) {
    const std::uint32_t at = code.address(0x1000);
    const std::uint32_t target = code.address(0x10);
    put(0x1000, {0xE8, 0x10, 0, 0, 0});
    EXPECT_EQ(injector::write_call(at, target), at + 5 + 0x10);
    EXPECT_EQ(code.data()[0x1000], 0xE8);
    std::int32_t displacement = 0;
    std::memcpy(&displacement, code.data() + 0x1001, 4);
    EXPECT_EQ(displacement, -static_cast<std::int32_t>(0x1000 - 0x10 + 5));
    EXPECT_EQ(branch_target(at), target);
    EXPECT_EQ(code.protection_at(0x1000), static_cast<DWORD>(PAGE_EXECUTE_READ));
}

TEST_F(ScopedPatchTest, WriteCallOverNoBranchReturnsZero) {
    put(0x200, {0x90, 0x90, 0x90, 0x90, 0x90});
    EXPECT_EQ(injector::write_call(code.address(0x200), code.address(0x300)), 0u);
    EXPECT_EQ(branch_target(code.address(0x200)), code.address(0x300));
}

TEST_F(ScopedPatchTest, WriteCallOnUnchangeablePagesWritesNothing) {
    // The instruction runs off the end into a free page: neither half is written.
    Pages edge{PAGE_EXECUTE_READ, 0x1000};
    const std::uint32_t at = edge.address(0xFFD);
    injector::write_call(at, 0x1000);
    EXPECT_EQ(edge.data()[0xFFD], 0);
    EXPECT_EQ(edge.data()[0xFFF], 0);
}

TEST_F(ScopedPatchTest, CallLengthTakesOnlyCalls) {
    struct Case {
        std::uint8_t first, second;
        std::uint32_t length;
    };
    const Case cases[] = {{0xE8, 1, 5},    {0xFF, 0x15, 6}, {0xE9, 1, 0},
                          {0xFF, 0x25, 0}, {0xFF, 0x35, 0}, {0x90, 0x90, 0}};
    for (const Case& c : cases) {
        put(0x600, {c.first, c.second, 1, 2, 3, 4});
        EXPECT_EQ(injector::call_length(code.address(0x600)), c.length) << int{c.first};
    }
}

TEST_F(ScopedPatchTest, ASixByteCallIsReplacedWholeOrNotAtAll) {
    put(0x700, {0xFF, 0x15, 1, 2, 3, 4, 0xC3});
    const std::uint32_t at = code.address(0x700);
    injector::write_call(at, code.address(0x900), 6);
    EXPECT_EQ(branch_target(at), code.address(0x900));
    EXPECT_EQ(code.data()[0x705], 0x90);
    EXPECT_EQ(code.data()[0x706], 0xC3);

    // The sixth byte lies on a page that cannot be changed: nothing is written.
    Pages edge{PAGE_EXECUTE_READ, 0x1000};
    injector::write_call(edge.address(0xFFB), 0x1000, 6);
    EXPECT_EQ(edge.data()[0xFFB], 0);
}

TEST_F(ScopedPatchTest, PlaceCallSavesAndRestoresExactlyOnce) {
    const std::uint32_t at = code.address(0x400);
    put(0x400, {0xE8, 0x20, 0, 0, 0});
    const auto original = bytes_at(0x400);
    injector::scoped_call patch;
    EXPECT_EQ(patch.place_call(at, code.address(0x900)), at + 5 + 0x20);
    EXPECT_TRUE(patch.has_saved());
    EXPECT_EQ(patch.saved_size(), 5u);
    EXPECT_EQ(patch.bytes(), original);
    EXPECT_EQ(branch_target(at), code.address(0x900));

    patch.restore_saved();
    EXPECT_EQ(bytes_at(0x400), original);
    put(0x400, {0xCC, 0xCC, 0xCC, 0xCC, 0xCC});
    ProtectionLog log;
    patch.restore_saved(); // nothing saved any more
    EXPECT_EQ(bytes_at(0x400)[0], 0xCC);
    EXPECT_TRUE(log.entries().empty());
}

TEST_F(ScopedPatchTest, DestructionWritesBackOnlyWhenSaved) {
    put(0x500, {0xE8, 1, 2, 3, 4});
    const auto original = bytes_at(0x500);
    {
        ProtectionLog log;
        { const injector::scoped_call never_saved; }
        EXPECT_TRUE(log.entries().empty());
    }
    {
        injector::scoped_call patch;
        patch.place_call(code.address(0x500), code.address(0x900));
        EXPECT_NE(bytes_at(0x500), original);
    }
    EXPECT_EQ(bytes_at(0x500), original);
}

TEST_F(ScopedPatchTest, SaveOfNothingOrWithoutUnprotectChangesNoProtection) {
    Pages data{PAGE_READWRITE};
    ProtectionLog log;
    {
        injector::scoped_basic<5> empty;
        empty.save_bytes(data.address(), 0, true);
        EXPECT_TRUE(empty.has_saved());
        empty.restore_saved();
        EXPECT_FALSE(empty.has_saved());

        injector::scoped_basic<5> plain;
        data.data()[0] = 0x77;
        plain.save_bytes(data.address(), 1, false);
        data.data()[0] = 0x11;
    } // restores the 0x77 without a protection change
    EXPECT_EQ(data.data()[0], 0x77);
    EXPECT_TRUE(log.entries().empty());
}

TEST_F(ScopedPatchTest, SecondSaveWritesTheFirstLocationBack) {
    put(0x600, {0xE8, 9, 9, 9, 9});
    const auto first = bytes_at(0x600);
    injector::scoped_call patch;
    patch.place_call(code.address(0x600), code.address(0x900));
    patch.save_bytes(code.address(0x700), 5, true);
    EXPECT_EQ(bytes_at(0x600), first);
    EXPECT_EQ(patch.saved_address(), code.address(0x700));
}

using ScopedPatchDeathTest = ScopedPatchTest;

TEST_F(ScopedPatchDeathTest, SavingMoreThanTheBufferHoldsStopsWithTheAssertion) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    injector::scoped_basic<5> patch;
    EXPECT_DEATH(patch.save_bytes(code.address(), 6, true), "size <= bufsize");
}

} // namespace
