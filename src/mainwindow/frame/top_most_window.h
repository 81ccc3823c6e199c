// TTopMostWindow: keeps its owner window above all other windows when AlwaysOnTop is set.
#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace qn {

// A non-visual component owned by a top-level window. Setting AlwaysOnTop to a new value fires
// OnBeforeChange, stores the value, applies it (UpdateZOrder) and fires OnAfterChange; setting the
// current value does nothing at all. Tag is free for the owner (the main window keeps its caption
// state there). Both are properties, so the layout manager can store them.
class TTopMostWindow : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool AlwaysOnTop READ AlwaysOnTop WRITE SetAlwaysOnTop)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    // AOwner must be a top-level window; anything else throws std::invalid_argument. The window's
    // stacking is not touched here.
    explicit TTopMostWindow(QWidget* AOwner);
    ~TTopMostWindow() override;

    QWidget* HWindow() const { return FHWindow; }

    bool AlwaysOnTop() const { return FAlwaysOnTop; }
    void SetAlwaysOnTop(bool AValue);

    int Tag() const { return FTag; }
    void SetTag(int AValue) { FTag = AValue; }

    // Runs AWork, a modal dialog over the window, with the stay-on-top hint taken off the window (or
    // the dialog would open behind it) and put back afterwards, also when AWork throws. AlwaysOnTop
    // stays and no event fires.
    void WhileLifted(const std::function<void()>& AWork);
    // Runs ADialog, when set, with the window as its parent, lifted.
    void ShowModal(const std::function<void(QWidget* AParent)>& ADialog);

    std::function<void(TTopMostWindow* Sender)> OnBeforeChange;
    std::function<void(TTopMostWindow* Sender)> OnAfterChange;

protected:
    // Applies AlwaysOnTop to the window's stacking; position and size stay.
    virtual void UpdateZOrder();

private:
    QWidget* FHWindow;
    bool FAlwaysOnTop = false;
    int FTag = 0;
};

} // namespace qn
