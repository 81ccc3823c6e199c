// Start-up choices: XWayland on Wayland sessions, the application-wide settings, the hint timing.
#include "app/startup.h"

#include "platform/heap.h"
#include "widgetkit/svg_image_list.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLocale>
#include <QToolTip>
#include <QWidget>

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

void SetUpApplication()
{
    KeepHeapCompact();
    QApplication::setApplicationName(QStringLiteral("Quarno"));
    // No display name: Qt would append it to every window title ("Properties — Quarno").
    QApplication::setDesktopFileName(QStringLiteral("org.veldo.Quarno"));
    QApplication::setWindowIcon(ApplicationIcon());
    // The window hides to the tray and dialogs may close while it is hidden: only "Exit" ends.
    QApplication::setQuitOnLastWindowClosed(false);
    SetFormatSettings(FormatSettingsFromLocale(QLocale::system()));
    QApplication::setStyle(new THintTimingStyle);
    qApp->installEventFilter(new THintDurationFilter(qApp));
}

int THintTimingStyle::styleHint(StyleHint AHint, const QStyleOption* AOption, const QWidget* AWidget,
                                QStyleHintReturn* AReturnData) const
{
    if (AHint == SH_ToolTip_WakeUpDelay)
        return 1;
    return QProxyStyle::styleHint(AHint, AOption, AWidget, AReturnData);
}

THintDurationFilter::THintDurationFilter(QObject* AParent)
    : QObject(AParent), ShowText([](const QPoint& APos, const QString& AText, QWidget* AWidget, int AMs) {
          QToolTip::showText(APos, AText, AWidget, QRect(), AMs);
      })
{
}

bool THintDurationFilter::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AEvent->type() != QEvent::ToolTip || !AWatched->isWidgetType())
        return QObject::eventFilter(AWatched, AEvent);
    auto* widget = static_cast<QWidget*>(AWatched);
    if (widget->toolTip().isEmpty() || !ShowText)
        return QObject::eventFilter(AWatched, AEvent);
    ShowText(static_cast<QHelpEvent*>(AEvent)->globalPos(), widget->toolTip(), widget, HintDisplayMs);
    return true;
}

} // namespace qn
