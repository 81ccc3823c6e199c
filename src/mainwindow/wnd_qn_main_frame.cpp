// The main window's frame: whether it has a caption, its own border without one, and the snap to the
// work area's edges.
#include "mainwindow/wnd_qn_main.h"

#include "mainwindow/caption_switch.h"
#include "mainwindow/top_most_window.h"
#include "mainwindow/window_metrics.h"
#include "mainwindow/window_snapper.h"

#include <QMoveEvent>
#include <QPainter>

namespace qn {

bool Twnd_qn_Main::CaptionShown() const
{
    return TMW->Tag() != 0;
}

void Twnd_qn_Main::UpdateCaption(bool AToggled)
{
    ProgramGeometryChange(
        [this, AToggled] { qn::UpdateCaption(*FCaptionWindow, CaptionShown(), AToggled, GetCaptionMetrics(this)); });
}

bool Twnd_qn_Main::HasCaption() const
{
    return FCaptionWindow->CaptionStyle();
}

int Twnd_qn_Main::FrameHeight() const
{
    return FCaptionWindow->Height();
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
