// The user's number and date formats taken from a Qt locale, for the plain formatting code.
#pragma once

#include "texts/format_settings.h"

#include <QLocale>

namespace qn {

// The separators, the short date and long time patterns, the AM/PM texts and the month and day
// names of ALocale. The application hands the result of QLocale::system() to SetFormatSettings
// once at start.
TFormatSettings FormatSettingsFromLocale(const QLocale& ALocale);

} // namespace qn
