#include "injector/host_address.hpp"
#include "support/host_memory.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(HostAddress, RebaseMovesByTheLoadDifferenceAndTranslateIsIdentity) {
    const auto base = injector::host_base();
    EXPECT_EQ(base, platform::executable_module_base());
    EXPECT_EQ(injector::rebase(0x400000), base);
    for (std::uint32_t address : {0u, 0x600411u, 0xFFFFFFFFu})
        EXPECT_EQ(injector::translate(address), address);
}

struct FakeHost {
    std::vector<std::uint32_t> signed_at;
    std::vector<std::uint32_t>* reads;
    std::uint32_t operator()(std::uint32_t address) const {
        reads->push_back(address);
        for (auto a : signed_at)
            if (a == address) return injector::host_signature;
        return 0x90909090;
    }
};

// This process is loaded at the default base, so the moves are checked on their own.
static_assert(injector::rebased(0x600411, 0x10000000) == 0x10200411);
static_assert(injector::rebased(0x600411, 0x400000) == 0x600411);
static_assert(injector::rebased(0x667BF0, 0x00300000) == 0x567BF0);

TEST(HostVersionCode, FirstSignedProbeNamesTheBuild) {
    std::vector<std::uint32_t> reads;
    EXPECT_EQ(injector::version_code_from(FakeHost{{0x667BF0, 0x667C40}, &reads}), 100);
    EXPECT_EQ(reads, (std::vector<std::uint32_t>{0x667BF0}));

    reads.clear();
    EXPECT_EQ(injector::version_code_from(FakeHost{{0x667C40}, &reads}), 110);
    reads.clear();
    EXPECT_EQ(injector::version_code_from(FakeHost{{0x666BA0}, &reads}), 120);
    EXPECT_EQ(reads, (std::vector<std::uint32_t>{0x667BF0, 0x667C40, 0x666BA0}));
    EXPECT_EQ(injector::version_code_from(FakeHost{{}, &reads}), 0);
}

TEST(HostVersionCode, IsWorkedOutOnce) {
    const int first = injector::host_version_code();
    EXPECT_EQ(first, 0);             // this test program holds no build's signature
    test_support::ProtectionLog log; // a probe read would change protections
    EXPECT_EQ(injector::host_version_code(), first);
    EXPECT_TRUE(log.entries().empty());
}

} // namespace
