// TWakeOnce: one wake of the machine is handled once, whether the clocks or logind tell it first.
#pragma once

namespace qn {

// Two sources tell of a wake: the clocks at the next tick (the boot clock ahead of the monotonic
// one) and logind's PrepareForSleep(false), in either order. The clocks tell each sleep once,
// and forget a sleep once a wake was handled; logind's wake closes the sleep it announced, so it
// is dropped when the clocks handled that sleep's wake before it came.
class TWakeOnce
{
public:
    // logind announced a sleep: its wake is still to come.
    void SleepAnnounced() { FHandled = false; }
    // logind told of a wake: true when it is to be handled.
    bool BusWake();
    // The clocks found a sleep: always a new one, to be handled.
    bool ClockWake();

private:
    bool FHandled = false; // a wake was handled since the last announced sleep
};

} // namespace qn
