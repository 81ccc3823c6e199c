// The change notifier against a scripted NotifyAddrChange, and against the kernel in a private
// network namespace.
#include "netdata/ip_helper_table.h"
#include "netdata/network_change_notifier.h"
#include "platform/event.h"
#include "platform/thread_id.h"

#include "support/network_namespace.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <net/if.h> // Windows declares if_nametoindex with the IP helper records
#include <unistd.h>
#endif

namespace qn {
namespace {

using namespace std::chrono_literals;

// The owner's thread as the notifier sees it: calls queue up until the test runs them.
class TOwnerQueue
{
public:
    TPostToOwner Poster()
    {
        return [this](std::function<void()> ACall) {
            std::lock_guard lock(FMutex);
            FCalls.push_back(std::move(ACall));
            FChanged.notify_all();
        };
    }

    // Waits up to ATimeout for a queued call; false when none came.
    bool WaitForCall(std::chrono::milliseconds ATimeout)
    {
        std::unique_lock lock(FMutex);
        return FChanged.wait_for(lock, ATimeout, [this] { return !FCalls.empty(); });
    }

    // Runs the calls queued so far on this thread (not those they let the worker post); returns
    // how many ran.
    int RunQueued()
    {
        std::deque<std::function<void()>> calls;
        {
            std::lock_guard lock(FMutex);
            calls.swap(FCalls);
        }
        for (auto& call : calls)
            call();
        return static_cast<int>(calls.size());
    }

private:
    std::mutex FMutex;
    std::condition_variable FChanged;
    std::deque<std::function<void()>> FCalls;
};

// A scripted service whose every request is answered at once by a change.
std::atomic<int> GRequests{0};
DWORD ImmediateChange(PHANDLE AHandle, LPOVERLAPPED AOverlapped)
{
    ++GRequests;
    if (AHandle)
        *AHandle = nullptr;
    SetEvent(AOverlapped->hEvent);
    return ERROR_IO_PENDING;
}

TEST(NetworkChangeNotifier, EachChangeRunsOnceOnTheOwnersThreadWithResultZero)
{
    TIpHelperTable fake;
    fake.Library = reinterpret_cast<HANDLE>(1);
    fake.NotifyAddrChange = &ImmediateChange;
    TIpHelperTableGuard guard(fake);

    TOwnerQueue owner;
    TNetworkChangeNotifier notifier(owner.Poster());
    int calls = 0;
    const std::uint32_t ownerThread = GetCurrentThreadId();
    notifier.OnChange = [&](TNetworkChangeNotifier* ASender, std::uint32_t ARes) {
        ++calls;
        EXPECT_EQ(&notifier, ASender);
        EXPECT_EQ(0u, ARes);
        EXPECT_EQ(ownerThread, GetCurrentThreadId());
    };
    for (int i = 1; i <= 5; ++i) {
        ASSERT_TRUE(owner.WaitForCall(5s));
        // The worker waits for its call to run: there is never more than one queued.
        EXPECT_EQ(1, owner.RunQueued());
        EXPECT_EQ(i, calls);
    }
    EXPECT_NE(0u, notifier.ThreadId());
    EXPECT_NE(ownerThread, notifier.ThreadId());
}

TEST(NetworkChangeNotifier, DestroyedWhileACallIsQueuedReturnsAndTheCallDoesNothing)
{
    TIpHelperTable fake;
    fake.Library = reinterpret_cast<HANDLE>(1);
    fake.NotifyAddrChange = &ImmediateChange;
    TIpHelperTableGuard guard(fake);

    TOwnerQueue owner;
    int calls = 0;
    {
        TNetworkChangeNotifier notifier(owner.Poster());
        notifier.OnChange = [&](TNetworkChangeNotifier*, std::uint32_t) { ++calls; };
        ASSERT_TRUE(owner.WaitForCall(5s));
        // The worker is now blocked in the hand-over; destruction must not wait for the owner.
    }
    EXPECT_EQ(1, owner.RunQueued());
    EXPECT_EQ(0, calls);
}

TEST(NetworkChangeNotifier, WithoutTheServiceFunctionItNeverFires)
{
    TIpHelperTable fake;
    fake.Library = reinterpret_cast<HANDLE>(1);
    TIpHelperTableGuard guard(fake);

    TOwnerQueue owner;
    TNetworkChangeNotifier notifier(owner.Poster());
    notifier.OnChange = [&](TNetworkChangeNotifier*, std::uint32_t) { ADD_FAILURE() << "no service, no change"; };
    // Long enough for two retries: a retry must not turn into a change.
    EXPECT_FALSE(owner.WaitForCall(1100ms));
    EXPECT_NE(0u, notifier.ThreadId()) << "the worker runs and retries";
}

// A service that refuses its first requests, then answers each at once with a change.
std::mutex GRefusalsMutex;
std::vector<std::chrono::steady_clock::time_point> GRequestTimes;
int GRefusals = 0;
DWORD RefuseThenChange(PHANDLE AHandle, LPOVERLAPPED AOverlapped)
{
    {
        std::lock_guard lock(GRefusalsMutex);
        GRequestTimes.push_back(std::chrono::steady_clock::now());
        if (GRefusals > 0) {
            --GRefusals;
            return ERROR_NOT_SUPPORTED;
        }
    }
    return ImmediateChange(AHandle, AOverlapped);
}

TEST(NetworkChangeNotifier, ARefusedRequestIsRetriedAfterAPauseNeverAtOnce)
{
    TIpHelperTable fake;
    fake.Library = reinterpret_cast<HANDLE>(1);
    fake.NotifyAddrChange = &RefuseThenChange;
    TIpHelperTableGuard guard(fake);
    {
        std::lock_guard lock(GRefusalsMutex);
        GRequestTimes.clear();
        GRefusals = 2;
    }

    TOwnerQueue owner;
    TNetworkChangeNotifier notifier(owner.Poster());
    int calls = 0;
    notifier.OnChange = [&](TNetworkChangeNotifier*, std::uint32_t) { ++calls; };
    ASSERT_TRUE(owner.WaitForCall(5s)) << "the third request is granted and reports its change";
    EXPECT_EQ(1, owner.RunQueued());
    EXPECT_EQ(1, calls);

    std::lock_guard lock(GRefusalsMutex);
    ASSERT_GE(GRequestTimes.size(), 3u);
    // Each refusal is followed by the pause, not by a spin of requests.
    for (std::size_t i = 1; i < 3; ++i)
        EXPECT_GE(GRequestTimes[i] - GRequestTimes[i - 1], 450ms) << "request " << i;
}

TEST(NetworkChangeNotifier, TheWorkersThreadIdIsKnownWhenTheConstructorReturns)
{
    TIpHelperTable fake;
    fake.Library = reinterpret_cast<HANDLE>(1);
    TIpHelperTableGuard guard(fake);

    TOwnerQueue owner;
    const std::uint32_t ownerThread = GetCurrentThreadId();
    for (int i = 0; i < 200; ++i) {
        TNetworkChangeNotifier notifier(owner.Poster());
        const std::uint32_t id = notifier.ThreadId();
        ASSERT_NE(0u, id) << "notifier " << i;
        ASSERT_NE(ownerThread, id) << "notifier " << i;
    }
}

TEST(NetworkChangeNotifier, NoHandlerDropsChanges)
{
    TIpHelperTable fake;
    fake.Library = reinterpret_cast<HANDLE>(1);
    fake.NotifyAddrChange = &ImmediateChange;
    TIpHelperTableGuard guard(fake);

    TOwnerQueue owner;
    TNetworkChangeNotifier notifier(owner.Poster());
    ASSERT_TRUE(owner.WaitForCall(5s));
    EXPECT_EQ(1, owner.RunQueued());
    ASSERT_TRUE(owner.WaitForCall(5s)) << "the worker goes on after a dropped change";
}

// --- The real kernel ---------------------------------------------------------------------------

class KernelNotifier : public testing::Test
{
protected:
    void SetUp() override
    {
        if (const std::string reason = test::EnterNetworkNamespace(); !reason.empty())
            GTEST_SKIP() << reason;
        // Up, and its carrier's report over before a test starts listening, or it counts as a change.
        if (!test::AddVethPair("qn0", "qn1"))
            GTEST_SKIP() << "cannot create a veth pair";
        BindIpHelper();
        ASSERT_NE(nullptr, IpHelper().NotifyAddrChange);
    }

    // Runs the owner's calls until the interfaces set up for the test have settled (a link's carrier
    // comes up a little later and is a change of its own).
    static void Settle(TOwnerQueue& AOwner)
    {
        while (AOwner.WaitForCall(std::chrono::milliseconds(300)))
            AOwner.RunQueued();
    }

    static void Ip(const std::string& AArgs) { test::Build("ip " + AArgs); }
};

TEST_F(KernelNotifier, AnAddedAddressIsReportedAndABurstGivesFewCalls)
{
    TOwnerQueue owner;
    TNetworkChangeNotifier notifier(owner.Poster());
    int calls = 0;
    notifier.OnChange = [&](TNetworkChangeNotifier*, std::uint32_t ARes) {
        ++calls;
        EXPECT_EQ(0u, ARes);
    };
    // Let the worker make its first request before the change.
    Settle(owner);
    calls = 0;
    Ip("addr add 10.77.0.1/24 dev qn0");
    ASSERT_TRUE(owner.WaitForCall(5s));
    owner.RunQueued();
    EXPECT_EQ(1, calls);

    // 100 changes while the owner is busy: they merge into the pending call and perhaps one more.
    Settle(owner);
    for (int i = 0; i < 100; ++i)
        Ip("addr add 10.78." + std::to_string(i) + ".1/24 dev qn0");
    ASSERT_TRUE(owner.WaitForCall(5s));
    int burst = owner.RunQueued();
    while (owner.WaitForCall(700ms))
        burst += owner.RunQueued();
    EXPECT_GE(burst, 1);
    EXPECT_LE(burst, 3);
}

TEST_F(KernelNotifier, AChangeWhileTheOwnerIsBusyGivesOneMoreCall)
{
    TOwnerQueue owner;
    TNetworkChangeNotifier notifier(owner.Poster());
    int calls = 0;
    notifier.OnChange = [&](TNetworkChangeNotifier*, std::uint32_t) { ++calls; };
    Settle(owner);
    calls = 0;
    Ip("addr add 10.80.0.1/24 dev qn0");
    ASSERT_TRUE(owner.WaitForCall(5s));
    // The owner has not run its call yet (it is refreshing, say) when the next change arrives.
    Ip("addr add 10.80.1.1/24 dev qn0");
    std::this_thread::sleep_for(100ms); // let the kernel deliver it before the next request
    owner.RunQueued();
    EXPECT_EQ(1, calls);
    ASSERT_TRUE(owner.WaitForCall(5s)) << "the change made during the call was dropped";
    owner.RunQueued();
    EXPECT_EQ(2, calls);
}

// Links created one after another while the owner refreshes: after the last call, the owner's
// view holds every one of them.
#ifndef _WIN32 // reads the links back through if_nameindex, which only Linux has; the others skip there
TEST_F(KernelNotifier, ABurstOfNewLinksIsAllSeenByTheLastCall)
{
    TOwnerQueue owner;
    TNetworkChangeNotifier notifier(owner.Poster());
    std::set<std::string> seen;
    int calls = 0;
    notifier.OnChange = [&](TNetworkChangeNotifier*, std::uint32_t) {
        ++calls;
        seen.clear();
        if (struct if_nameindex* names = if_nameindex()) {
            for (struct if_nameindex* n = names; n->if_index != 0; ++n)
                seen.insert(n->if_name);
            if_freenameindex(names);
        }
        std::this_thread::sleep_for(150ms); // a refresh takes a while; changes go on meanwhile
    };
    Settle(owner);
    calls = 0;
    std::thread burst([] {
        for (int i = 0; i < 4; ++i) {
            const std::string n = std::to_string(i);
            std::system(("ip link add qb" + n + " type veth peer name qc" + n).c_str());
            std::this_thread::sleep_for(100ms);
        }
    });
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (std::chrono::steady_clock::now() < deadline && !(calls > 0 && seen.count("qb3") && seen.count("qc3")))
        if (owner.WaitForCall(100ms))
            owner.RunQueued();
    burst.join();
    while (owner.WaitForCall(500ms))
        owner.RunQueued();
    for (const char* name : {"qb0", "qb1", "qb2", "qb3", "qc0", "qc1", "qc2", "qc3"})
        EXPECT_EQ(1u, seen.count(name)) << name << " is missing from the last view";
    EXPECT_LE(calls, 8) << "changes are merged into few calls";
}
#endif

TEST_F(KernelNotifier, DestroyedWhileAChangeIsPendingReturnsAtOnce)
{
    TOwnerQueue owner;
    int calls = 0;
    {
        TNetworkChangeNotifier notifier(owner.Poster());
        Settle(owner);
        notifier.OnChange = [&](TNetworkChangeNotifier*, std::uint32_t) { ++calls; };
        Ip("addr add 10.79.0.1/24 dev qn0");
        ASSERT_TRUE(owner.WaitForCall(5s));
    }
    owner.RunQueued();
    EXPECT_EQ(0, calls);
}

} // namespace
} // namespace qn
