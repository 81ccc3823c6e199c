// Address-change worker: NotifyAddrChange with an event, a wait that only a change or the stop ends,
// a synchronous hand-off.
#include "netdata/network_change_notifier.h"

#include "netdata/ip_helper_table.h"
#include "platform/event.h"
#include "platform/ip_helper.h"
#include "platform/thread_id.h"

#include <atomic>
#include <condition_variable>
#include <future>
#include <mutex>

namespace qn {

namespace {
// The pause before a refused request is made again.
constexpr DWORD RetryPauseMs = 500;
} // namespace

// State of one worker, shared with the calls it posts, so that either may outlive the notifier.
struct TNetworkChangeNotifier::TShared
{
    TPostToOwner Post;
    // Taken once: the owner's thread may rebind the process-wide table while the worker runs.
    PFN_NotifyAddrChange Notify = nullptr;
    TNetworkChangeNotifier* Owner = nullptr; // read and cleared on the owner's thread only
    HANDLE Event = nullptr;
    std::atomic<bool> Stop{false};
    std::atomic<std::uint32_t> ThreadId{0};
    std::mutex Mutex;
    std::condition_variable HandedOver;
    std::uint64_t Posted = 0; // calls posted so far
    std::uint64_t Done = 0;   // calls the owner has run (or dropped)

    ~TShared()
    {
        if (Event)
            CloseHandle(Event);
    }

    // Posts one call and waits until the owner's thread has run it or the notifier is stopping.
    void HandOver(std::uint32_t ARes, const std::shared_ptr<TShared>& ASelf)
    {
        std::uint64_t ticket = 0;
        {
            std::lock_guard lock(Mutex);
            ticket = ++Posted;
        }
        // The call holds the state, so a call that runs after the notifier is gone finds Owner null.
        Post([self = ASelf, ticket, ARes] {
            if (!self->Stop.load() && self->Owner)
                self->Owner->DoChange(ARes);
            std::lock_guard lock(self->Mutex);
            self->Done = ticket;
            self->HandedOver.notify_all();
        });
        std::unique_lock lock(Mutex);
        HandedOver.wait(lock, [&] { return Done >= ticket || Stop.load(); });
    }

    void Execute(const std::shared_ptr<TShared>& ASelf)
    {
        const std::uint32_t res = 0; // nothing ever gives the notification a result
        OVERLAPPED overlapped{};
        bool requested = false;
        while (!Stop.load()) {
            overlapped = OVERLAPPED{};
            overlapped.hEvent = Event;
            HANDLE handle = nullptr;
            const DWORD rc = Notify ? Notify(&handle, &overlapped) : ERROR_NOT_SUPPORTED;
            requested = rc == NO_ERROR || rc == ERROR_IO_PENDING;
            if (!requested) {
                // Refused, or no service: try again after one pause instead of spinning.
                if (WaitForSingleObject(Event, RetryPauseMs) == WAIT_FAILED)
                    break;
                continue;
            }
            // No timeout: stopping sets the event, so waking up twice a second to look at the stop
            // flag would only cost an idle program CPU time.
            const DWORD wait = WaitForSingleObject(Event, INFINITE);
            if (Stop.load() || wait != WAIT_OBJECT_0)
                break;
            // The request is used up by its signal; the next loop makes a fresh one.
            requested = false;
            HandOver(res, ASelf);
        }
        if (requested)
            qn::CancelIPChangeNotify(&overlapped); // qualified: the SDK declares one too
        ThreadId = 0;
    }
};

TNetworkChangeNotifier::TNetworkChangeNotifier(TPostToOwner APost) : FShared(std::make_shared<TShared>())
{
    FShared->Post = std::move(APost);
    FShared->Notify = IpHelper().NotifyAddrChange;
    FShared->Owner = this;
    FShared->Event = CreateEvent(false, false);
    if (!FShared->Event || !FShared->Post)
        return; // no event, no worker: the notifier never fires
    // The id is the worker's own, so it can only be read there; waiting for it is a matter of
    // microseconds and lets ThreadId() answer as soon as the constructor returns.
    std::promise<void> started;
    std::future<void> running = started.get_future();
    FThread = std::thread([shared = FShared, started = std::move(started)]() mutable {
        shared->ThreadId = GetCurrentThreadId();
        started.set_value();
        shared->Execute(shared);
    });
    running.wait();
}

TNetworkChangeNotifier::~TNetworkChangeNotifier()
{
    FShared->Owner = nullptr;
    FShared->Stop = true;
    {
        std::lock_guard lock(FShared->Mutex);
        FShared->HandedOver.notify_all();
    }
    if (FShared->Event)
        SetEvent(FShared->Event);
    // Woken from either wait, the worker leaves without calling anything: the join is immediate.
    if (FThread.joinable())
        FThread.join();
}

std::uint32_t TNetworkChangeNotifier::ThreadId() const
{
    return FShared->ThreadId.load();
}

void TNetworkChangeNotifier::DoChange(std::uint32_t ARes)
{
    if (OnChange)
        OnChange(this, ARes);
}

} // namespace qn
