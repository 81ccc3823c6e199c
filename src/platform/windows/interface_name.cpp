// Windows names its adapters with GUID strings, and the system compares them without regard to case.
#include "platform/interface_name.h"

#include "platform/windows/sdk.h"
#include "platform/windows/wide_path.h"

namespace qn {

bool SameInterfaceName(std::string_view A, std::string_view B)
{
    if (A.size() == B.size() && A == B)
        return true;
    const std::wstring a = win::Widen(A);
    const std::wstring b = win::Widen(B);
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

} // namespace qn
