// The user's number and date formats taken from a Qt locale.
#include "watcher/locale_format.h"

namespace qn {

TFormatSettings FormatSettingsFromLocale(const QLocale& ALocale)
{
    TFormatSettings settings;
    settings.DecimalSeparator = ALocale.decimalPoint().toStdString();
    settings.ThousandSeparator = ALocale.groupSeparator().toStdString();
    settings.ShortDateFormat = ALocale.dateFormat(QLocale::ShortFormat).toStdString();
    settings.LongTimeFormat = ALocale.timeFormat(QLocale::LongFormat).toStdString();
    settings.AmDesignator = ALocale.amText().toStdString();
    settings.PmDesignator = ALocale.pmText().toStdString();
    for (int m = 1; m <= 12; ++m) {
        settings.ShortMonthNames[static_cast<std::size_t>(m - 1)] =
            ALocale.monthName(m, QLocale::ShortFormat).toStdString();
        settings.LongMonthNames[static_cast<std::size_t>(m - 1)] =
            ALocale.monthName(m, QLocale::LongFormat).toStdString();
    }
    // Qt numbers the days from Monday (1) to Sunday (7); the settings start on Sunday.
    for (int d = 1; d <= 7; ++d) {
        const auto slot = static_cast<std::size_t>(d % 7);
        settings.ShortDayNames[slot] = ALocale.dayName(d, QLocale::ShortFormat).toStdString();
        settings.LongDayNames[slot] = ALocale.dayName(d, QLocale::LongFormat).toStdString();
    }
    return settings;
}

} // namespace qn
