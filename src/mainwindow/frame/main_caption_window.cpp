// TMainCaptionWindow: the caption, the sizing border and the height of a main window.
#include "mainwindow/frame/main_caption_window.h"

#include "mainwindow/frame/window_flags.h"
#include "mainwindow/frame/window_metrics.h"

#include <QMainWindow>
#include <QMenuBar>

#include <algorithm>

namespace qn {

bool TMainCaptionWindow::CaptionStyle() const
{
    return !(FWindow->windowFlags() & Qt::FramelessWindowHint);
}

void TMainCaptionWindow::SetCaptionStyle(bool AOn)
{
    const int height = Height();
    SetWindowFlagLive(FWindow, Qt::FramelessWindowHint, !AOn);
    const int border = AOn ? 0 : FSizingBorder;
    FWindow->setContentsMargins(border, border, border, border);
    SetHeight(height);
}

int TMainCaptionWindow::Height() const
{
    return FWindow->height() + (CaptionStyle() ? GetCaptionMetrics(FWindow).CaptionHeight : 0);
}

void TMainCaptionWindow::SetHeight(int AHeight)
{
    const int caption = Height() - FWindow->height();
    FWindow->resize(FWindow->width(), std::max(1, AHeight - caption));
}

void TMainCaptionWindow::SetMenuBar(bool AShown)
{
    FWindow->menuBar()->setVisible(AShown);
}

} // namespace qn
