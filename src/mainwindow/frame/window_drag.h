// TWindowDrag: moves a window by a left press on its free area, and on its panels' header bars.
#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace qn {

// An event filter: a left press on an area added with AddArea starts the window system's move and
// still reaches the area; on any other object the filter is installed on (the panels' header bars)
// it moves the window and goes no further, but only while AHeaders() holds (without a caption the
// panels may fill the window). A child of the window, which owns it.
class TWindowDrag : public QObject
{
public:
    TWindowDrag(QWidget* AWindow, std::function<bool()> AHeaders);

    void AddArea(QWidget* AArea);
    // A press of AButton on the scroll box's free area (or a header bar): only the left one starts
    // the window system's move.
    void ScrollBoxMouseDown(Qt::MouseButton AButton) const;
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    QWidget* FWindow;
    std::function<bool()> FHeaders;
    QList<QObject*> FAreas;
};

} // namespace qn
