// Without a port, names are taken as the exact strings the service gives.
#include "platform/interface_name.h"

namespace qn {

bool SameInterfaceName(std::string_view A, std::string_view B)
{
    return A == B;
}

std::string InterfaceNameKey(std::string_view AName)
{
    return std::string(AName);
}

} // namespace qn
