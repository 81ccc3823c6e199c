// A scripted IP helper service for tests: interfaces, counters that advance, missing functions,
// buffers that must grow several times, forced return codes and address-change signals.
//
// Constructing a TFakeIpHelper installs it as the process's IP helper table (through
// TIpHelperTableGuard) until it is destroyed; one fake may be alive at a time. Edit the public data
// at any time: every call answers from the current script. Functions use the Windows buffer protocol
// (report the needed size, fill the caller's buffer, chain records through Next inside it).
#pragma once

#include "netdata/ip_helper_table.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace qn::test {

struct TFakeInterface
{
    DWORD Index = 0;
    std::string Name;            // AdapterName of the adapter record, and (by default) the interface-map name
    std::string Description;     // of the adapter record
    std::string MapName;         // GetInterfaceInfo's name; empty = Name
    std::string RowName;         // MIB_IFROW::wszName; empty = Name
    std::string Row2Description; // MIB_IF_ROW2::Description; empty = Name
    std::string Alias;           // MIB_IF_ROW2::Alias
    std::string LuidAlias;       // ConvertInterfaceLuidToAlias; empty = Alias
    std::vector<BYTE> Mac;
    UINT Type = IF_TYPE_ETHERNET_CSMACD;
    DWORD Mtu = 1500;
    DWORD Speed = 100000000; // MIB_IFROW::dwSpeed
    ULONG64 TransmitLinkSpeed = 1000000000;
    DWORD AdminStatus = MIB_IF_ADMIN_STATUS_UP;
    DWORD OperStatus = IF_OPER_STATUS_OPERATIONAL;
    bool Dhcp = false;
    bool HaveWins = false;
    // Address lists of the adapter record as (address, mask); an empty list gives one entry with
    // empty strings, as the service does.
    std::vector<std::pair<std::string, std::string>> Addresses, Gateways, DhcpServers, PrimaryWins, SecondaryWins;
    // Adapter-addresses entry.
    bool InAdapterAddresses = true;
    ULONG AddressesFlags = IP_ADAPTER_IPV4_ENABLED;
    std::string DnsSuffix;
    std::vector<std::string> DnsServers; // dotted IPv4
    // Cumulative counters; each GetIfEntry/GetIfEntry2 that finds the interface reports the current
    // value and then adds the step.
    ULONG64 InOctets = 0, OutOctets = 0;
    ULONG64 InStep = 0, OutStep = 0;
    bool IfEntryFails = false;
    bool IfEntry2Fails = false;
};

class TFakeIpHelper
{
public:
    TFakeIpHelper();
    ~TFakeIpHelper();
    TFakeIpHelper(const TFakeIpHelper&) = delete;
    TFakeIpHelper& operator=(const TFakeIpHelper&) = delete;

    // The order of adapter records and of the interface map.
    std::vector<TFakeInterface> Interfaces;

    // Network parameters.
    std::string HostName = "testhost";
    std::string DomainName = "example.test";
    std::string ScopeId;
    std::vector<std::string> DnsServers = {"192.0.2.53"};
    int CurrentDnsServer = 0; // index into DnsServers, -1 = none
    UINT NodeType = HYBRID_NODETYPE;
    bool EnableRouting = false, EnableProxy = false, EnableDns = true;

    // Address table and ARP cache rows (empty: the size query answers ERROR_NO_DATA).
    std::vector<MIB_IPADDRROW> AddrTable;
    std::vector<MIB_IPNETROW> NetTable;
    void AddAddress(const char* AIp, const char* AMask, DWORD AIndex, USHORT AType = MIB_IPADDR_PRIMARY);
    void AddNeighbour(const char* AIp, std::vector<BYTE> AMac, DWORD AIndex, DWORD AType = MIB_IPNET_TYPE_DYNAMIC);

    DWORD BestInterface = 0;
    DWORD BestInterfaceResult = NO_ERROR;

    // Chains of IP_ADDR_STRING and of DNS server entries end with an entry whose Next points at itself
    // instead of null.
    bool SelfLoopChains = false;

    // Every sized query reports a size that grows by GrowthBytes on each of its first GrowthRounds calls,
    // as if the data grew between calls; a caller must grow its buffer GrowthRounds times more.
    unsigned GrowthRounds = 0;
    ULONG GrowthBytes = 4096;

    // A function named here returns the code at once (after counting the call).
    std::map<std::string, DWORD> ForcedResult;

    // Calls per function name so far (safe to ask while another thread calls the fake).
    int CallCount(const std::string& AName) const;

    // Removes a function from the table (it becomes null after the next binding, which this runs).
    void Remove(const std::string& AName);
    // The IP helper module cannot be loaded: the binding fails and every function is null.
    void RemoveLibrary();

    // Address-change requests: NotifyResult is what NotifyAddrChange returns (ERROR_IO_PENDING by
    // default). SignalChange signals the event of the pending request, if any, and completes it.
    DWORD NotifyResult = ERROR_IO_PENDING;
    bool SignalChange();
    bool HasPendingRequest() const;

    TFakeInterface* Find(DWORD AIndex);

    // The fake's table as installed (functions that were removed are null).
    const TIpHelperTable& Table() const { return FTable; }

private:
    friend struct TFakeIpHelperAccess;
    void Install();
    ULONG Required(const char* AName, ULONG AActual);

    std::set<std::string> FRemoved;
    bool FNoLibrary = false;
    TIpHelperTable FTable;
    std::optional<TIpHelperTableGuard> FGuard;
    std::map<std::string, unsigned> FSizedCalls;
    std::map<std::string, int> FCalls;
    HANDLE FPendingEvent = nullptr;
    mutable std::mutex FMutex; // guards FCalls and FPendingEvent: the change notifier calls from its thread
};

} // namespace qn::test
