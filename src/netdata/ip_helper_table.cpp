// Run-time binding of the IP helper functions by name.
#include "netdata/ip_helper_table.h"

#include "platform/ip_helper.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace qn {

const std::array<std::string_view, 22> IpHelperNames = {
    "GetAdaptersInfo",
    "GetNetworkParams",
    "GetInterfaceInfo",
    "GetIfTable",
    "GetIfEntry",
    "GetIfTable2",
    "GetIfEntry2",
    "GetNumberOfInterfaces",
    "GetAdapterIndex",
    "GetIpNetTable",
    "GetIpAddrTable",
    "SendARP",
    "GetBestInterface",
    "GetAdaptersAddresses",
    "ConvertInterfaceIndexToLuid",
    "ConvertInterfaceLuidToAlias",
    "GetIpInterfaceEntry",
    "AllocateAndGetTcpExTableFromStack",
    "AllocateAndGetUdpExTableFromStack",
    "NotifyAddrChange",
    "GetExtendedTcpTable",
    "GetExtendedUdpTable",
};

namespace {

TIpHelperTable GTable;
const TIpHelperTable* GFakeSource = nullptr;

// Calls AVisit(name, pointer field) for every function of ATable, in lookup order.
template <typename TTable, typename TVisit>
void ForEachFunction(TTable& ATable, TVisit&& AVisit)
{
    std::size_t i = 0;
    const auto visit = [&](auto& AField) { AVisit(IpHelperNames[i++], AField); };
    visit(ATable.GetAdaptersInfo);
    visit(ATable.GetNetworkParams);
    visit(ATable.GetInterfaceInfo);
    visit(ATable.GetIfTable);
    visit(ATable.GetIfEntry);
    visit(ATable.GetIfTable2);
    visit(ATable.GetIfEntry2);
    visit(ATable.GetNumberOfInterfaces);
    visit(ATable.GetAdapterIndex);
    visit(ATable.GetIpNetTable);
    visit(ATable.GetIpAddrTable);
    visit(ATable.SendARP);
    visit(ATable.GetBestInterface);
    visit(ATable.GetAdaptersAddresses);
    visit(ATable.ConvertInterfaceIndexToLuid);
    visit(ATable.ConvertInterfaceLuidToAlias);
    visit(ATable.GetIpInterfaceEntry);
    visit(ATable.AllocateAndGetTcpExTableFromStack);
    visit(ATable.AllocateAndGetUdpExTableFromStack);
    visit(ATable.NotifyAddrChange);
    visit(ATable.GetExtendedTcpTable);
    visit(ATable.GetExtendedUdpTable);
}

// The fake source's function of that name, as the generic procedure type the lookup returns.
TIpHelperProc FakeProc(const TIpHelperTable& AFake, std::string_view AName)
{
    TIpHelperProc found = nullptr;
    ForEachFunction(AFake, [&](std::string_view AFieldName, auto AField) {
        if (AFieldName == AName)
            found = reinterpret_cast<TIpHelperProc>(AField);
    });
    return found;
}

} // namespace

TIpHelperTable& IpHelper()
{
    return GTable;
}

bool BindIpHelper()
{
    HANDLE library = GFakeSource ? GFakeSource->Library : LoadIpHelper();
    if (GTable.Library != library)
        GTable.Library = library;
    ForEachFunction(GTable, [](std::string_view AName, auto& AField) {
        using TField = std::remove_reference_t<decltype(AField)>;
        TIpHelperProc proc = nullptr;
        if (GTable.Library) {
            if (GFakeSource) {
                proc = FakeProc(*GFakeSource, AName);
            } else {
                char name[64] = {};
                std::memcpy(name, AName.data(), std::min(AName.size(), sizeof(name) - 1));
                proc = GetIpHelperProc(GTable.Library, name);
            }
        }
        // Rebinding writes only what changed: the change notifier's thread reads its entry meanwhile.
        if (AField != reinterpret_cast<TField>(proc))
            AField = reinterpret_cast<TField>(proc);
    });
    return GTable.Library != nullptr && GTable.GetAdaptersInfo != nullptr;
}

bool IpHelperFromHost()
{
    return !GFakeSource && GTable.Library != nullptr;
}

TIpHelperTableGuard::TIpHelperTableGuard(const TIpHelperTable& AFake)
    : FFake(AFake), FPreviousSource(GFakeSource), FPreviousTable(GTable)
{
    GFakeSource = &FFake;
    BindIpHelper();
}

TIpHelperTableGuard::~TIpHelperTableGuard()
{
    GFakeSource = FPreviousSource;
    GTable = FPreviousTable;
}

} // namespace qn
