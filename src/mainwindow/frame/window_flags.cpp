// Live window-flag changes: QWidget::setWindowFlags hides the window, the native window need not.
#include "mainwindow/frame/window_flags.h"

#include <QWidget>
#include <QWindow>

namespace qn {

void SetWindowFlagLive(QWidget* AWindow, Qt::WindowType AFlag, bool AOn)
{
    if (!AWindow)
        return;
    Qt::WindowFlags flags = AWindow->windowFlags();
    flags.setFlag(AFlag, AOn);
    if (flags == AWindow->windowFlags())
        return;
    if (!AWindow->isVisible() || !AWindow->windowHandle()) {
        // Not shown: the flags take effect when the window is next created or shown.
        const bool wasHidden = AWindow->isHidden();
        AWindow->setWindowFlags(flags);
        if (!wasHidden)
            AWindow->show();
        return;
    }
    // overrideWindowFlags keeps the widget's record in step; the native window applies the
    // change in place (stacking hint, decorations) without being unmapped.
    AWindow->overrideWindowFlags(flags);
    AWindow->windowHandle()->setFlags(flags);
}

} // namespace qn
