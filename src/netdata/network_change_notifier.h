// TNetworkChangeNotifier: tells its owner's thread when the machine's IPv4 configuration changes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

namespace qn {

class TNetworkChangeNotifier;

using TNetworkNotifyEvent = std::function<void(TNetworkChangeNotifier* Sender, std::uint32_t ARes)>;

// Runs a call on the owner's thread later (a queued call into its event loop); must not block and
// may be called from any thread.
using TPostToOwner = std::function<void(std::function<void()> ACall)>;

// A worker thread asks the IP helper service for the next address change (NotifyAddrChange) and
// waits for it; only a change or the stop ends the wait. At each change it posts one call to the owner's thread and
// waits until that call has run, so OnChange always runs on the owner's thread, never twice at once, and changes that
// arrive before the next request merge into one call. ARes is always 0.
//
// The service function is the one bound when the notifier is constructed. A request it refuses (or
// a service without NotifyAddrChange) is retried after one 500 ms wait, never at once. A failing
// wait ends the worker for good.
//
// Destruction, on the owner's thread, stops the worker and returns at once: the worker is woken
// from whatever it waits for (a change, or the owner running its call) and leaves without
// calling anything. A call still queued on the owner's thread then does nothing, so no change
// reaches an owner that is being destroyed.
class TNetworkChangeNotifier
{
public:
    explicit TNetworkChangeNotifier(TPostToOwner APost);
    ~TNetworkChangeNotifier();
    TNetworkChangeNotifier(const TNetworkChangeNotifier&) = delete;
    TNetworkChangeNotifier& operator=(const TNetworkChangeNotifier&) = delete;

    // Set on the owner's thread; read there only.
    TNetworkNotifyEvent OnChange;

    // The worker's thread id from the moment the constructor returns until the worker ends, else 0
    // (no worker: no event or no way to post).
    std::uint32_t ThreadId() const;

private:
    struct TShared;
    void DoChange(std::uint32_t ARes);

    std::shared_ptr<TShared> FShared;
    std::thread FThread;
};

} // namespace qn
