// Removing and restoring a window's caption and menu bar, as height arithmetic over a small seam.
#pragma once

namespace qn {

// System metrics the caption switch works with, in device-independent pixels.
struct TCaptionMetrics
{
    int CaptionHeight = 0;      // title bar of an ordinary window
    int SmallCaptionHeight = 0; // title bar of a tool window
    int MenuHeight = 0;         // one line of menu bar
};

enum class TBorderStyle
{
    None,
    Single,
    Sizeable,
    Dialog,
    ToolWindow,
    SizeToolWin
};

// What the caption switch needs of a window. Height is the outer height, frame included.
class ICaptionWindow
{
public:
    virtual ~ICaptionWindow() = default;
    virtual bool CaptionStyle() const = 0;
    virtual void SetCaptionStyle(bool AOn) = 0;
    virtual TBorderStyle BorderStyle() const = 0;
    virtual int Height() const = 0;
    virtual void SetHeight(int AHeight) = 0;
    virtual void SetMenuBar(bool AShown) = 0;
};

// True when the window has its caption.
bool HasCaption(const ICaptionWindow& AWindow);

// Clears the caption and takes its height (by border style) off the window's height.
void HideCaption(ICaptionWindow& AWindow, const TCaptionMetrics& AMetrics);

// Sets the caption and adds the caption height. Called only while the caption is off.
void ShowCaption(ICaptionWindow& AWindow, const TCaptionMetrics& AMetrics);

// Brings caption and menu bar in line with ACaptionWanted. AToggled is true when the user just
// switched it (the height then changes symmetrically and switching twice restores it) and false
// when a stored state is applied at start (the menu bar's height is kept in the body instead).
void UpdateCaption(ICaptionWindow& AWindow, bool ACaptionWanted, bool AToggled, const TCaptionMetrics& AMetrics);

} // namespace qn
