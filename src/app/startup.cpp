// Start-up choices: XWayland on Wayland sessions, and the locale's formats for the formatting code.
#include "app/startup.h"

#include <QLocale>

namespace qn {

namespace {
bool Set(const char* AValue)
{
    return AValue && *AValue;
}
} // namespace

std::string ForcedQtPlatform(const char* AQtPlatform, const char* AWaylandDisplay, const char* AX11Display)
{
    // Wayland gives applications no say over stacking, position or taskbar presence, which "Always
    // Visible", the stored position and the caption-less mode need.
    if (!Set(AQtPlatform) && Set(AWaylandDisplay) && Set(AX11Display))
        return "xcb";
    return {};
}

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
        settings.ShortMonthNames[m - 1] = ALocale.monthName(m, QLocale::ShortFormat).toStdString();
        settings.LongMonthNames[m - 1] = ALocale.monthName(m, QLocale::LongFormat).toStdString();
    }
    for (int d = 0; d < 7; ++d) {
        const int qtDay = d == 0 ? 7 : d; // Qt counts Monday = 1 ... Sunday = 7
        settings.ShortDayNames[d] = ALocale.dayName(qtDay, QLocale::ShortFormat).toStdString();
        settings.LongDayNames[d] = ALocale.dayName(qtDay, QLocale::LongFormat).toStdString();
    }
    return settings;
}

int THintTimingStyle::styleHint(StyleHint AHint, const QStyleOption* AOption, const QWidget* AWidget,
                                QStyleHintReturn* AReturnData) const
{
    if (AHint == SH_ToolTip_WakeUpDelay)
        return 1;
    return QProxyStyle::styleHint(AHint, AOption, AWidget, AReturnData);
}

} // namespace qn
