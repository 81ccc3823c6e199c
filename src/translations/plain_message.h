// TranslatePlainMessage: a message that a plain layer filled in English from a marked template,
// in the user's language.
#pragma once

#include <QString>

#include <string>

namespace qn {

// AMessage translated by the first of ATemplates (marked with QT_TRANSLATE_NOOP in AContext, filled
// with FillText) that it matches whole: the template's translation with the parts that filled it.
// A message that matches none is shown as it came.
template <class TTemplates>
QString TranslatePlainMessage(const std::string& AMessage, const char* AContext, const TTemplates& ATemplates);

// The same over an array of templates.
QString TranslatePlainMessage(const std::string& AMessage, const char* AContext, const char* const* ATemplates,
                              std::size_t ACount);

template <class TTemplates>
QString TranslatePlainMessage(const std::string& AMessage, const char* AContext, const TTemplates& ATemplates)
{
    return TranslatePlainMessage(AMessage, AContext, ATemplates.data(), ATemplates.size());
}

} // namespace qn
