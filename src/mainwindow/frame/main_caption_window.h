// TMainCaptionWindow: a main window as the caption switch sees it.
#pragma once

#include "mainwindow/frame/caption_switch.h"

class QMainWindow;

namespace qn {

// Removing the caption keeps the outer height, as changing a window's style does; the switch then
// takes the caption's height off explicitly. Without a caption (and so without a frame from the
// window manager) the window keeps a sizing border of ASizingBorder pixels of its own. The window is
// borrowed and must outlive this object.
class TMainCaptionWindow : public ICaptionWindow
{
public:
    TMainCaptionWindow(QMainWindow* AWindow, int ASizingBorder) : FWindow(AWindow), FSizingBorder(ASizingBorder) {}

    bool CaptionStyle() const override;
    void SetCaptionStyle(bool AOn) override;
    TBorderStyle BorderStyle() const override { return TBorderStyle::Sizeable; }
    // The outer height, caption included.
    int Height() const override;
    void SetHeight(int AHeight) override;
    void SetMenuBar(bool AShown) override;

private:
    QMainWindow* FWindow;
    int FSizingBorder;
};

} // namespace qn
