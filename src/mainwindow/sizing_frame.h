// TSizingFrame: the sizing border a window without a frame from the window manager handles itself.
#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace qn {

// Installed on AWindow as an event filter (AWindow owns it). While AActive() holds, a left press
// within ABorder pixels of an edge (SizingEdges) starts the window system's resize of those edges
// and goes no further, and the cursor over the window shows what a press there would do; otherwise
// the arrow shows and every event passes on unchanged.
class TSizingFrame : public QObject
{
public:
    TSizingFrame(QWidget* AWindow, int ABorder, std::function<bool()> AActive);

    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    QWidget* FWindow;
    int FBorder;
    std::function<bool()> FActive;
};

} // namespace qn
