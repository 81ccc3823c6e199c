// Always-on-top switch of a window through the window manager's stay-on-top hint.
#include "mainwindow/frame/top_most_window.h"

#include "mainwindow/frame/window_flags.h"

#include <QWidget>

#include <stdexcept>

namespace qn {

namespace {

QWidget* CheckedWindow(QWidget* AOwner)
{
    if (!AOwner || !AOwner->isWindow())
        throw std::invalid_argument("Invalid class typecast");
    return AOwner;
}

} // namespace

TTopMostWindow::TTopMostWindow(QWidget* AOwner) : QObject(CheckedWindow(AOwner)), FHWindow(AOwner) {}

TTopMostWindow::~TTopMostWindow() = default;

void TTopMostWindow::SetAlwaysOnTop(bool AValue)
{
    if (AValue == FAlwaysOnTop)
        return;
    if (OnBeforeChange)
        OnBeforeChange(this);
    FAlwaysOnTop = AValue;
    UpdateZOrder();
    if (OnAfterChange)
        OnAfterChange(this);
}

void TTopMostWindow::WhileLifted(const std::function<void()>& AWork)
{
    const bool lifted = FAlwaysOnTop;
    if (lifted)
        SetWindowFlagLive(FHWindow, Qt::WindowStaysOnTopHint, false);
    try {
        AWork();
    } catch (...) {
        if (lifted)
            SetWindowFlagLive(FHWindow, Qt::WindowStaysOnTopHint, true);
        throw;
    }
    if (lifted)
        SetWindowFlagLive(FHWindow, Qt::WindowStaysOnTopHint, true);
}

void TTopMostWindow::ShowModal(const std::function<void(QWidget* AParent)>& ADialog)
{
    if (ADialog)
        WhileLifted([&] { ADialog(FHWindow); });
}

void TTopMostWindow::UpdateZOrder()
{
    SetWindowFlagLive(FHWindow, Qt::WindowStaysOnTopHint, FAlwaysOnTop);
    if (FAlwaysOnTop && FHWindow->isVisible())
        FHWindow->raise();
}

} // namespace qn
