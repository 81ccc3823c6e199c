// One refresh's reading of the kernel: the system tables read once and shared by the IP helper calls
// made while the scan lives.
//
// Contract: while a TInterfaceScan lives on a thread, the host's IP helper functions called on that
// thread answer from one reading of each system table (links, addresses, routes, neighbours), made
// the first time a call needs it; per-interface questions (an interface row, an index's LUID or
// alias) are answered from that link table, and the same route question is asked only once. So a
// refresh costs one dump of each table, whatever the number of interfaces, and its answers agree
// with each other. Scans nest (an inner one shares the outer one's reading); each belongs to the
// thread that made it and is destroyed there. Without a scan every call reads afresh. Systems
// whose service needs no such scope (and the null platform) do nothing here.
#pragma once

namespace qn {

class TInterfaceScan
{
public:
    TInterfaceScan();
    ~TInterfaceScan();
    TInterfaceScan(const TInterfaceScan&) = delete;
    TInterfaceScan& operator=(const TInterfaceScan&) = delete;

private:
    bool FOuter = false;
};

} // namespace qn
