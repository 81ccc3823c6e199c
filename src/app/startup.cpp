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

int THintTimingStyle::styleHint(StyleHint AHint, const QStyleOption* AOption, const QWidget* AWidget,
                                QStyleHintReturn* AReturnData) const
{
    if (AHint == SH_ToolTip_WakeUpDelay)
        return 1;
    return QProxyStyle::styleHint(AHint, AOption, AWidget, AReturnData);
}

} // namespace qn
