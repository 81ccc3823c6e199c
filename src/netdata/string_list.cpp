// Name=value lines with case-insensitive names.
#include "netdata/string_list.h"

namespace qn {

bool SameText(std::string_view A, std::string_view B)
{
    if (A.size() != B.size())
        return false;
    for (std::size_t i = 0; i < A.size(); ++i) {
        char a = A[i], b = B[i];
        if (a >= 'a' && a <= 'z')
            a = static_cast<char>(a - 'a' + 'A');
        if (b >= 'a' && b <= 'z')
            b = static_cast<char>(b - 'a' + 'A');
        if (a != b)
            return false;
    }
    return true;
}

std::string TStringList::Names(int AIndex) const
{
    const std::string& line = (*this)[AIndex];
    const std::size_t equals = line.find('=');
    return equals == std::string::npos ? std::string() : line.substr(0, equals);
}

std::string TStringList::ValueFromIndex(int AIndex) const
{
    const std::string& line = (*this)[AIndex];
    const std::size_t equals = line.find('=');
    return equals == std::string::npos ? std::string() : line.substr(equals + 1);
}

int TStringList::IndexOfName(std::string_view AName) const
{
    for (int i = 0; i < Count(); ++i) {
        const std::string& line = FLines[static_cast<std::size_t>(i)];
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && SameText(std::string_view(line).substr(0, equals), AName))
            return i;
    }
    return -1;
}

std::string TStringList::Values(std::string_view AName) const
{
    const int index = IndexOfName(AName);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

} // namespace qn
