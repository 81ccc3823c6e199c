// Fuzzes the provider's rtnetlink parsing: any bytes as a receive buffer, every message handed to the
// link, address, route and neighbour parsers.
#include "platform/linux/netlink.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <linux/netlink.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize)
{
    // The kernel hands over aligned buffers; keep the exact length so any over-read is caught.
    std::vector<std::uint64_t> aligned(ASize / 8 + 1);
    std::memcpy(aligned.data(), AData, ASize);
    const auto visit = [](const nlmsghdr* AMsg, void*) {
        qn::nl::TLinkInfo link;
        qn::nl::TAddrInfo addr;
        qn::nl::TRouteInfo route;
        qn::nl::TNeighInfo neigh;
        qn::nl::ParseLink(AMsg, link);
        qn::nl::ParseAddr(AMsg, addr);
        qn::nl::ParseRoute(AMsg, route);
        qn::nl::ParseNeigh(AMsg, neigh);
        return true;
    };
    // Sequence number 0: the seeds carry it, so the fuzzer reaches the parsers at once.
    qn::nl::WalkMessages(aligned.data(), ASize, 0, visit, nullptr);
    return 0;
}
