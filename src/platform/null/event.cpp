// Events on a mutex and a condition variable; there is no address-change service to wait for.
#include "platform/event.h"
#include "platform/ip_helper.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace qn {

namespace {

constexpr std::uint32_t EventMagic = 0x45564E54; // "EVNT"

struct TEventObject
{
    std::uint32_t Magic = EventMagic;
    bool ManualReset = false;
    bool Signalled = false;
    std::mutex Mutex;
    std::condition_variable Changed;
};

TEventObject* AsEvent(HANDLE AHandle)
{
    auto* event = static_cast<TEventObject*>(AHandle);
    return event && event->Magic == EventMagic ? event : nullptr;
}

} // namespace

HANDLE CreateEvent(bool AManualReset, bool AInitialState)
{
    auto* event = new TEventObject;
    event->ManualReset = AManualReset;
    event->Signalled = AInitialState;
    return event;
}

bool SetEvent(HANDLE AEvent)
{
    TEventObject* event = AsEvent(AEvent);
    if (!event)
        return false;
    std::lock_guard lock(event->Mutex);
    event->Signalled = true;
    event->Changed.notify_all();
    return true;
}

bool ResetEvent(HANDLE AEvent)
{
    TEventObject* event = AsEvent(AEvent);
    if (!event)
        return false;
    std::lock_guard lock(event->Mutex);
    event->Signalled = false;
    return true;
}

DWORD WaitForSingleObject(HANDLE AHandle, DWORD AMilliseconds)
{
    TEventObject* event = AsEvent(AHandle);
    if (!event)
        return WAIT_FAILED;
    std::unique_lock lock(event->Mutex);
    const auto signalled = [event] { return event->Signalled; };
    if (AMilliseconds == INFINITE)
        event->Changed.wait(lock, signalled);
    else if (!event->Changed.wait_for(lock, std::chrono::milliseconds(AMilliseconds), signalled))
        return WAIT_TIMEOUT;
    if (!event->ManualReset)
        event->Signalled = false;
    return WAIT_OBJECT_0;
}

bool CloseHandle(HANDLE AHandle)
{
    TEventObject* event = AsEvent(AHandle);
    if (!event)
        return false;
    event->Magic = 0;
    delete event;
    return true;
}

bool CancelIPChangeNotify(OVERLAPPED*)
{
    return false; // no request is ever made
}

} // namespace qn
