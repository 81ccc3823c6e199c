// The Windows SDK headers the platform seam stands on, included in one way everywhere: no min/max
// macros, and the few function-name macros that would rename the seam's own functions undone.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif

// winsock2.h must come before windows.h, and iphlpapi.h after both.
#include <winsock2.h>

#include <ws2tcpip.h>

#include <windows.h>

#include <iphlpapi.h>

#include <netioapi.h>

// The seam declares qn::CreateEvent and qn::VerQueryValue; the SDK's A/W macros would rename them.
#undef CreateEvent
#undef VerQueryValue

// The MIB_IFROW operational states are plain numbers in this SDK; the seam names their type.
using INTERNAL_IF_OPER_STATUS = DWORD;

// Address families of GetAdaptersAddresses and SOCKADDR, under the seam's names.
inline constexpr ULONG IpHelperFamilyUnspec = AF_UNSPEC;
inline constexpr ULONG IpHelperFamilyInet = AF_INET;
