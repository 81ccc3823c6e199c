// Name=value lines with case-insensitive names.
#include "netdata/string_list.h"

#include "platform/ascii_text.h"

namespace qn {

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
