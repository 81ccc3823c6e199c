// The scripted IP helper service: each function builds the Windows records from the script.
#include "support/fake_ip_helper.h"

#include "platform/event.h"
#include "platform/wide_text.h"

#include <algorithm>
#ifndef _WIN32
#include <arpa/inet.h> // Windows declares inet_pton with the socket records
#endif
#include <cstring>
#include <stdexcept>

namespace qn::test {

namespace {

TFakeIpHelper* GCurrent = nullptr;

void CopyText(char* AField, std::size_t ACapacity, const std::string& AText)
{
    const std::size_t n = std::min(AText.size(), ACapacity - 1);
    std::memcpy(AField, AText.data(), n);
    AField[n] = 0;
}

ULONG Dotted(const std::string& AText)
{
    in_addr address{};
    inet_pton(AF_INET, AText.c_str(), &address);
    return address.s_addr;
}

// Lays out a chain of IP_ADDR_STRING: the first entry embedded in the record, the rest in APool.
// Returns the number of pool entries used.
std::size_t FillChain(IP_ADDR_STRING& AFirst, IP_ADDR_STRING* APool,
                      const std::vector<std::pair<std::string, std::string>>& AEntries, bool ASelfLoop)
{
    AFirst = IP_ADDR_STRING{};
    if (AEntries.empty()) {
        if (ASelfLoop)
            AFirst.Next = &AFirst;
        return 0;
    }
    IP_ADDR_STRING* previous = nullptr;
    for (std::size_t i = 0; i < AEntries.size(); ++i) {
        IP_ADDR_STRING* entry = i == 0 ? &AFirst : &APool[i - 1];
        *entry = IP_ADDR_STRING{};
        CopyText(entry->IpAddress.String, sizeof(entry->IpAddress.String), AEntries[i].first);
        CopyText(entry->IpMask.String, sizeof(entry->IpMask.String), AEntries[i].second);
        if (previous)
            previous->Next = entry;
        previous = entry;
    }
    if (ASelfLoop)
        previous->Next = previous;
    return AEntries.size() - 1;
}

std::size_t ExtraEntries(const std::vector<std::pair<std::string, std::string>>& AEntries)
{
    return AEntries.empty() ? 0 : AEntries.size() - 1;
}

} // namespace

// Static entry points of the table; each forwards to the fake that is alive.
struct TFakeIpHelperAccess
{
    static TFakeIpHelper& Fake()
    {
        if (!GCurrent)
            throw std::logic_error("no TFakeIpHelper is alive");
        return *GCurrent;
    }

    // Counts the call; true (with AResult set) when the script forces a result.
    static bool Enter(const char* AName, DWORD& AResult)
    {
        TFakeIpHelper& fake = Fake();
        {
            std::lock_guard lock(fake.FMutex);
            ++fake.FCalls[AName];
        }
        const auto forced = fake.ForcedResult.find(AName);
        if (forced == fake.ForcedResult.end())
            return false;
        AResult = forced->second;
        return true;
    }

    static DWORD GetInterfaceInfo(PIP_INTERFACE_INFO pIfTable, PULONG dwOutBufLen)
    {
        DWORD result;
        if (Enter("GetInterfaceInfo", result))
            return result;
        if (!dwOutBufLen)
            return ERROR_INVALID_PARAMETER;
        TFakeIpHelper& fake = Fake();
        const ULONG actual = static_cast<ULONG>(offsetof(IP_INTERFACE_INFO, Adapter) +
                                                fake.Interfaces.size() * sizeof(IP_ADAPTER_INDEX_MAP));
        const ULONG needed = fake.Required("GetInterfaceInfo", actual);
        if (!pIfTable || *dwOutBufLen < needed) {
            *dwOutBufLen = needed;
            return ERROR_INSUFFICIENT_BUFFER;
        }
        pIfTable->NumAdapters = static_cast<LONG>(fake.Interfaces.size());
        for (std::size_t i = 0; i < fake.Interfaces.size(); ++i) {
            const TFakeInterface& intf = fake.Interfaces[i];
            IP_ADAPTER_INDEX_MAP& entry = pIfTable->Adapter[i];
            entry = IP_ADAPTER_INDEX_MAP{};
            entry.Index = intf.Index;
            Utf8ToWide(intf.MapName.empty() ? intf.Name : intf.MapName, entry.Name, MAX_ADAPTER_NAME);
        }
        return NO_ERROR;
    }

    static DWORD GetAdaptersInfo(PIP_ADAPTER_INFO AdapterInfo, PULONG SizePointer)
    {
        DWORD result;
        if (Enter("GetAdaptersInfo", result))
            return result;
        if (!SizePointer)
            return ERROR_INVALID_PARAMETER;
        TFakeIpHelper& fake = Fake();
        if (fake.Interfaces.empty())
            return ERROR_NO_DATA;
        std::size_t extra = 0;
        for (const TFakeInterface& intf : fake.Interfaces)
            extra += ExtraEntries(intf.Addresses) + ExtraEntries(intf.Gateways) + ExtraEntries(intf.DhcpServers) +
                     ExtraEntries(intf.PrimaryWins) + ExtraEntries(intf.SecondaryWins);
        const ULONG actual =
            static_cast<ULONG>(fake.Interfaces.size() * sizeof(IP_ADAPTER_INFO) + extra * sizeof(IP_ADDR_STRING));
        const ULONG needed = fake.Required("GetAdaptersInfo", actual);
        if (!AdapterInfo || *SizePointer < needed) {
            *SizePointer = needed;
            return ERROR_BUFFER_OVERFLOW;
        }
        auto* pool = reinterpret_cast<IP_ADDR_STRING*>(AdapterInfo + fake.Interfaces.size());
        for (std::size_t i = 0; i < fake.Interfaces.size(); ++i) {
            const TFakeInterface& intf = fake.Interfaces[i];
            IP_ADAPTER_INFO& info = AdapterInfo[i];
            info = IP_ADAPTER_INFO{};
            info.Next = i + 1 < fake.Interfaces.size() ? &AdapterInfo[i + 1] : nullptr;
            info.ComboIndex = intf.Index;
            CopyText(info.AdapterName, sizeof(info.AdapterName), intf.Name);
            CopyText(info.Description, sizeof(info.Description), intf.Description);
            info.AddressLength = static_cast<UINT>(std::min<std::size_t>(intf.Mac.size(), MAX_ADAPTER_ADDRESS_LENGTH));
            std::copy_n(intf.Mac.begin(), info.AddressLength, info.Address);
            info.Index = intf.Index;
            info.Type = intf.Type;
            info.DhcpEnabled = intf.Dhcp ? 1 : 0;
            info.HaveWins = intf.HaveWins ? TRUE : FALSE;
            pool += FillChain(info.IpAddressList, pool, intf.Addresses, fake.SelfLoopChains);
            pool += FillChain(info.GatewayList, pool, intf.Gateways, fake.SelfLoopChains);
            pool += FillChain(info.DhcpServer, pool, intf.DhcpServers, fake.SelfLoopChains);
            pool += FillChain(info.PrimaryWinsServer, pool, intf.PrimaryWins, fake.SelfLoopChains);
            pool += FillChain(info.SecondaryWinsServer, pool, intf.SecondaryWins, fake.SelfLoopChains);
            info.CurrentIpAddress = &info.IpAddressList;
        }
        return NO_ERROR;
    }

    static TFakeInterface* Counted(DWORD AIndex) { return Fake().Find(AIndex); }

    static DWORD GetIfEntry(PMIB_IFROW pIfRow)
    {
        DWORD result;
        if (Enter("GetIfEntry", result))
            return result;
        if (!pIfRow)
            return ERROR_INVALID_PARAMETER;
        TFakeInterface* intf = Counted(pIfRow->dwIndex);
        if (!intf || intf->IfEntryFails)
            return ERROR_INVALID_DATA;
        MIB_IFROW& row = *pIfRow;
        row = MIB_IFROW{};
        Utf8ToWide(intf->RowName.empty() ? intf->Name : intf->RowName, row.wszName, MAX_INTERFACE_NAME_LEN);
        row.dwIndex = intf->Index;
        row.dwType = intf->Type;
        row.dwMtu = intf->Mtu;
        row.dwSpeed = intf->Speed;
        row.dwPhysAddrLen = static_cast<DWORD>(std::min<std::size_t>(intf->Mac.size(), MAXLEN_PHYSADDR));
        std::copy_n(intf->Mac.begin(), row.dwPhysAddrLen, row.bPhysAddr);
        row.dwAdminStatus = intf->AdminStatus;
        row.dwOperStatus = static_cast<INTERNAL_IF_OPER_STATUS>(intf->OperStatus);
        row.dwInOctets = static_cast<DWORD>(intf->InOctets);
        row.dwOutOctets = static_cast<DWORD>(intf->OutOctets);
        intf->InOctets += intf->InStep;
        intf->OutOctets += intf->OutStep;
        return NO_ERROR;
    }

    static NETIO_STATUS GetIfEntry2(PMIB_IF_ROW2 Row)
    {
        DWORD result;
        if (Enter("GetIfEntry2", result))
            return result;
        if (!Row)
            return ERROR_INVALID_PARAMETER;
        const DWORD index =
            Row->InterfaceLuid.Value ? static_cast<DWORD>(Row->InterfaceLuid.Info.NetLuidIndex) : Row->InterfaceIndex;
        TFakeInterface* intf = Counted(index);
        if (!intf || intf->IfEntry2Fails)
            return ERROR_FILE_NOT_FOUND;
        MIB_IF_ROW2& row = *Row;
        row = MIB_IF_ROW2{};
        row.InterfaceLuid.Info.NetLuidIndex = intf->Index;
        row.InterfaceLuid.Info.IfType = intf->Type;
        row.InterfaceIndex = intf->Index;
        Utf8ToWide(intf->Alias, row.Alias, IF_MAX_STRING_SIZE + 1);
        Utf8ToWide(intf->Row2Description.empty() ? intf->Name : intf->Row2Description, row.Description,
                   IF_MAX_STRING_SIZE + 1);
        row.PhysicalAddressLength = static_cast<ULONG>(std::min<std::size_t>(intf->Mac.size(), 32));
        std::copy_n(intf->Mac.begin(), row.PhysicalAddressLength, row.PhysicalAddress);
        row.Mtu = intf->Mtu;
        row.Type = intf->Type;
        row.TransmitLinkSpeed = intf->TransmitLinkSpeed;
        row.ReceiveLinkSpeed = intf->TransmitLinkSpeed;
        row.AdminStatus = static_cast<NET_IF_ADMIN_STATUS>(intf->AdminStatus);
        row.OperStatus = intf->OperStatus >= IF_OPER_STATUS_CONNECTED ? IfOperStatusUp : IfOperStatusDown;
        row.InOctets = intf->InOctets;
        row.OutOctets = intf->OutOctets;
        intf->InOctets += intf->InStep;
        intf->OutOctets += intf->OutStep;
        return NO_ERROR;
    }

    static ULONG GetAdaptersAddresses(ULONG Family, ULONG Flags, PVOID Reserved, PIP_ADAPTER_ADDRESSES AdapterAddresses,
                                      PULONG SizePointer)
    {
        (void)Flags;
        DWORD result;
        if (Enter("GetAdaptersAddresses", result))
            return result;
        if (!SizePointer || Reserved || (Family != AF_INET && Family != AF_UNSPEC))
            return ERROR_INVALID_PARAMETER;
        TFakeIpHelper& fake = Fake();
        std::vector<const TFakeInterface*> entries;
        std::size_t servers = 0, wideChars = 0;
        for (const TFakeInterface& intf : fake.Interfaces) {
            if (!intf.InAdapterAddresses)
                continue;
            entries.push_back(&intf);
            servers += intf.DnsServers.size();
            wideChars += intf.DnsSuffix.size() + 1;
        }
        if (entries.empty())
            return ERROR_NO_DATA;
        const std::size_t serverBytes = sizeof(IP_ADAPTER_DNS_SERVER_ADDRESS) + sizeof(SOCKADDR_IN);
        const ULONG actual = static_cast<ULONG>(entries.size() * sizeof(IP_ADAPTER_ADDRESSES) + servers * serverBytes +
                                                ((wideChars * sizeof(WCHAR) + 7) / 8) * 8);
        const ULONG needed = fake.Required("GetAdaptersAddresses", actual);
        if (!AdapterAddresses || *SizePointer < needed) {
            *SizePointer = needed;
            return ERROR_BUFFER_OVERFLOW;
        }
        auto* server = reinterpret_cast<unsigned char*>(AdapterAddresses + entries.size());
        auto* text = reinterpret_cast<WCHAR*>(server + servers * serverBytes);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const TFakeInterface& intf = *entries[i];
            IP_ADAPTER_ADDRESSES& entry = AdapterAddresses[i];
            entry = IP_ADAPTER_ADDRESSES{};
            entry.Length = sizeof(IP_ADAPTER_ADDRESSES);
            entry.IfIndex = intf.Index;
            entry.Next = i + 1 < entries.size() ? &AdapterAddresses[i + 1] : nullptr;
            entry.Flags = intf.AddressesFlags;
            entry.Mtu = intf.Mtu;
            entry.IfType = intf.Type;
            entry.DnsSuffix = text;
            text += Utf8ToWide(intf.DnsSuffix, text, intf.DnsSuffix.size() + 1) + 1;
            IP_ADAPTER_DNS_SERVER_ADDRESS* previous = nullptr;
            for (const std::string& dns : intf.DnsServers) {
                auto* record = reinterpret_cast<IP_ADAPTER_DNS_SERVER_ADDRESS*>(server);
                auto* address = reinterpret_cast<SOCKADDR_IN*>(server + sizeof(IP_ADAPTER_DNS_SERVER_ADDRESS));
                server += serverBytes;
                *record = IP_ADAPTER_DNS_SERVER_ADDRESS{};
                *address = SOCKADDR_IN{};
                record->Length = sizeof(IP_ADAPTER_DNS_SERVER_ADDRESS);
                address->sin_family = AF_INET;
                address->sin_addr.S_un.S_addr = Dotted(dns);
                record->Address.lpSockaddr = reinterpret_cast<LPSOCKADDR>(address);
                record->Address.iSockaddrLength = sizeof(SOCKADDR_IN);
                if (previous)
                    previous->Next = record;
                else
                    entry.FirstDnsServerAddress = record;
                previous = record;
            }
            if (previous && fake.SelfLoopChains)
                previous->Next = previous;
        }
        return NO_ERROR;
    }

    static DWORD GetNetworkParams(PFIXED_INFO pFixedInfo, PULONG pOutBufLen)
    {
        DWORD result;
        if (Enter("GetNetworkParams", result))
            return result;
        if (!pOutBufLen)
            return ERROR_INVALID_PARAMETER;
        TFakeIpHelper& fake = Fake();
        const std::size_t extra = fake.DnsServers.empty() ? 0 : fake.DnsServers.size() - 1;
        const ULONG actual = static_cast<ULONG>(sizeof(FIXED_INFO) + extra * sizeof(IP_ADDR_STRING));
        const ULONG needed = fake.Required("GetNetworkParams", actual);
        if (!pFixedInfo || *pOutBufLen < needed) {
            *pOutBufLen = needed;
            return ERROR_BUFFER_OVERFLOW;
        }
        FIXED_INFO& info = *pFixedInfo;
        info = FIXED_INFO{};
        CopyText(info.HostName, sizeof(info.HostName), fake.HostName);
        CopyText(info.DomainName, sizeof(info.DomainName), fake.DomainName);
        CopyText(info.ScopeId, sizeof(info.ScopeId), fake.ScopeId);
        std::vector<std::pair<std::string, std::string>> servers;
        for (const std::string& dns : fake.DnsServers)
            servers.emplace_back(dns, "");
        FillChain(info.DnsServerList, reinterpret_cast<IP_ADDR_STRING*>(pFixedInfo + 1), servers, fake.SelfLoopChains);
        if (fake.CurrentDnsServer >= 0 && static_cast<std::size_t>(fake.CurrentDnsServer) < fake.DnsServers.size()) {
            IP_ADDR_STRING* current = &info.DnsServerList;
            for (int i = 0; i < fake.CurrentDnsServer; ++i)
                current = current->Next;
            info.CurrentDnsServer = current;
        }
        info.NodeType = fake.NodeType;
        info.EnableRouting = fake.EnableRouting;
        info.EnableProxy = fake.EnableProxy;
        info.EnableDns = fake.EnableDns;
        return NO_ERROR;
    }

    template <typename TTable, typename TRow>
    static ULONG SizedTable(const char* AName, const std::vector<TRow>& ARows, TTable* ATable, PULONG ASize)
    {
        DWORD result;
        if (Enter(AName, result))
            return result;
        if (!ASize)
            return ERROR_INVALID_PARAMETER;
        if (ARows.empty())
            return ERROR_NO_DATA;
        const ULONG actual = static_cast<ULONG>(offsetof(TTable, table) + ARows.size() * sizeof(TRow));
        const ULONG needed = Fake().Required(AName, actual);
        if (!ATable || *ASize < needed) {
            *ASize = needed;
            return ERROR_INSUFFICIENT_BUFFER;
        }
        ATable->dwNumEntries = static_cast<DWORD>(ARows.size());
        std::memcpy(ATable->table, ARows.data(), ARows.size() * sizeof(TRow));
        return NO_ERROR;
    }

    static ULONG GetIpAddrTable(PMIB_IPADDRTABLE pIpAddrTable, PULONG pdwSize, BOOL)
    {
        return SizedTable("GetIpAddrTable", Fake().AddrTable, pIpAddrTable, pdwSize);
    }

    static ULONG GetIpNetTable(PMIB_IPNETTABLE IpNetTable, PULONG SizePointer, BOOL)
    {
        return SizedTable("GetIpNetTable", Fake().NetTable, IpNetTable, SizePointer);
    }

    static DWORD GetBestInterface(IPAddr, PDWORD pdwBestIfIndex)
    {
        DWORD result;
        if (Enter("GetBestInterface", result))
            return result;
        if (!pdwBestIfIndex)
            return ERROR_INVALID_PARAMETER;
        if (Fake().BestInterfaceResult != NO_ERROR)
            return Fake().BestInterfaceResult;
        *pdwBestIfIndex = Fake().BestInterface;
        return NO_ERROR;
    }

    static NETIO_STATUS ConvertInterfaceIndexToLuid(NET_IFINDEX InterfaceIndex, PNET_LUID InterfaceLuid)
    {
        DWORD result;
        if (Enter("ConvertInterfaceIndexToLuid", result))
            return result;
        if (!InterfaceLuid)
            return ERROR_INVALID_PARAMETER;
        InterfaceLuid->Value = 0;
        const TFakeInterface* intf = Fake().Find(InterfaceIndex);
        if (!intf)
            return ERROR_FILE_NOT_FOUND;
        InterfaceLuid->Info.NetLuidIndex = intf->Index;
        InterfaceLuid->Info.IfType = intf->Type;
        return NO_ERROR;
    }

    static NETIO_STATUS ConvertInterfaceLuidToAlias(const NET_LUID* InterfaceLuid, PWSTR InterfaceAlias, SIZE_T Length)
    {
        DWORD result;
        if (Enter("ConvertInterfaceLuidToAlias", result))
            return result;
        if (!InterfaceLuid || !InterfaceAlias)
            return ERROR_INVALID_PARAMETER;
        const TFakeInterface* intf = Fake().Find(static_cast<DWORD>(InterfaceLuid->Info.NetLuidIndex));
        if (!intf)
            return ERROR_FILE_NOT_FOUND;
        const std::string& alias = intf->LuidAlias.empty() ? intf->Alias : intf->LuidAlias;
        if (alias.size() + 1 > Length)
            return ERROR_NOT_ENOUGH_MEMORY;
        Utf8ToWide(alias, InterfaceAlias, Length);
        return NO_ERROR;
    }

    static DWORD NotifyAddrChange(PHANDLE Handle, LPOVERLAPPED overlapped)
    {
        DWORD result;
        if (Enter("NotifyAddrChange", result))
            return result;
        TFakeIpHelper& fake = Fake();
        if (fake.NotifyResult != ERROR_IO_PENDING && fake.NotifyResult != NO_ERROR)
            return fake.NotifyResult;
        if (!Handle || !overlapped || !overlapped->hEvent)
            return ERROR_INVALID_PARAMETER;
        std::lock_guard lock(fake.FMutex);
        fake.FPendingEvent = overlapped->hEvent;
        *Handle = overlapped->hEvent;
        return fake.NotifyResult;
    }
};

TFakeIpHelper::TFakeIpHelper()
{
    if (GCurrent)
        throw std::logic_error("only one TFakeIpHelper may be alive");
    GCurrent = this;
    Install();
}

TFakeIpHelper::~TFakeIpHelper()
{
    FGuard.reset();
    GCurrent = nullptr;
}

void TFakeIpHelper::Install()
{
    using A = TFakeIpHelperAccess;
    FTable = TIpHelperTable{};
    if (!FNoLibrary) {
        FTable.Library = this;
        FTable.GetAdaptersInfo = &A::GetAdaptersInfo;
        FTable.GetNetworkParams = &A::GetNetworkParams;
        FTable.GetInterfaceInfo = &A::GetInterfaceInfo;
        FTable.GetIfEntry = &A::GetIfEntry;
        FTable.GetIfEntry2 = &A::GetIfEntry2;
        FTable.GetIpNetTable = &A::GetIpNetTable;
        FTable.GetIpAddrTable = &A::GetIpAddrTable;
        FTable.GetBestInterface = &A::GetBestInterface;
        FTable.GetAdaptersAddresses = &A::GetAdaptersAddresses;
        FTable.ConvertInterfaceIndexToLuid = &A::ConvertInterfaceIndexToLuid;
        FTable.ConvertInterfaceLuidToAlias = &A::ConvertInterfaceLuidToAlias;
        FTable.NotifyAddrChange = &A::NotifyAddrChange;
        // Clear what the script removed, by name.
        TIpHelperTable removed = FTable;
        for (const std::string& name : FRemoved) {
            if (name == "GetAdaptersInfo")
                removed.GetAdaptersInfo = nullptr;
            else if (name == "GetNetworkParams")
                removed.GetNetworkParams = nullptr;
            else if (name == "GetInterfaceInfo")
                removed.GetInterfaceInfo = nullptr;
            else if (name == "GetIfEntry")
                removed.GetIfEntry = nullptr;
            else if (name == "GetIfEntry2")
                removed.GetIfEntry2 = nullptr;
            else if (name == "GetIpNetTable")
                removed.GetIpNetTable = nullptr;
            else if (name == "GetIpAddrTable")
                removed.GetIpAddrTable = nullptr;
            else if (name == "GetBestInterface")
                removed.GetBestInterface = nullptr;
            else if (name == "GetAdaptersAddresses")
                removed.GetAdaptersAddresses = nullptr;
            else if (name == "ConvertInterfaceIndexToLuid")
                removed.ConvertInterfaceIndexToLuid = nullptr;
            else if (name == "ConvertInterfaceLuidToAlias")
                removed.ConvertInterfaceLuidToAlias = nullptr;
            else if (name == "NotifyAddrChange")
                removed.NotifyAddrChange = nullptr;
            else
                throw std::invalid_argument("the fake has no function " + name);
        }
        FTable = removed;
    }
    FGuard.reset();
    FGuard.emplace(FTable);
}

void TFakeIpHelper::Remove(const std::string& AName)
{
    FRemoved.insert(AName);
    Install();
}

void TFakeIpHelper::RemoveLibrary()
{
    FNoLibrary = true;
    Install();
}

int TFakeIpHelper::CallCount(const std::string& AName) const
{
    std::lock_guard lock(FMutex);
    const auto found = FCalls.find(AName);
    return found == FCalls.end() ? 0 : found->second;
}

ULONG TFakeIpHelper::Required(const char* AName, ULONG AActual)
{
    unsigned& calls = FSizedCalls[AName];
    const ULONG grown = AActual + std::min(calls, GrowthRounds) * GrowthBytes;
    ++calls;
    return grown;
}

void TFakeIpHelper::AddAddress(const char* AIp, const char* AMask, DWORD AIndex, USHORT AType)
{
    MIB_IPADDRROW row{};
    row.dwAddr = Dotted(AIp);
    row.dwMask = Dotted(AMask);
    row.dwIndex = AIndex;
    row.wType = AType;
    AddrTable.push_back(row);
}

void TFakeIpHelper::AddNeighbour(const char* AIp, std::vector<BYTE> AMac, DWORD AIndex, DWORD AType)
{
    MIB_IPNETROW row{};
    row.dwAddr = Dotted(AIp);
    row.dwIndex = AIndex;
    row.dwType = AType;
    row.dwPhysAddrLen = static_cast<DWORD>(std::min<std::size_t>(AMac.size(), MAXLEN_PHYSADDR));
    std::copy_n(AMac.begin(), row.dwPhysAddrLen, row.bPhysAddr);
    NetTable.push_back(row);
}

bool TFakeIpHelper::SignalChange()
{
    std::lock_guard lock(FMutex);
    if (!FPendingEvent)
        return false;
    const bool ok = SetEvent(FPendingEvent);
    FPendingEvent = nullptr;
    return ok;
}

bool TFakeIpHelper::HasPendingRequest() const
{
    std::lock_guard lock(FMutex);
    return FPendingEvent != nullptr;
}

TFakeInterface* TFakeIpHelper::Find(DWORD AIndex)
{
    for (TFakeInterface& intf : Interfaces)
        if (intf.Index == AIndex)
            return &intf;
    return nullptr;
}

} // namespace qn::test
