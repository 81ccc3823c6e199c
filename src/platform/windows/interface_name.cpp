// Windows adapter names (GUID strings) match when they differ only in the case of A to Z.
#include "platform/interface_name.h"

#include "platform/ascii_text.h"

namespace qn {

bool SameInterfaceName(std::string_view A, std::string_view B)
{
    return SameText(A, B);
}

std::string InterfaceNameKey(std::string_view AName)
{
    return LowerCaseText(AName);
}

} // namespace qn
