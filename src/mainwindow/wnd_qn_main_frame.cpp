// The main window's frame: whether it has a caption, its own sizing border without one, moving by the
// panels and the free area, and the snap to the work area's edges.
#include "mainwindow/wnd_qn_main.h"

#include "mainwindow/caption_switch.h"
#include "mainwindow/top_most_window.h"
#include "mainwindow/window_metrics.h"
#include "mainwindow/window_snapper.h"
#include "watcher/frm_qn_watcher.h"
#include "watcher/gradient_bar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QWindow>

#include <algorithm>

namespace qn {

bool Twnd_qn_Main::HasCaption() const
{
    return FCaptionWindow->CaptionStyle();
}

int Twnd_qn_Main::FrameHeight() const
{
    return FCaptionWindow->Height();
}

void Twnd_qn_Main::ScrollBoxMouseDown(Qt::MouseButton AButton)
{
    if (AButton != Qt::LeftButton)
        return;
    if (QWindow* w = windowHandle())
        w->startSystemMove();
}

bool Twnd_qn_Main::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AEvent->type() == QEvent::MouseButtonPress &&
        (AWatched == ScrollBox->viewport() || AWatched == ScrollBox->widget())) {
        ScrollBoxMouseDown(static_cast<QMouseEvent*>(AEvent)->button());
    }
    // Without a caption the panels may fill the window: their header bars move it too.
    if (AEvent->type() == QEvent::MouseButtonPress && !HasCaption() &&
        static_cast<QMouseEvent*>(AEvent)->button() == Qt::LeftButton &&
        std::any_of(Watchers().begin(), Watchers().end(),
                    [&](const Tfrm_qn_Watcher* AFrame) { return AWatched == AFrame->Header; })) {
        ScrollBoxMouseDown(Qt::LeftButton);
        return true;
    }
    return TLMForm::eventFilter(AWatched, AEvent);
}

void Twnd_qn_Main::paintEvent(QPaintEvent* AEvent)
{
    TLMForm::paintEvent(AEvent);
    if (HasCaption())
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Twnd_qn_Main::moveEvent(QMoveEvent* AEvent)
{
    TLMForm::moveEvent(AEvent);
    FSnapper->Moved(AEvent->spontaneous());
}

void Twnd_qn_Main::SnapToWorkArea()
{
    FSnapper->Snap();
}

} // namespace qn
