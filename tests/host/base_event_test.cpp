#include "plugin/events/base_event.hpp"
#include "support/code_arena.hpp"
#include "support/host_memory.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using test_support::arena_site;

std::string trace;

void* host_function() {
    trace += "host ";
    return reinterpret_cast<void*>(0x4242);
}

void plain_subscriber() {
    trace += "plain ";
}

// Call sites tagged with codes that no host has: subscribing hooks nothing, and the
// hook body is driven directly.
using UnhookedEvent =
    plugin::BaseEventI<injector::function_hooker, plugin::RefList<arena_site(20), 999, 0, 0, 0>,
                       plugin::ArgPick<plugin::ArgTypes<>>, void()>;

std::function<void*()> host_step() {
    return host_function;
}

class BaseEventTest : public ::testing::Test {
protected:
    void SetUp() override { trace.clear(); }
    UnhookedEvent event;
};

TEST_F(BaseEventTest, PlainFunctionsAreSubscribedOncePerList) {
    event.subscribe(event.after, plain_subscriber);
    event.subscribe(event.after, plain_subscriber);
    event.subscribe(event.before, plain_subscriber);
    EXPECT_EQ(event.after.size(), 1u);
    EXPECT_EQ(event.before.size(), 1u);

    const auto lambda = [] { trace += "lambda "; };
    event.subscribe(event.after, lambda);
    event.subscribe(event.after, lambda);
    EXPECT_EQ(event.after.size(), 3u);
    event.run_subscribers(host_step());
    EXPECT_EQ(trace, "plain host plain lambda lambda ");
}

TEST_F(BaseEventTest, SubscribersRunAroundTheHostInOrderAndItsResultComesBack) {
    event.subscribe(event.before, [] { trace += "A "; });
    event.subscribe(event.before, [] { trace += "B "; });
    event.subscribe(event.after, [] { trace += "C "; });
    event.subscribe(event.after, [] { trace += "D "; });
    EXPECT_EQ(event.run_subscribers(host_step()), reinterpret_cast<void*>(0x4242));
    EXPECT_EQ(trace, "A B host C D ");

    UnhookedEvent empty;
    EXPECT_EQ(empty.run_subscribers(host_step()), reinterpret_cast<void*>(0x4242));
}

TEST_F(BaseEventTest, EachRunStartsFromTheStoredSubscriber) {
    std::vector<int> seen;
    event.subscribe(event.after, [&seen, counter = 0]() mutable { seen.push_back(++counter); });
    for (int i = 0; i < 3; ++i)
        event.run_subscribers(host_step());
    EXPECT_EQ(seen, (std::vector<int>{1, 1, 1}));
}

TEST_F(BaseEventTest, FirstSubscriptionPatchesOnceWhateverItFinds) {
    EXPECT_FALSE(event.is_patched());
    event.subscribe(event.after, [] {});
    EXPECT_TRUE(event.is_patched());
}

TEST_F(BaseEventTest, AnEmptyContinuationFailsBeforeAnyAfterSubscriber) {
    event.subscribe(event.after, [] { trace += "after "; });
    try {
        event.run_subscribers({});
        ADD_FAILURE() << "no error";
    } catch (const std::bad_function_call& error) {
        EXPECT_STREQ(error.what(), "bad function call");
    }
    EXPECT_EQ(trace, "");
}

// An event whose one entry carries the version code this test process has: its first
// subscription really hooks the entry's site.
TEST(BaseEventHooking, TheMatchingEntryIsHookedAndRunsTheSubscribers) {
    if (injector::host_version_code() != 0) GTEST_SKIP() << "this process looks like a host";
    constexpr auto site = arena_site(21);
    constexpr auto other = arena_site(22);
    ASSERT_NE(test_support::arena(), nullptr);
    test_support::lay_out_call(site, host_function);
    test_support::lay_out_call(other, host_function);
    std::uint8_t other_before[5];
    std::memcpy(other_before, test_support::site_pointer(other), 5);

    using MatchingEvent = plugin::BaseEventI<injector::function_hooker,
                                             plugin::RefList<other, 100, 0, 0, 0, site, 0, 0, 0, 0>,
                                             plugin::ArgPick<plugin::ArgTypes<>>, void()>;
    MatchingEvent event;
    trace.clear();
    event.subscribe(event.after, [] { trace += "after "; });
    EXPECT_EQ(test_support::execute_site(site), reinterpret_cast<void*>(0x4242));
    EXPECT_EQ(trace, "host after ");
    EXPECT_EQ(std::memcmp(other_before, test_support::site_pointer(other), 5), 0);

    // A second subscription only appends: no second hook, nothing written to the site.
    std::uint8_t hooked[5];
    std::memcpy(hooked, test_support::site_pointer(site), 5);
    {
        test_support::ProtectionLog log;
        event.subscribe(event.after, [] { trace += "again "; });
        EXPECT_TRUE(log.entries().empty());
    }
    using Hooker = injector::function_hooker<injector::scoped_call, site, void*()>;
    EXPECT_EQ(Hooker::manager_type::instance()->hook_count(), 1u);
    EXPECT_EQ(std::memcmp(hooked, test_support::site_pointer(site), 5), 0);
    trace.clear();
    test_support::execute_site(site);
    EXPECT_EQ(trace, "host after again ");
}

} // namespace
