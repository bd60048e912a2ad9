#include "injector/hooking/function_hooker.hpp"
#include "support/allocation_counter.hpp"
#include "support/code_arena.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace {

using injector::function_hooker;
using injector::scoped_call;
using test_support::arena_site;
using test_support::execute_site;
using test_support::HostFunction;

std::string trace;
int host_runs = 0;

void* host_function() {
    ++host_runs;
    trace += "host ";
    return reinterpret_cast<void*>(0x1234);
}

void* other_host_function() {
    return reinterpret_cast<void*>(0x5678);
}

void* quiet_host_function() { // no trace: it would allocate as it grows
    ++host_runs;
    return nullptr;
}

template <HostAddress site>
using hooker = function_hooker<scoped_call, site, void*()>;

template <HostAddress site>
using manager = typename hooker<site>::manager_type;

// A hook that notes its name, then continues the call.
auto noting(const char* name) {
    return [name](std::function<void*()> next) {
        trace += std::string{name} + " ";
        return next();
    };
}

std::array<std::uint8_t, 5> bytes_of(HostAddress site) {
    std::array<std::uint8_t, 5> out{};
    std::memcpy(out.data(), test_support::site_pointer(site), 5);
    return out;
}

class FunctionHookerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(test_support::arena(), nullptr);
        trace.clear();
        host_runs = 0;
    }
};

TEST_F(FunctionHookerTest, OneHookPatchesTheSiteAndTheLastRemovalRestoresIt) {
    constexpr auto site = arena_site(1);
    test_support::lay_out_call(site, host_function);
    const auto original = bytes_of(site);
    {
        hooker<site> h;
        h.install(noting("h1"));
        EXPECT_TRUE(h.is_hooked());
        EXPECT_TRUE(manager<site>::instance()->is_installed());
        EXPECT_EQ(injector::branch_target(injector::rebase(site)),
                  reinterpret_cast<std::uintptr_t>(&manager<site>::call_hooks));
        EXPECT_EQ(execute_site(site), reinterpret_cast<void*>(0x1234));
        EXPECT_EQ(trace, "h1 host ");
    }
    EXPECT_EQ(bytes_of(site), original);
    EXPECT_FALSE(manager<site>::instance()->is_installed());
    trace.clear();
    execute_site(site);
    EXPECT_EQ(trace, "host "); // call_hooks is no longer reached
}

TEST_F(FunctionHookerTest, LastAddedHookRunsOutermost) {
    constexpr auto site = arena_site(2);
    test_support::lay_out_call(site, host_function);
    hooker<site> h1, h2, h3;
    h1.install(noting("h1"));
    h2.install(noting("h2"));
    h3.install(noting("h3"));
    EXPECT_EQ(execute_site(site), reinterpret_cast<void*>(0x1234));
    EXPECT_EQ(trace, "h3 h2 h1 host ");

    trace.clear();
    h2.restore_saved(); // the middle one goes
    EXPECT_FALSE(h2.is_hooked());
    execute_site(site);
    EXPECT_EQ(trace, "h3 h1 host ");
    EXPECT_EQ(host_runs, 2);
}

TEST_F(FunctionHookerTest, InstallingAgainReplacesTheHookInPlace) {
    constexpr auto site = arena_site(3);
    test_support::lay_out_call(site, host_function);
    hooker<site> h1, h2;
    h1.install(noting("h1"));
    h2.install(noting("h2"));
    const auto patched = bytes_of(site);
    test_support::ProtectionLog log;
    h1.install(noting("h1b"));
    EXPECT_TRUE(log.entries().empty()); // the site is not patched again
    EXPECT_EQ(bytes_of(site), patched);
    execute_site(site);
    EXPECT_EQ(trace, "h2 h1b host ");
    EXPECT_EQ(manager<site>::instance()->hook_count(), 2u);
}

TEST_F(FunctionHookerTest, AHookThatDoesNotContinueKeepsTheHostFromRunning) {
    constexpr auto site = arena_site(4);
    test_support::lay_out_call(site, host_function);
    hooker<site> inner, outer;
    inner.install(noting("inner"));
    outer.install([](std::function<void*()>) { return reinterpret_cast<void*>(0xBEEF); });
    EXPECT_EQ(execute_site(site), reinterpret_cast<void*>(0xBEEF));
    EXPECT_EQ(trace, "");
    EXPECT_EQ(host_runs, 0);
}

TEST_F(FunctionHookerTest, MovingARegisteredHookerWritesNothingBack) {
    constexpr auto site = arena_site(5);
    test_support::lay_out_call(site, host_function);
    const auto original = bytes_of(site);
    std::vector<hooker<site>> kept;
    kept.reserve(1);
    {
        hooker<site> local;
        local.install(noting("moved"));
        const auto patched = bytes_of(site);
        test_support::ProtectionLog log;
        kept.push_back(std::move(local));
        EXPECT_TRUE(kept.back().is_hooked());
        EXPECT_EQ(bytes_of(site), patched);
        EXPECT_TRUE(log.entries().empty());
    } // the moved-from hooker goes, unregistered
    EXPECT_TRUE(manager<site>::instance()->is_installed());
    execute_site(site);
    EXPECT_EQ(trace, "moved host ");
    kept.clear();
    EXPECT_EQ(bytes_of(site), original);
}

TEST_F(FunctionHookerTest, RepatchingAfterTheLastRemovalReadsTheSiteAfresh) {
    constexpr auto site = arena_site(6);
    test_support::lay_out_call(site, host_function);
    {
        hooker<site> h;
        h.install(noting("first"));
        EXPECT_EQ(manager<site>::instance()->former_target(), &host_function);
    }
    test_support::lay_out_call(site, other_host_function);
    hooker<site> again;
    again.install(noting("second"));
    EXPECT_EQ(manager<site>::instance()->former_target(), &other_host_function);
    EXPECT_EQ(execute_site(site), reinterpret_cast<void*>(0x5678));
}

TEST_F(FunctionHookerTest, ASiteWithoutABranchIsNotPatched) {
    constexpr auto site = arena_site(7);
    const std::uint8_t no_branch[6] = {0x90, 0x90, 0x90, 0x90, 0x90, 0xC3};
    test_support::lay_out_bytes(site, no_branch, sizeof no_branch);
    hooker<site> h;
    h.install(noting("never"));
    EXPECT_FALSE(manager<site>::instance()->is_installed());
    EXPECT_EQ(bytes_of(site)[0], 0x90);
    execute_site(site);
    EXPECT_EQ(trace, "");
}

// The form another mod's hook leaves: call [cell]. All six bytes are replaced and given
// back, and the call keeps following the cell, as the instruction did.
TEST_F(FunctionHookerTest, ASixByteCallThroughACellIsHookedWhole) {
    constexpr auto site = arena_site(11);
    static HostFunction cell = host_function;
    std::uint8_t code[7] = {0xFF, 0x15, 0, 0, 0, 0, 0xC3};
    const auto cell_address = test_support::address_of(&cell);
    std::memcpy(code + 2, &cell_address, 4);
    test_support::lay_out_bytes(site, code, sizeof code);
    {
        hooker<site> h;
        h.install(noting("hook"));
        EXPECT_EQ(bytes_of(site)[0], 0xE8);
        EXPECT_EQ(test_support::site_pointer(site)[5], 0x90);
        EXPECT_EQ(execute_site(site), reinterpret_cast<void*>(0x1234));
        cell = other_host_function;
        EXPECT_EQ(execute_site(site), reinterpret_cast<void*>(0x5678));
        EXPECT_EQ(trace, "hook host hook ");
    }
    EXPECT_EQ(std::memcmp(test_support::site_pointer(site), code, sizeof code), 0);
}

TEST_F(FunctionHookerTest, OneHookCallAllocatesNothing) {
    constexpr auto site = arena_site(8);
    test_support::lay_out_call(site, quiet_host_function);
    hooker<site> h;
    h.install([](std::function<void*()> next) { return next(); });
    execute_site(site); // first call settles any lazy state
    const test_support::AllocationCount count;
    for (int i = 0; i < 100; ++i)
        execute_site(site);
    EXPECT_EQ(count.allocations(), 0u);
    EXPECT_EQ(host_runs, 101);
}

TEST_F(FunctionHookerTest, AnEmptyHookFailsWithBadFunctionCall) {
    constexpr auto site = arena_site(9);
    test_support::lay_out_call(site, host_function);
    hooker<site> h;
    h.install(nullptr);
    try {
        manager<site>::call_hooks();
        ADD_FAILURE() << "no error";
    } catch (const std::bad_function_call& error) {
        EXPECT_STREQ(error.what(), "bad function call");
    }
}

TEST_F(FunctionHookerTest, TwoHookersRemovedInEitherOrderRestoreTheSiteOnce) {
    constexpr auto site = arena_site(10);
    test_support::lay_out_call(site, host_function);
    const auto original = bytes_of(site);
    for (bool first_goes_first : {true, false}) {
        auto a = std::make_unique<hooker<site>>();
        auto b = std::make_unique<hooker<site>>();
        a->install(noting("a"));
        b->install(noting("b"));
        trace.clear();
        execute_site(site);
        EXPECT_EQ(trace, "b a host ");
        (first_goes_first ? a : b).reset();
        EXPECT_NE(bytes_of(site), original);
        test_support::ProtectionLog log;
        (first_goes_first ? b : a).reset();
        EXPECT_EQ(bytes_of(site), original);
        // One write-back of the five bytes: a change and a restore.
        EXPECT_EQ(std::count_if(log.entries().begin(), log.entries().end(),
                                [](const auto& call) { return call.size == 5; }),
                  2);
    }
}

// Another mod hooks the site over ours and keeps it: when ours goes, its call stays, and
// the game goes on through it (to ours no more).
TEST_F(FunctionHookerTest, AnotherModsHookOverOursIsLeftWhenOursGoes) {
    constexpr auto site = arena_site(12);
    test_support::lay_out_call(site, host_function);
    auto ours = std::make_unique<hooker<site>>();
    ours->install(noting("ours"));
    const HostAddress at = injector::translate(injector::rebase(site));
    injector::write_call(
        at, static_cast<HostAddress>(reinterpret_cast<std::uintptr_t>(&other_host_function)));
    const auto theirs = bytes_of(site);
    ours.reset();
    EXPECT_EQ(bytes_of(site), theirs);
    EXPECT_FALSE(manager<site>::instance()->is_installed());
    trace.clear();
    EXPECT_EQ(execute_site(site), reinterpret_cast<void*>(0x5678));
    EXPECT_EQ(trace, "");
}

} // namespace

namespace {

// A call site in a read-only view of a section: its protection cannot be changed.
class ReadOnlySite {
public:
    static constexpr HostAddress host_site = 0x50500010;

    ReadOnlySite() {
        section_ =
            CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 0x10000, nullptr);
        auto* writable =
            static_cast<std::uint8_t*>(MapViewOfFile(section_, FILE_MAP_WRITE, 0, 0, 0x10000));
        const std::uint8_t call[6] = {0xE8, 0x10, 0, 0, 0, 0xC3};
        std::memcpy(writable + 0x10, call, sizeof call);
        UnmapViewOfFile(writable);
        view_ = MapViewOfFileEx(section_, FILE_MAP_READ, 0, 0, 0x10000,
                                test_support::site_pointer(host_site) - 0x10);
    }
    ~ReadOnlySite() {
        if (view_) UnmapViewOfFile(view_);
        CloseHandle(section_);
    }
    bool mapped() const { return view_ != nullptr; }

private:
    HANDLE section_ = nullptr;
    void* view_ = nullptr;
};

TEST_F(FunctionHookerTest, ASiteWhoseProtectionIsRefusedStaysWhole) {
    const ReadOnlySite site;
    ASSERT_TRUE(site.mapped());
    const auto original = bytes_of(ReadOnlySite::host_site);
    {
        hooker<ReadOnlySite::host_site> h;
        h.install(noting("never"));
        EXPECT_FALSE(manager<ReadOnlySite::host_site>::instance()->is_installed());
        EXPECT_EQ(bytes_of(ReadOnlySite::host_site), original);
    }
    EXPECT_EQ(bytes_of(ReadOnlySite::host_site), original);
}

} // namespace
