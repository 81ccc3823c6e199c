// TSizingFrame: the sizing border a window without a frame from the window manager handles itself.
#pragma once

#include <QObject>
#include <QPoint>
#include <QSize>
#include <Qt>

#include <functional>

class QWidget;

namespace qn {

// Installed on AWindow as an event filter (AWindow owns it). While AActive() holds, a left press
// within ABorder pixels of an edge (Edges) starts the window system's resize of those edges
// and goes no further, and the cursor over the window shows what a press there would do; otherwise
// the arrow shows and every event passes on unchanged.
class TSizingFrame : public QObject
{
public:
    TSizingFrame(QWidget* AWindow, int ABorder, std::function<bool()> AActive);

    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

    // The edges of a window of ASize that a press at APos (window coordinates) grabs when the window
    // has a sizing border ABorder pixels wide: none inside the border, one along a side, two at a
    // corner, where the grip reaches 4 × ABorder along each side so that it can be hit.
    static Qt::Edges Edges(const QPoint& APos, const QSize& ASize, int ABorder);
    // The cursor that shows what a press on AEdges does.
    static Qt::CursorShape Cursor(Qt::Edges AEdges);

private:
    QWidget* FWindow;
    int FBorder;
    std::function<bool()> FActive;
};

} // namespace qn
