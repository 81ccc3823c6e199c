// The host's IP helper service: the built-in provider that answers the bound functions by name.
#pragma once

#include "platform/ip_helper_types.h"

namespace qn {

// A function of the service, to be cast to its PFN_ type.
using TIpHelperProc = void (*)();

// The service's module handle: not null when the service is usable. Loading never fails on Linux;
// the handle stays valid for the life of the process.
HANDLE LoadIpHelper();

// The function called AName (e.g. "GetIfEntry2") of the module AModule, or null when the host does
// not provide it. Callers treat a null result as the function being absent.
TIpHelperProc GetIpHelperProc(HANDLE AModule, const char* AName);

// Ends the address-change request made through NotifyAddrChange with AOverlapped and releases the
// notification handle it returned. The request's event is left as it is. False when no request of
// this thread uses AOverlapped.
bool CancelIPChangeNotify(OVERLAPPED* AOverlapped);

} // namespace qn
