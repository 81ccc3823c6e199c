// Socket-table records a test makes by hand: a TCP socket of a cgroup with its payload counts.
#pragma once

#include "platform/socket_table.h"

#include <cstdint>

namespace qn::test {

inline TSocketRecord TcpSocket(std::uint64_t ACookie, std::uint64_t AGroup, std::uint64_t AIn, std::uint64_t AOut,
                               std::uint32_t AUid = 0)
{
    TSocketRecord r;
    r.Cookie = ACookie;
    r.CgroupId = AGroup;
    r.HasCgroupId = true;
    r.Uid = AUid;
    r.BytesReceived = AIn;
    r.BytesAcked = AOut;
    r.HasCounters = true;
    return r;
}

} // namespace qn::test
