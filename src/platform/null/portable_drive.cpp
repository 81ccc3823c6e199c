// No drive is known to be portable: settings stay in the per-user place.
#include "platform/portable_drive.h"

namespace qn {

bool IsPortableDrive(const std::string&)
{
    return false;
}

bool IsPortableBlockDevice(unsigned, unsigned, const std::string&)
{
    return false;
}

} // namespace qn
