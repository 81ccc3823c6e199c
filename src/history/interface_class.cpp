// The interface class rule over the system's facts.
#include "history/interface_class.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace qn {

namespace {

// Link-layer types (ARPHRD_*) of tunnels: IP-in-IP, IPv6-in-IP, SIT, GRE, IPv6 GRE, and "none",
// which tun and WireGuard devices have.
constexpr std::array<std::uint16_t, 6> TunnelArpTypes = {768, 769, 776, 778, 823, 65534};
constexpr std::uint16_t LoopbackArpType = 772;

// A modem's link: PPP (pppd over a serial or USB modem, Bluetooth tethering, dial-up) and the kernel's
// WWAN links, by their kind or their link type (PPP, raw IP). They are software links with no
// device behind them, yet the bytes on them cross no other link of the machine.
constexpr std::array<std::uint16_t, 2> ModemArpTypes = {512, 519};
constexpr std::array<std::string_view, 2> ModemKinds = {"ppp", "wwan"};

constexpr std::array<std::string_view, 17> TunnelKinds = {
    "tun", "wireguard", "ipip", "gre",   "gretap", "ip6gre", "ip6gretap", "sit",    "ip6tnl",
    "vti", "vti6",      "xfrm", "vxlan", "geneve", "erspan", "ip6erspan", "openvpn"};

} // namespace

TInterfaceClass ClassifyInterface(const TInterfaceFacts& AFacts, bool APhysicalPresent)
{
    if (AFacts.Loopback || AFacts.ArpType == LoopbackArpType)
        return TInterfaceClass::icLoopback;
    if (std::find(TunnelKinds.begin(), TunnelKinds.end(), AFacts.Kind) != TunnelKinds.end())
        return TInterfaceClass::icTunnel;
    // Before the link type: a mobile modem in raw-IP mode has the type "none" that tun devices have.
    if (AFacts.HasDevice)
        return TInterfaceClass::icPhysical;
    if (std::find(ModemKinds.begin(), ModemKinds.end(), AFacts.Kind) != ModemKinds.end() ||
        std::find(ModemArpTypes.begin(), ModemArpTypes.end(), AFacts.ArpType) != ModemArpTypes.end())
        return TInterfaceClass::icPhysical;
    if (std::find(TunnelArpTypes.begin(), TunnelArpTypes.end(), AFacts.ArpType) != TunnelArpTypes.end())
        return TInterfaceClass::icTunnel;
    if (AFacts.DefaultRoute && (AFacts.Kind.empty() || !APhysicalPresent))
        return TInterfaceClass::icDefaultRoute;
    return TInterfaceClass::icVirtual;
}

bool IsUplink(TInterfaceClass AClass)
{
    return AClass == TInterfaceClass::icPhysical || AClass == TInterfaceClass::icDefaultRoute ||
           AClass == TInterfaceClass::icUnknown;
}

const char* InterfaceClassName(TInterfaceClass AClass)
{
    switch (AClass) {
    case TInterfaceClass::icPhysical:
        return "physical";
    case TInterfaceClass::icDefaultRoute:
        return "default route";
    case TInterfaceClass::icLoopback:
        return "loopback";
    case TInterfaceClass::icVirtual:
        return "virtual";
    case TInterfaceClass::icTunnel:
        return "tunnel";
    default:
        return "unknown";
    }
}

std::map<std::string, TInterfaceClass> ClassifyInterfaces(const std::vector<TInterfaceFacts>& AFacts)
{
    bool physical = false;
    for (const TInterfaceFacts& f : AFacts)
        physical = physical || ClassifyInterface(f, false) == TInterfaceClass::icPhysical;
    std::map<std::string, TInterfaceClass> classes;
    for (const TInterfaceFacts& f : AFacts)
        classes[f.Name] = ClassifyInterface(f, physical);
    return classes;
}

std::map<std::string, TInterfaceClass> PresentInterfaceClasses()
{
    std::vector<TInterfaceFacts> facts;
    if (!ReadInterfaceFacts(facts))
        return {};
    return ClassifyInterfaces(facts);
}

std::vector<std::string> UplinkNames(const std::vector<std::string>& ANames,
                                     const std::map<std::string, TInterfaceClass>& ARecorded,
                                     const std::map<std::string, TInterfaceClass>& APresent)
{
    std::vector<std::string> uplinks;
    for (const std::string& name : ANames) {
        TInterfaceClass c = TInterfaceClass::icUnknown;
        if (const auto now = APresent.find(name); now != APresent.end())
            c = now->second;
        else if (const auto recorded = ARecorded.find(name); recorded != ARecorded.end())
            c = recorded->second;
        if (IsUplink(c))
            uplinks.push_back(name);
    }
    return uplinks;
}

} // namespace qn
