// What the system says about each interface that decides whether its traffic is an uplink's.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qn {

// The facts of one present interface, as the kernel gives them. The rule that turns them into a
// class lives above this seam (history/interface_class.h); nothing here decides.
struct TInterfaceFacts
{
    std::string Name;
    std::uint32_t Index = 0;   // the system's interface index, as the bulk counter read numbers it
    std::uint16_t ArpType = 0; // the link-layer type (Linux ARPHRD_* numbers)
    std::string Kind;          // the driver's kind of a software link (veth, bridge, tun, ...); empty otherwise
    bool Loopback = false;     // the link is flagged as the loopback
    bool HasDevice = false;    // a device (PCI, USB, SDIO ...) is behind the link
    bool DefaultRoute = false; // a default route of the main table leaves through the link
};

// The facts of every present interface, in the system's order. False (and an empty list) when the
// system cannot be asked.
bool ReadInterfaceFacts(std::vector<TInterfaceFacts>& AFacts);

// The indexes of the interfaces the main table's default routes leave through, ascending and each
// once: the one fact above that changes while a link stays. False when the system cannot be asked.
bool ReadDefaultRouteIndexes(std::vector<std::uint32_t>& AIndexes);

} // namespace qn
