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
    // Folded as SameText folds: only A to Z.
    std::string key(AName);
    for (char& c : key)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return key;
}

} // namespace qn
