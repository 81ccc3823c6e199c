// The case-insensitive comparison of platform/ascii_text.h for Qt's UTF-16 strings.
#pragma once

#include "platform/ascii_text.h"

#include <QStringView>

#include <string_view>

namespace qn {

inline std::u16string_view U16(QStringView AText)
{
    return {AText.utf16(), static_cast<std::size_t>(AText.size())};
}

inline bool SameText(QStringView A, QStringView B)
{
    return SameText(U16(A), U16(B));
}

inline int CompareText(QStringView A, QStringView B)
{
    return CompareText(U16(A), U16(B));
}

} // namespace qn
