// No service to read from: a scan has nothing to share.
#include "platform/interface_scan.h"

namespace qn {

TInterfaceScan::TInterfaceScan() = default;

TInterfaceScan::~TInterfaceScan() = default;

} // namespace qn
