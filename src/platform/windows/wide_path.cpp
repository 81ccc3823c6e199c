// UTF-8 to UTF-16 and back through the system's own converters.
#include "platform/windows/wide_path.h"

#include "platform/windows/sdk.h"

namespace qn::win {

std::wstring Widen(std::string_view AText)
{
    if (AText.empty())
        return {};
    const int size = static_cast<int>(AText.size());
    const int n = MultiByteToWideChar(CP_UTF8, 0, AText.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, AText.data(), size, out.data(), n);
    return out;
}

std::string Narrow(std::wstring_view AText)
{
    if (AText.empty())
        return {};
    const int size = static_cast<int>(AText.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, AText.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, AText.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace qn::win
