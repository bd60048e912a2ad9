#include "hud/guarded_host_writer.hpp"
#include "injector/guarded_access.hpp"
#include "support/host_memory.hpp"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using test_support::Pages;
using test_support::ProtectionLog;

TEST(PatchByte, LandsOnACodePageAndPutsItsProtectionBack) {
    Pages code{PAGE_EXECUTE_READ};
    ProtectionLog log;
    injector::patch_byte(code.address(0x10), 0xAB);
    EXPECT_EQ(code.data()[0x10], 0xAB);
    EXPECT_EQ(code.protection_at(0x10), static_cast<DWORD>(PAGE_EXECUTE_READ));
    ASSERT_EQ(log.entries().size(), 2u);
    EXPECT_EQ(log.entries()[0].size, 1u);
    EXPECT_EQ(log.entries()[0].protection, static_cast<std::uint32_t>(PAGE_EXECUTE_READWRITE));
    EXPECT_EQ(log.entries()[1].size, 1u);
    EXPECT_EQ(log.entries()[1].protection, static_cast<std::uint32_t>(PAGE_EXECUTE_READ));
}

TEST(PatchFloat, StoresLittleEndianSinglePrecision) {
    Pages code{PAGE_EXECUTE_READ};
    injector::patch_float(code.address(0xFFE), 32.0f); // across a page boundary
    const std::uint8_t expected[4] = {0x00, 0x00, 0x00, 0x42};
    EXPECT_EQ(std::memcmp(code.data() + 0xFFE, expected, 4), 0);
    EXPECT_EQ(code.protection_at(0), static_cast<DWORD>(PAGE_EXECUTE_READ));
    EXPECT_EQ(code.protection_at(0x1000), static_cast<DWORD>(PAGE_EXECUTE_READ));
}

TEST(PatchByte, PutsBackWhateverProtectionThePageHad) {
    for (DWORD protection : {PAGE_READONLY, PAGE_READWRITE, PAGE_EXECUTE_READWRITE, PAGE_NOACCESS,
                             PAGE_READWRITE | PAGE_GUARD}) {
        Pages pages{protection};
        injector::patch_byte(pages.address(4), 0x5A);
        EXPECT_EQ(pages.protection_at(4), protection) << protection;
        pages.protect(PAGE_READWRITE);
        EXPECT_EQ(pages.data()[4], 0x5A) << protection;
    }
}

TEST(PatchByte, SkipsFreeAndReservedMemoryWithoutRestoring) {
    Pages reserved{PAGE_NOACCESS, 0x2000, MEM_RESERVE};
    const std::uint32_t nowhere = test_support::free_address();
    ProtectionLog log;
    injector::patch_byte(nowhere, 1);
    injector::patch_float(nowhere + 8, 1.0f);
    injector::patch_byte(reserved.address(), 1);
    ASSERT_EQ(log.entries().size(), 3u); // the failed changes only, no restores
    for (const auto& call : log.entries())
        EXPECT_FALSE(call.succeeded);
}

TEST(PatchByte, SkipsAReadOnlyViewWhoseProtectionCannotChange) {
    HANDLE mapping =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0, 0x1000, nullptr);
    ASSERT_NE(mapping, nullptr);
    auto* view = static_cast<std::uint8_t*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    ASSERT_NE(view, nullptr);
    injector::patch_byte(test_support::address_of(view), 7);
    EXPECT_EQ(view[0], 0);
    UnmapViewOfFile(view);
    CloseHandle(mapping);
}

TEST(GuardedAccess, TypedAccessesChangeAndRestoreProtection) {
    Pages code{PAGE_EXECUTE_READ};
    injector::guarded_write<std::uint32_t>(code.address(0x20), 0x11223344u);
    injector::guarded_write<std::uint8_t>(code.address(0x24), 0x55);
    EXPECT_EQ(injector::guarded_read<std::uint32_t>(code.address(0x20)), 0x11223344u);
    EXPECT_EQ(injector::guarded_read<std::uint8_t>(code.address(0x24)), 0x55);
    EXPECT_EQ(code.protection_at(0x20), static_cast<DWORD>(PAGE_EXECUTE_READ));
}

TEST(GuardedAccess, UnreachableTargetsAreSkipped) {
    const std::uint32_t nowhere = test_support::free_address();
    EXPECT_EQ(injector::guarded_read<std::uint32_t>(nowhere), 0u);
    injector::guarded_write<std::uint32_t>(nowhere, 1);
    std::uint8_t buffer[5] = {9, 9, 9, 9, 9};
    EXPECT_FALSE(injector::guarded_read(nowhere, buffer, 5, true));
    EXPECT_FALSE(injector::guarded_read(nowhere, buffer, 5, false));
    EXPECT_EQ(buffer[0], 9);

    // A range that starts on a good page and runs into a free one is skipped whole.
    Pages edge{PAGE_READWRITE, 0x1000};
    EXPECT_FALSE(injector::guarded_write(edge.address(0xFFE), "abcd", 4, true));
    EXPECT_EQ(edge.data()[0xFFE], 0);
}

TEST(GuardedAccess, WithoutUnprotectOrWithCountZeroNoProtectionChanges) {
    Pages data{PAGE_READWRITE};
    ProtectionLog log;
    const std::uint8_t source[5] = {1, 2, 3, 4, 5};
    EXPECT_TRUE(injector::guarded_write(data.address(), source, 5, false));
    EXPECT_EQ(std::memcmp(data.data(), source, 5), 0);
    std::uint8_t copy[5] = {};
    EXPECT_TRUE(injector::guarded_read(data.address(), copy, 5, false));
    EXPECT_EQ(std::memcmp(copy, source, 5), 0);
    EXPECT_TRUE(injector::guarded_write(data.address(), source, 0, true));
    EXPECT_TRUE(log.entries().empty());

    // Not unprotecting on a code page: nothing is changed, and nothing is written.
    Pages code{PAGE_EXECUTE_READ};
    EXPECT_FALSE(injector::guarded_write(code.address(), source, 5, false));
    EXPECT_EQ(code.data()[0], 0);
    EXPECT_TRUE(log.entries().empty());
}

TEST(ProtectionGuard, OneChangeAndOneRestorePerAccess) {
    Pages code{PAGE_EXECUTE_READ};
    ProtectionLog log;
    {
        const injector::protection_guard guard{code.address(), 8, platform::Access::write};
        EXPECT_TRUE(guard.usable());
        EXPECT_EQ(code.protection_at(0), static_cast<DWORD>(PAGE_EXECUTE_READWRITE));
    }
    EXPECT_EQ(code.protection_at(0), static_cast<DWORD>(PAGE_EXECUTE_READ));
    EXPECT_EQ(log.entries().size(), 2u);
}

// A byte of this test program's own image, which lies at the default base.
volatile std::uint8_t own_image_byte = 0;

TEST(GuardedHostWriter, WritesOnlyIntoAnImageAtTheDefaultBase) {
    const platform::ImageRange self = platform::executable_image();
    ASSERT_EQ(self.base, 0x400000u);
    const std::uint32_t at = test_support::address_of(const_cast<std::uint8_t*>(&own_image_byte));
    hud::GuardedHostWriter{self}.patch_byte(at, 7);
    EXPECT_EQ(own_image_byte, 7);
    // The same byte inside an image that begins elsewhere: a rebased host.
    hud::GuardedHostWriter{{self.base - 0x10000, self.size + 0x10000}}.patch_byte(at, 9);
    EXPECT_EQ(own_image_byte, 7);
    hud::GuardedHostWriter{{self.base, 0}}.patch_byte(at, 9); // outside the image
    EXPECT_EQ(own_image_byte, 7);
}

} // namespace
