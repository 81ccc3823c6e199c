// An ordered list of text lines with name=value access, the form the interface records keep their
// address lists in.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qn {

// Lines keep their order and duplicates. A line's name is the text before its first "=", its value the
// text after it; names are compared without regard to the case of A to Z.
class TStringList
{
public:
    void Add(std::string ALine) { FLines.push_back(std::move(ALine)); }
    void Clear() { FLines.clear(); }
    int Count() const { return static_cast<int>(FLines.size()); }
    bool IsEmpty() const { return FLines.empty(); }
    const std::string& operator[](int AIndex) const { return FLines[static_cast<std::size_t>(AIndex)]; }
    const std::vector<std::string>& Lines() const { return FLines; }

    std::string Names(int AIndex) const;
    std::string ValueFromIndex(int AIndex) const;
    // Position of the first line whose name is AName, or -1.
    int IndexOfName(std::string_view AName) const;
    // The value of the first line named AName, or empty.
    std::string Values(std::string_view AName) const;

    bool operator==(const TStringList&) const = default;

private:
    std::vector<std::string> FLines;
};

} // namespace qn
