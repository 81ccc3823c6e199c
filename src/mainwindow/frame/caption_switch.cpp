// Caption and menu bar switch: the height changes that keep the window body in place.
#include "mainwindow/frame/caption_switch.h"

namespace qn {

namespace {
// The frame line that a captioned window draws below its menu bar.
constexpr int MenuFrameLine = 2;
} // namespace

bool HasCaption(const ICaptionWindow& AWindow)
{
    return AWindow.CaptionStyle();
}

void HideCaption(ICaptionWindow& AWindow, const TCaptionMetrics& AMetrics)
{
    int h = 0;
    switch (AWindow.BorderStyle()) {
    case TBorderStyle::Single:
    case TBorderStyle::Sizeable:
    case TBorderStyle::Dialog:
        h = AMetrics.CaptionHeight;
        break;
    case TBorderStyle::ToolWindow:
    case TBorderStyle::SizeToolWin:
        h = AMetrics.SmallCaptionHeight;
        break;
    case TBorderStyle::None:
        break;
    }
    AWindow.SetCaptionStyle(false);
    AWindow.SetHeight(AWindow.Height() - h);
}

void ShowCaption(ICaptionWindow& AWindow, const TCaptionMetrics& AMetrics)
{
    AWindow.SetCaptionStyle(true);
    AWindow.SetHeight(AWindow.Height() + AMetrics.CaptionHeight);
}

void UpdateCaption(ICaptionWindow& AWindow, bool ACaptionWanted, bool AToggled, const TCaptionMetrics& AMetrics)
{
    if (ACaptionWanted) {
        if (HasCaption(AWindow))
            return;
        AWindow.SetMenuBar(true);
        AWindow.SetHeight(AWindow.Height() + AMetrics.CaptionHeight + MenuFrameLine);
        ShowCaption(AWindow, AMetrics);
        return;
    }
    // Every show of the window re-applies the stored state; taking the caption's height off a
    // window that has none would shrink it a little more on each return from the tray.
    if (!HasCaption(AWindow))
        return;
    HideCaption(AWindow, AMetrics);
    AWindow.SetMenuBar(false);
    if (AToggled)
        AWindow.SetHeight(AWindow.Height() - (AMetrics.CaptionHeight + MenuFrameLine));
    else
        AWindow.SetHeight(AWindow.Height() + AMetrics.MenuHeight);
}

} // namespace qn
