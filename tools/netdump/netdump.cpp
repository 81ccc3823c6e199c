// quarno-netdump: prints what the interface snapshot reads from the system, as JSON, for debugging
// and bug reports. "--traffic" prints each interface's cumulative octet counters instead.
#include "netdata/network_configuration.h"
#include "platform/wide_text.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using namespace qn;

// A small JSON writer: two-space indentation, keys in the order written.
class TJsonWriter
{
public:
    void BeginObject(const char* AKey = nullptr) { Open(AKey, '{'); }
    void EndObject() { Close('}'); }
    void BeginArray(const char* AKey = nullptr) { Open(AKey, '['); }
    void EndArray() { Close(']'); }

    void String(const char* AKey, std::string_view AValue)
    {
        Key(AKey);
        Quoted(AValue);
    }
    void Number(const char* AKey, unsigned long long AValue)
    {
        Key(AKey);
        FOut += std::to_string(AValue);
    }
    void Signed(const char* AKey, long long AValue)
    {
        Key(AKey);
        FOut += std::to_string(AValue);
    }
    void Boolean(const char* AKey, bool AValue)
    {
        Key(AKey);
        FOut += AValue ? "true" : "false";
    }
    void Lines(const char* AKey, const TStringList& AList)
    {
        BeginArray(AKey);
        for (const std::string& line : AList.Lines())
            String(nullptr, line);
        EndArray();
    }
    const std::string& Text() const { return FOut; }

private:
    void Key(const char* AKey)
    {
        if (FHasItem)
            FOut += ',';
        FOut += '\n';
        FOut.append(FDepth * 2, ' ');
        if (AKey) {
            Quoted(AKey);
            FOut += ": ";
        }
        FHasItem = true;
    }
    void Open(const char* AKey, char ABracket)
    {
        if (FDepth > 0 || FHasItem)
            Key(AKey);
        FOut += ABracket;
        ++FDepth;
        FHasItem = false;
    }
    void Close(char ABracket)
    {
        --FDepth;
        if (FHasItem) {
            FOut += '\n';
            FOut.append(FDepth * 2, ' ');
        }
        FOut += ABracket;
        FHasItem = true;
    }
    void Quoted(std::string_view AText)
    {
        // Texts from the system may hold any bytes: make them valid UTF-8 first.
        std::basic_string<WCHAR> wide(AText.size() + 1, 0);
        Utf8ToWide(AText, wide.data(), wide.size());
        const std::string clean = WideToUtf8(wide.data(), wide.size());
        FOut += '"';
        for (const char c : clean) {
            const auto u = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                FOut += '\\';
                FOut += c;
            } else if (u < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof(escaped), "\\u%04x", u);
                FOut += escaped;
            } else {
                FOut += c;
            }
        }
        FOut += '"';
    }

    std::string FOut;
    int FDepth = 0;
    bool FHasItem = false;
};

const char* const TypeNames[] = {"atOther",          "atEthernet", "atTokenRing", "atFDDI",   "atPPP",
                                 "atLoopback",       "atATM",      "atIEEE80211", "atTunnel", "atIEEE1394",
                                 "atIEEE80216_WMAN", "atWWANPP",   "atWWANPP2"};
const char* const AdminNames[] = {"aasUnknown", "aasUp", "aasDown", "aasTesting"};
const char* const OperNames[] = {"aosNonOperational", "aosUnreachable", "aosDisconnected",
                                 "aosConnecting",     "aosConnected",   "aosOperational"};
const char* const NodeNames[] = {"ntUnknown", "ntBroadcast", "ntPeerToPeer", "ntMixed", "ntHybrid"};
const char* const AddressTypeNames[] = {"atPrimary", "atDynamic", "atDisconnected", "atDeleted", "atTransient"};

void WriteAdapter(TJsonWriter& AJson, const TAdapter& AAdapter)
{
    AJson.BeginObject();
    AJson.String("Description", AAdapter.Description);
    AJson.String("Name", AAdapter.Name);
    AJson.String("Alias", AAdapter.Alias);
    AJson.String("MACAddress", AAdapter.MACAddress);
    AJson.Number("MaxSpeed", AAdapter.MaxSpeed);
    AJson.Number("MTU", AAdapter.MTU);
    AJson.String("Typ", TypeNames[static_cast<int>(AAdapter.Typ)]);
    AJson.String("AdminStatus", AdminNames[static_cast<int>(AAdapter.AdminStatus)]);
    AJson.String("OperStatus", OperNames[static_cast<int>(AAdapter.OperStatus)]);
    AJson.Boolean("DHCPEnabled", AAdapter.DHCPEnabled);
    AJson.Boolean("DNSEnabled", AAdapter.DNSEnabled);
    AJson.Boolean("HaveWINS", AAdapter.HaveWINS);
    AJson.Boolean("NETBIOSEnabled", AAdapter.NETBIOSEnabled);
    AJson.Boolean("IPv4Enabled", AAdapter.IPv4Enabled);
    AJson.Boolean("IPv6Enabled", AAdapter.IPv6Enabled);
    AJson.Lines("IPAddress", AAdapter.IPAddress);
    AJson.Lines("Gateways", AAdapter.Gateways);
    AJson.Lines("DHCPServers", AAdapter.DHCPServers);
    AJson.Lines("PrimaryWINS", AAdapter.PrimaryWINS);
    AJson.Lines("SecondaryWINS", AAdapter.SecondaryWINS);
    AJson.Lines("DNSServers", AAdapter.DNSServers);
    AJson.String("DNSSuffix", AAdapter.DNSSuffix);
    AJson.Number("IntfIdx", AAdapter.IntfIdx);
    AJson.Number("_Typ", AAdapter._Typ);
    AJson.Number("_Status", AAdapter._Status);
    AJson.Signed("_ImageIndex", AAdapter._ImageIndex);
    AJson.Boolean("_Mark", AAdapter._Mark);
    AJson.EndObject();
}

void WriteAddressTable(TJsonWriter& AJson, const char* AKey, const TAddressTable& ATable)
{
    AJson.BeginArray(AKey);
    for (const TAddressRecord& record : ATable) {
        AJson.BeginObject();
        AJson.String("IP", record.IP);
        AJson.String("Mask", record.Mask);
        AJson.String("Physical", record.Physical);
        AJson.Number("IntfIdx", record.IntfIdx);
        AJson.BeginArray("Typ");
        for (int t = 0; t < 5; ++t)
            if (record.Typ.Contains(static_cast<TAddressTypes>(t)))
                AJson.String(nullptr, AddressTypeNames[t]);
        AJson.EndArray();
        AJson.Number("ARPType", record.ARPType);
        AJson.EndObject();
    }
    AJson.EndArray();
}

void WriteSnapshot(TJsonWriter& AJson, TNetworkConfiguration& AConfig)
{
    AJson.BeginObject();
    AJson.BeginArray("Adapters");
    for (int i = 0; i < AConfig.AdapterCount(); ++i)
        WriteAdapter(AJson, AConfig.Adapters(static_cast<std::uint16_t>(i)));
    AJson.EndArray();
    AJson.Lines("FIL", AConfig.InterfaceNames());
    WriteAddressTable(AJson, "FAT", AConfig.AddressRecords());
    WriteAddressTable(AJson, "FARP", AConfig.ARPRecords());
    AJson.String("HostName", AConfig.HostName());
    AJson.String("DomainName", AConfig.DomainName());
    AJson.Boolean("ProxyEnabled", AConfig.ProxyEnabled());
    AJson.Boolean("RoutingEnabled", AConfig.RoutingEnabled());
    AJson.Boolean("DNSEnabled", AConfig.DNSEnabled());
    AJson.String("PrimaryDNSSuffix", AConfig.PrimaryDNSSuffix());
    AJson.String("DHCPScopeName", AConfig.DHCPScopeName());
    AJson.Lines("DNSServers", AConfig.DNSServers());
    AJson.String("NodeType", NodeNames[static_cast<int>(AConfig.NodeType())]);
    // The index as the refresh left it, which is what the interface list draws in bold; the Current
    // properties ask the system again and store their answer, so they come after it.
    AJson.Number("BestInterfaceIdx", AConfig.BestInterfaceIdx());
    AJson.String("CurrentIP", AConfig.CurrentIP());
    AJson.String("CurrentMAC", AConfig.CurrentMAC());
    AJson.String("CurrentNetwork", AConfig.CurrentNetwork());
    AJson.EndObject();
}

void WriteTraffic(TJsonWriter& AJson, const TNetworkConfiguration& AConfig)
{
    AJson.BeginArray();
    for (int i = 0; i < AConfig.AdapterCount(); ++i) {
        const TAdapter adapter = AConfig.Adapters(static_cast<std::uint16_t>(i));
        std::uint64_t in = 0, out = 0;
        AConfig.GetTraffic(adapter.IntfIdx, in, out);
        AJson.BeginObject();
        AJson.String("Name", adapter.Name);
        AJson.Number("IntfIdx", adapter.IntfIdx);
        AJson.Number("In", in);
        AJson.Number("Out", out);
        AJson.EndObject();
    }
    AJson.EndArray();
}

} // namespace

int main(int argc, char** argv)
{
    bool traffic = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--traffic") == 0) {
            traffic = true;
        } else {
            const bool help = std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0;
            std::fprintf(help ? stdout : stderr,
                         "Usage: quarno-netdump [--traffic]\n"
                         "Prints the network interface snapshot as JSON; --traffic prints each interface's\n"
                         "received (In) and sent (Out) byte counters instead.\n");
            return help ? 0 : 2;
        }
    }
    qn::TNetworkConfiguration config;
    config.RefreshData();
    TJsonWriter json;
    if (traffic)
        WriteTraffic(json, config);
    else
        WriteSnapshot(json, config);
    std::printf("%s\n", json.Text().c_str() + (json.Text().starts_with('\n') ? 1 : 0));
    return 0;
}
