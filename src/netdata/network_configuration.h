// The snapshot of the machine's network interfaces: interface records, the IPv4 address table, the
// ARP cache and the machine-wide network parameters, rebuilt as a whole by RefreshData from the IP
// helper service (netdata/ip_helper_table.h).
//
// Contract: create, RefreshData before any read, then reads and further refreshes, all on one thread.
// A position from Adapters/ImageIndex/Mark is valid only until the next RefreshData; the owner finds
// its interfaces again by Name or IntfIdx. Records are values: a copy owns its own lists and stays
// usable after any refresh. The snapshot never shows a message; the only error it raises is the
// TIPv4Error of GetSubnetMask.
#pragma once

#include "netdata/address_text.h"
#include "netdata/string_list.h"

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qn {

enum class TAdapterType : std::uint8_t
{
    atOther,
    atEthernet,
    atTokenRing,
    atFDDI,
    atPPP,
    atLoopback,
    atATM,
    atIEEE80211,
    atTunnel,
    atIEEE1394,
    atIEEE80216_WMAN,
    atWWANPP,
    atWWANPP2,
};

// Ordinals equal the service's administrative status numbers (1 up, 2 down, 3 testing).
enum class TAdapterAdminStatus : std::uint8_t
{
    aasUnknown,
    aasUp,
    aasDown,
    aasTesting,
};

// Ordinals equal the interface row's operational status numbers 0 to 5.
enum class TAdapterOperationalStatus : std::uint8_t
{
    aosNonOperational,
    aosUnreachable,
    aosDisconnected,
    aosConnecting,
    aosConnected,
    aosOperational,
};

enum class TNodeType : std::uint8_t
{
    ntUnknown,
    ntBroadcast,
    ntPeerToPeer,
    ntMixed,
    ntHybrid,
};

enum class TAddressTypes : std::uint8_t
{
    atPrimary,
    atDynamic,
    atDisconnected,
    atDeleted,
    atTransient,
};

// A set of TAddressTypes in one byte: bit n stands for the value of ordinal n.
struct TAddressType
{
    std::uint8_t Bits = 0;

    bool Contains(TAddressTypes AType) const { return (Bits >> static_cast<unsigned>(AType)) & 1u; }
    void Include(TAddressTypes AType) { Bits |= static_cast<std::uint8_t>(1u << static_cast<unsigned>(AType)); }
    bool operator==(const TAddressType&) const = default;
};

// One network interface.
struct TAdapter
{
    std::string Description;
    std::string Name; // how the owner recognises the interface across refreshes and sessions
    std::string Alias;
    std::string MACAddress;     // "00:1A:2B:3C:4D:5E"; empty without address bytes
    std::uint64_t MaxSpeed = 0; // bits per second
    std::uint32_t MTU = 0;
    TAdapterType Typ = TAdapterType::atOther;
    TAdapterAdminStatus AdminStatus = TAdapterAdminStatus::aasUnknown;
    TAdapterOperationalStatus OperStatus = TAdapterOperationalStatus::aosNonOperational;
    bool DHCPEnabled = false;
    bool DNSEnabled = false;
    bool HaveWINS = false;
    bool NETBIOSEnabled = false;
    bool IPv4Enabled = false;
    bool IPv6Enabled = false;
    TStringList IPAddress; // address=mask lines
    TStringList Gateways;
    TStringList DHCPServers;
    TStringList PrimaryWINS;
    TStringList SecondaryWINS;
    TStringList DNSServers; // one dotted address per line
    std::string DNSSuffix;
    std::uint32_t IntfIdx = 0;    // the key of the counter queries
    std::uint32_t _Typ = 0;       // IANA interface type as reported
    std::uint32_t _Status = 0;    // interface row operational status as reported; 0 when unread
    std::int32_t _ImageIndex = 0; // owner's tag
    bool _Mark = false;           // owner's tag

    bool operator==(const TAdapter&) const = default;
};

// One entry of the address table or of the ARP cache.
struct TAddressRecord
{
    std::string IP;
    std::string Mask;
    std::string Physical;
    std::uint32_t IntfIdx = 0;
    TAddressType Typ;
    std::uint32_t ARPType = 0; // 1 other, 2 invalid, 3 dynamic, 4 static; 0 in the address table

    bool operator==(const TAddressRecord&) const = default;
};

using TAddressTable = std::vector<TAddressRecord>;
using TAdapterList = std::vector<TAdapter>;

// Texts shown for a TAdapterType and a TAdapterOperationalStatus, by ordinal.
extern const std::array<const char*, 13> AdapterTypeNames;
extern const std::array<const char*, 6> OperStatusNames;

// Raised by GetSubnetMask for a text that is no IPv4 address.
class TIPv4Error : public std::invalid_argument
{
public:
    using std::invalid_argument::invalid_argument;
};

TAdapterType AdapterTypeOf(std::uint32_t AIanaType);

class TNetworkConfiguration
{
public:
    TNetworkConfiguration();
    ~TNetworkConfiguration();
    TNetworkConfiguration(const TNetworkConfiguration&) = delete;
    TNetworkConfiguration& operator=(const TNetworkConfiguration&) = delete;

    void Clear();
    void RefreshData();

    int AdapterCount() const { return static_cast<int>(FAdapters.size()); }
    // The record at AIndex (not checked: keep it below AdapterCount); valid until the next refresh.
    const TAdapter& Adapters(std::uint16_t AIndex) const { return FAdapters[AIndex]; }
    std::int32_t ImageIndex(std::uint16_t AIndex) const { return FAdapters[AIndex]._ImageIndex; }
    void SetImageIndex(std::uint16_t AIndex, std::int32_t AValue) { FAdapters[AIndex]._ImageIndex = AValue; }
    bool Mark(std::uint16_t AIndex) const { return FAdapters[AIndex]._Mark; }
    void SetMark(std::uint16_t AIndex, bool AValue) { FAdapters[AIndex]._Mark = AValue; }

    // Names compare by the system's rule (SameInterfaceName): exact bytes on Linux. Both look-ups
    // are by map: a refresh indexes its records once.
    int FindAdapter(const std::string& AName) const;
    int FindAdapter(std::int32_t AIntfIdx) const;
    // The kernel's unsigned index: one above the signed range finds nothing.
    int FindAdapter(std::uint32_t AIntfIdx) const;
    int FindAddress(const std::string& AIP) const;
    int FindAddress(std::uint32_t AIntfIdx) const;

    // Cumulative received (AIn) and sent (AOut) octets of the interface; 0 and 0 when the read fails.
    // The program's one counter reader answers (TIpHelperCounterSource: the shared pass, else the
    // 64-bit row, never a 32-bit fallback for a failing 64-bit row).
    void GetTraffic(std::uint32_t AIntfIdx, std::uint64_t& AIn, std::uint64_t& AOut) const;

    // The classful mask of a dotted IPv4 address; TIPv4Error for a text with fewer than three dots.
    static std::string GetSubnetMask(const std::string& AIP);

    int AddressRecordCount() const { return static_cast<int>(FAT.size()); }
    int ARPRecordCount() const { return static_cast<int>(FARP.size()); }
    const TAddressTable& AddressRecords() const { return FAT; }
    const TAddressTable& ARPRecords() const { return FARP; }
    const TStringList& InterfaceNames() const { return FIL; }

    const std::string& HostName() const { return FHost; }
    const std::string& DomainName() const { return FDomain; }
    bool ProxyEnabled() const { return FProxy; }
    bool RoutingEnabled() const { return FRouting; }
    bool DNSEnabled() const { return FDNS; }
    const std::string& PrimaryDNSSuffix() const { return FDNSSuf; }
    const std::string& DHCPScopeName() const { return FDHCPScope; }
    const TStringList& DNSServers() const { return FDNSList; }
    TNodeType NodeType() const { return FNode; }
    std::uint32_t BestInterfaceIdx() const { return FBII; }

    // Address, hardware address and alias of the interface that leads to 8.8.8.8; empty when unknown.
    // Each asks the service for that interface again and may run RefreshData when the address table
    // is empty.
    std::string CurrentIP();
    std::string CurrentMAC();
    std::string CurrentNetwork();

private:
    int AddAdapter(TAdapter AData);
    void ClearAdapters();
    void ReadInterfaceNames();
    void ReadAdapters();
    void ReadAdapterAddresses();
    void ReadNetworkParams();
    bool ReadAddressTable(); // false: the table is empty and the refresh ends
    void ReadARPTable();     // an empty cache leaves FARP empty; the refresh goes on
    void ReadBestInterface();
    bool BestInterface(std::uint32_t& AIndex);
    // The best interface's index for the Current properties (refreshing an empty snapshot first);
    // none when the service cannot name one.
    std::optional<std::uint32_t> CurrentInterface();

    void IndexAdapters();

    TAdapterList FAdapters;
    std::unordered_map<std::string, int> FByName;      // InterfaceNameKey to the first such record
    std::unordered_map<std::uint32_t, int> FByIntfIdx; // to the first record with that index
    TAddressTable FAT;
    TAddressTable FARP;
    bool FProxy = false;
    bool FRouting = false;
    bool FDNS = false;
    std::string FHost;
    std::string FDomain;
    std::string FDNSSuf;
    TStringList FDNSList;
    TStringList FIL; // name=index lines of the interface map
    TNodeType FNode = TNodeType::ntUnknown;
    std::string FDHCPScope;
    std::uint32_t FBII = 0;
};

} // namespace qn
