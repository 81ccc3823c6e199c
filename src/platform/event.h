// Event objects with Windows semantics for the threads that wait on address-change requests.
//
// An event is signalled by SetEvent from any thread, or by the address-change request
// (NotifyAddrChange) whose OVERLAPPED names it, when the next change arrives. WaitForSingleObject
// returns WAIT_OBJECT_0 when the event is (or becomes) signalled within the timeout, WAIT_TIMEOUT
// otherwise, WAIT_FAILED for a bad handle. An auto-reset event is reset by the wait that saw it.
// A wait on an event belongs to one thread at a time; SetEvent may race with it freely.
#pragma once

#include "platform/ip_helper_types.h"

namespace qn {

// A new event, or null when the system has no resources for one. Close it with CloseHandle.
HANDLE CreateEvent(bool AManualReset, bool AInitialState);

bool SetEvent(HANDLE AEvent);
bool ResetEvent(HANDLE AEvent);

DWORD WaitForSingleObject(HANDLE AHandle, DWORD AMilliseconds);

// Closes an event or an address-change notification handle (which also ends its request). Closing
// null is an error (false); a handle must be closed once.
bool CloseHandle(HANDLE AHandle);

} // namespace qn
