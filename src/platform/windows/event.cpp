// Events are the kernel's own event objects; the address-change request is the service's.
#include "platform/event.h"

#include "platform/ip_helper.h"

namespace qn {

HANDLE CreateEvent(bool AManualReset, bool AInitialState)
{
    return ::CreateEventW(nullptr, AManualReset, AInitialState, nullptr);
}

bool SetEvent(HANDLE AEvent)
{
    return ::SetEvent(AEvent) != 0;
}

bool ResetEvent(HANDLE AEvent)
{
    return ::ResetEvent(AEvent) != 0;
}

DWORD WaitForSingleObject(HANDLE AHandle, DWORD AMilliseconds)
{
    return ::WaitForSingleObject(AHandle, AMilliseconds);
}

bool CloseHandle(HANDLE AHandle)
{
    return AHandle && ::CloseHandle(AHandle) != 0;
}

} // namespace qn
