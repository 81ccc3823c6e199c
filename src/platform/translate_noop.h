// Marks a text for the translation tools in code that does not include Qt: the text stays English
// here, and the window that shows it translates it.
#pragma once

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

#include <initializer_list>
#include <string>
#include <string_view>

namespace qn {

// ATemplate with %1 … %9 replaced by AArgs in one pass (an argument holding "%2" stays as it is):
// the English text of a marked template, which the window can match and translate whole.
inline std::string FillText(std::string_view ATemplate, std::initializer_list<std::string_view> AArgs)
{
    std::string text;
    for (std::size_t i = 0; i < ATemplate.size(); ++i) {
        const char next = i + 1 < ATemplate.size() ? ATemplate[i + 1] : '\0';
        const auto n = static_cast<std::size_t>(next - '1');
        if (ATemplate[i] == '%' && next >= '1' && next <= '9' && n < AArgs.size()) {
            text += *(AArgs.begin() + n);
            ++i;
        } else {
            text += ATemplate[i];
        }
    }
    return text;
}

} // namespace qn
