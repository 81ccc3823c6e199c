// No IP helper service: the snapshot sees no interfaces and no change is ever reported.
#include "platform/ip_helper.h"

namespace qn {

HANDLE LoadIpHelper()
{
    return nullptr;
}

TIpHelperProc GetIpHelperProc(HANDLE, const char*)
{
    return nullptr;
}

} // namespace qn
