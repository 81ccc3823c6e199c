// Which interfaces count for "all interfaces": the uplinks, so that no byte is counted twice.
#pragma once

#include "platform/interface_facts.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace qn {

// Stored in the history database by number: never renumber.
enum class TInterfaceClass : std::uint8_t
{
    icUnknown = 0,      // recorded before classes were, and not present now
    icPhysical = 1,     // a device behind it: Ethernet, Wi-Fi, a WWAN or USB modem, or a PPP link
    icDefaultRoute = 2, // no device, but the default route leaves through it (a container's veth)
    icLoopback = 3,
    icVirtual = 4, // veth, bridge, bond, VLAN, macvlan, dummy ...: traffic that also crosses another link
    icTunnel = 5,  // tun, tap, WireGuard, IP-in-IP, GRE ...: traffic that leaves again, encrypted or wrapped
};

// The rule, in this order: the loopback; a tunnel by its kind; a device behind it or a modem's link
// (PPP or WWAN, by kind or link type); a tunnel by its link type; the default route; anything else
// is virtual. A tunnel never counts, even when the
// default route uses it, because its bytes cross the uplink a second time. A software link (one with a
// kind: a bridge, bond or VLAN over the machine's own device) that carries the default route is
// an uplink only when APhysicalPresent is false, as in a container whose only way out is a veth:
// otherwise its bytes are counted on the device below it.
TInterfaceClass ClassifyInterface(const TInterfaceFacts& AFacts, bool APhysicalPresent);
// Every interface of AFacts by the rule above, with APhysicalPresent taken from AFacts.
std::map<std::string, TInterfaceClass> ClassifyInterfaces(const std::vector<TInterfaceFacts>& AFacts);

// Physical and default-route links are the uplinks. An unknown class counts as one, so that a
// history written before classes were recorded keeps its totals.
bool IsUplink(TInterfaceClass AClass);

// "physical", "default route", "loopback", "virtual", "tunnel", "unknown".
const char* InterfaceClassName(TInterfaceClass AClass);

// The class of every interface present now (empty when the system cannot be asked).
std::map<std::string, TInterfaceClass> PresentInterfaceClasses();

// The uplinks among ANames: a present interface by what it is now, a gone one by ARecorded.
std::vector<std::string> UplinkNames(const std::vector<std::string>& ANames,
                                     const std::map<std::string, TInterfaceClass>& ARecorded,
                                     const std::map<std::string, TInterfaceClass>& APresent);

} // namespace qn
