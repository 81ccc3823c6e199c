// The resolver configuration the adapter records and network parameters report (internal to
// platform/linux). Missing or unreadable files give empty lists, never an error.
#pragma once

#include "platform/linux/netlink.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qn::linux_ip {

struct TResolver
{
    std::vector<std::uint32_t> Servers; // IPv4, network byte order
    std::string Domain;
};

struct TLinkDns
{
    std::vector<std::uint32_t> Servers;
    std::string Suffix;
};

// The system-wide servers (without repeats) and the first domain or search entry of /etc/resolv.conf.
TResolver ReadResolver();
// Per-link DNS servers, one entry per link of ALinks in its order: those configured for the link,
// then each system-wide server on the link that the kernel routes it over.
std::vector<TLinkDns> LinkDnsServers(const std::vector<nl::TLinkInfo>& ALinks);

} // namespace qn::linux_ip
