// Start-up choices of the program that depend on its environment: the Qt platform and the formats.
#pragma once

#include "watcher/frm_qn_watcher.h"
#include "watcher/locale_format.h"

#include <QProxyStyle>

#include <functional>
#include <string>

class QLocale;

namespace qn {

// The Qt platform to force before the application object exists, or "" to leave Qt's choice:
// "xcb" on a Wayland session that offers XWayland, unless the user chose a platform.
std::string ForcedQtPlatform(const char* AQtPlatform, const char* AWaylandDisplay, const char* AX11Display);

// What every run of the program sets once the application object exists: its name, desktop entry
// and icon, staying alive while the window is in the tray, the locale's formats for the formatting
// code and the hint timing (appear after 1 ms, stay up 100,000 ms).
void SetUpApplication();

// The platform's style with the program's hint timing: a hint appears at once (after 1 ms).
class THintTimingStyle : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint AHint, const QStyleOption* AOption = nullptr, const QWidget* AWidget = nullptr,
                  QStyleHintReturn* AReturnData = nullptr) const override;
};

// Shows every widget's hint for HintDisplayMs instead of Qt's few seconds; installed on the
// application by SetUpApplication. Widgets without a hint are left to Qt.
class THintDurationFilter : public QObject
{
    Q_OBJECT

public:
    static constexpr int HintDisplayMs = Tfrm_qn_Watcher::HintDisplayMs;
    using TShowText = std::function<void(const QPoint& APos, const QString& AText, QWidget* AWidget, int AMs)>;

    explicit THintDurationFilter(QObject* AParent = nullptr);
    // How a hint is shown; QToolTip::showText unless replaced (tests).
    TShowText ShowText;

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;
};

} // namespace qn
