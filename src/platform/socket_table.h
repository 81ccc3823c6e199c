// The system's table of TCP and UDP sockets with their owners and byte counts, and the TCP sockets' close events.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace qn {

enum class TSocketProtocol : std::uint8_t
{
    spTcp = 0,
    spUdp = 1,
};

// What the system needs to find one socket again without reading the whole table; opaque above
// the platform.
struct TSocketKey
{
    std::uint8_t Family = 0;
    std::array<std::uint8_t, 48> Id{};
};

// One socket of the program's network namespace as the kernel describes it.
struct TSocketRecord
{
    TSocketKey Key;
    std::uint64_t Cookie = 0;   // the kernel's identity of the socket, never reused while the system runs
    std::uint64_t CgroupId = 0; // the cgroup v2 id of the process that made it; 0 when the kernel does not say
    std::uint32_t Uid = 0;      // the owner
    std::uint32_t Inode = 0;
    // TCP payload: received, and sent and acknowledged. Only meaningful with HasCounters.
    std::uint64_t BytesReceived = 0;
    std::uint64_t BytesAcked = 0;
    std::uint8_t State = 0; // the kernel's TCP state number
    TSocketProtocol Protocol = TSocketProtocol::spTcp;
    bool Loopback = false;    // the local address is a loopback address: local IPC, not network traffic
    bool HasCounters = false; // the byte counts were given
    bool HasCgroupId = false; // the kernel gave a cgroup id (Linux 5.8 and later)
};

// One reading of the table, stamped with the monotonic time (GetTickCount64) it was taken at.
struct TSocketTable
{
    std::uint64_t Tick = 0;
    std::vector<TSocketRecord> Sockets;
    bool Partial = false; // only the sockets asked for (ReadSockets): the others were not read
};

// The final counts of a TCP socket that was closed: joined to the table's sockets by cookie.
struct TSocketClose
{
    std::uint64_t Cookie = 0;
    std::uint64_t BytesReceived = 0;
    std::uint64_t BytesAcked = 0;
    bool Loopback = false;
};

// Reads the socket table and collects close events. Opens its kernel sockets on first use, in the
// network namespace of that moment, and keeps them; not shared between threads. Needs no privilege.
class TSocketTableReader
{
public:
    TSocketTableReader();
    ~TSocketTableReader();
    TSocketTableReader(const TSocketTableReader&) = delete;
    TSocketTableReader& operator=(const TSocketTableReader&) = delete;

    // Replaces ATable with one reading of every TCP and UDP socket. 1 on success; 0 when the
    // system offers no such table (ATable is then empty and stays so); -1 when it failed this time.
    int ReadTable(TSocketTable& ATable);

    // Replaces ATable with a reading of the TCP sockets AKeys name that are still open (one request
    // each: cheap for a few, while a whole table walks all the kernel's connections). 1 on success;
    // 0 when the system cannot look sockets up one by one; -1 when it failed this time.
    int ReadSockets(const std::vector<TSocketKey>& AKeys, TSocketTable& ATable);

    // The TCP connections opened in this network namespace so far, either way: while it stays the
    // same, no socket is missing from the last whole table but those closed since. 1 on success; 0
    // when the system does not count them; -1 when it failed this time.
    int ReadOpenCount(std::uint64_t& ACount);

    // Appends the close events that arrived since the last call, without waiting. 1 when all
    // arrived; 0 when the system has no such events; -1 when some were lost (the kernel's queue
    // overflowed): the caller should take a new table before trusting what it knows.
    int ReadCloses(std::vector<TSocketClose>& ACloses);

    struct TImpl;

private:
    std::unique_ptr<TImpl> FImpl;
};

// The user the program runs as: sockets of other users are named after their owner.
std::uint32_t CurrentUserId();

} // namespace qn
