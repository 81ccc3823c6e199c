// No socket table and no close events on a system without a port; the applications layer then
// says that attribution is impossible here.
#include "platform/socket_table.h"

namespace qn {

struct TSocketTableReader::TImpl
{
};

TSocketTableReader::TSocketTableReader() = default;
TSocketTableReader::~TSocketTableReader() = default;

int TSocketTableReader::ReadTable(TSocketTable& ATable)
{
    ATable.Sockets.clear();
    ATable.Tick = 0;
    return 0;
}

int TSocketTableReader::ReadSockets(const std::vector<TSocketKey>&, TSocketTable& ATable)
{
    ATable.Sockets.clear();
    ATable.Partial = true;
    return 0;
}

int TSocketTableReader::ReadOpenCount(std::uint64_t&)
{
    return 0;
}

int TSocketTableReader::ReadCloses(std::vector<TSocketClose>&)
{
    return 0;
}

std::uint32_t CurrentUserId()
{
    return 0;
}

} // namespace qn
