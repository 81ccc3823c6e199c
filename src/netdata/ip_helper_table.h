// The process-wide table of IP helper functions, bound by name, and the guard that lets tests swap it.
//
// Every pointer is null until BindIpHelper finds the function; callers check each pointer before use
// and take their fallback when it is null. The table is written by BindIpHelper (GUI thread) and only
// read elsewhere; the address-change worker reads NotifyAddrChange after the first binding.
#pragma once

#include "platform/ip_helper_types.h"

#include <array>
#include <string_view>

namespace qn {

struct TIpHelperTable
{
    HANDLE Library = nullptr; // the service's module; null when it could not be loaded
    // In lookup order.
    PFN_GetAdaptersInfo GetAdaptersInfo = nullptr;
    PFN_GetNetworkParams GetNetworkParams = nullptr;
    PFN_GetInterfaceInfo GetInterfaceInfo = nullptr;
    PFN_GetIfTable GetIfTable = nullptr;
    PFN_GetIfEntry GetIfEntry = nullptr;
    PFN_GetIfTable2 GetIfTable2 = nullptr;
    PFN_GetIfEntry2 GetIfEntry2 = nullptr;
    PFN_GetNumberOfInterfaces GetNumberOfInterfaces = nullptr;
    PFN_GetAdapterIndex GetAdapterIndex = nullptr;
    PFN_GetIpNetTable GetIpNetTable = nullptr;
    PFN_GetIpAddrTable GetIpAddrTable = nullptr;
    PFN_SendARP SendARP = nullptr;
    PFN_GetBestInterface GetBestInterface = nullptr;
    PFN_GetAdaptersAddresses GetAdaptersAddresses = nullptr;
    PFN_ConvertInterfaceIndexToLuid ConvertInterfaceIndexToLuid = nullptr;
    PFN_ConvertInterfaceLuidToAlias ConvertInterfaceLuidToAlias = nullptr;
    PFN_GetIpInterfaceEntry GetIpInterfaceEntry = nullptr;
    PFN_AllocateAndGetTcpExTableFromStack AllocateAndGetTcpExTableFromStack = nullptr;
    PFN_AllocateAndGetUdpExTableFromStack AllocateAndGetUdpExTableFromStack = nullptr;
    PFN_NotifyAddrChange NotifyAddrChange = nullptr;
    PFN_GetExtendedTcpTable GetExtendedTcpTable = nullptr;
    PFN_GetExtendedUdpTable GetExtendedUdpTable = nullptr;
};

// The 22 names in the order BindIpHelper looks them up.
extern const std::array<std::string_view, 22> IpHelperNames;

// The process-wide table. All null until the first BindIpHelper.
TIpHelperTable& IpHelper();

// Takes the service's module (loading it when needed), looks up every name again and stores each
// result, null when missing. True when the module is there and GetAdaptersInfo was found.
bool BindIpHelper();

// True while the table is bound to the host's own service (not to a table a guard put in place).
bool IpHelperFromHost();

// While it lives, BindIpHelper binds from AFake instead of the host's service: the module is
// AFake.Library (null = the service cannot be loaded) and each name finds the matching pointer of
// AFake (null = missing). The constructor binds at once; the destructor puts back the previous source
// and the previous table contents. Guards nest; destroy them in reverse order.
class TIpHelperTableGuard
{
public:
    explicit TIpHelperTableGuard(const TIpHelperTable& AFake);
    ~TIpHelperTableGuard();
    TIpHelperTableGuard(const TIpHelperTableGuard&) = delete;
    TIpHelperTableGuard& operator=(const TIpHelperTableGuard&) = delete;

private:
    TIpHelperTable FFake;
    const TIpHelperTable* FPreviousSource;
    TIpHelperTable FPreviousTable;
};

} // namespace qn
