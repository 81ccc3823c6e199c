// The thread's open scan: the kernel tables of one refresh, read at most once each.
#include "platform/interface_scan.h"

#include "platform/linux/kernel_tables.h"

#include <memory>

namespace qn {

namespace {

thread_local std::unique_ptr<linux_ip::TScanTables> GScan;

} // namespace

namespace linux_ip {

TScanTables* CurrentScan()
{
    return GScan.get();
}

} // namespace linux_ip

TInterfaceScan::TInterfaceScan()
{
    if (!GScan) {
        GScan = std::make_unique<linux_ip::TScanTables>();
        FOuter = true;
    }
}

TInterfaceScan::~TInterfaceScan()
{
    if (FOuter)
        GScan.reset();
}

} // namespace qn
