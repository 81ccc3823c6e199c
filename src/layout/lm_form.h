// TLMForm: a main-window base class that ties a layout manager to the window's life.
#pragma once

#include "layout/layout_manager.h"

#include <QMainWindow>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <utility>

namespace qn {

// The form owns one TLayoutManager (LayoutManager(), Owner = the form), created before anything
// else of the form, freed last. What happens when:
// - every explicit show (show(), setVisible(true); also after hiding to the tray): with LayoutControl
//   the manager's full Restore runs (entries, named values, OnBeforeRestore/OnAfterRestore), then with
//   LayoutCheckPosition the form's PositionCheck, and only then OnShow fires;
// - the end of a move or resize the user made (SaveDelay ms after the last move or resize event of
//   the visible form): with LayoutControl the manager's full Save (skipped while ReadOnly or
//   restoring); keys whose values did not change leave the file untouched. The window manager's
//   placement after a show and the program's own changes (ProgramGeometryChange) save nothing;
// - destruction: with LayoutControl the manager's Save runs first, under the derived class's section
//   names but without OnBeforeSave/OnAfterSave (the derived part of the form no longer exists); a
//   derived class that needs its handlers or members in the final save calls
//   LayoutManager()->Save() in its own destructor;
// - a change of the screens or their geometry: with LayoutControl the form's own entry is restored
//   (Restore(this): no events, no named values) and, with LayoutCheckPosition, kept on a monitor;
//   then OnDisplayChange fires, also without LayoutControl;
// - files dropped on the form while AcceptFiles is set: OnDropFiles with their local paths.
// A form created while another TLMForm is the main form and that has no storage yet takes the main
// form's storage and its LayoutReadOnly. The first TLMForm created becomes the main form unless one
// was set.
//
// No exception leaves these handlers: a failure (such as "Unable to write to <path>" from a save) is
// handed to the error handler, which shows it in a message box unless replaced; the program goes on.
class TLMForm : public QMainWindow
{
    Q_OBJECT
    Q_PROPERTY(bool LayoutControl READ LayoutControl WRITE SetLayoutControl)
    Q_PROPERTY(bool LayoutCheckPosition READ LayoutCheckPosition WRITE SetLayoutCheckPosition)
    Q_PROPERTY(uint LayoutOptions READ LayoutOptions WRITE SetLayoutOptions)
    Q_PROPERTY(bool LayoutReadOnly READ LayoutReadOnly WRITE SetLayoutReadOnly)
    Q_PROPERTY(bool AcceptFiles READ AcceptFiles WRITE SetAcceptFiles)

public:
    using TNotifyEvent = std::function<void(TLMForm* Sender)>;
    using TOnDropFilesEvent = std::function<void(TLMForm* Sender, const QStringList& AFiles)>;
    using TErrorHandler = std::function<void(QWidget* AParent, const QString& AMessage)>;

    explicit TLMForm(QWidget* AParent = nullptr, Qt::WindowFlags AFlags = {});
    ~TLMForm() override;

    TLayoutManager* LayoutManager() const { return FLayoutManager.get(); }

    // True registers the form with its manager (current LayoutOptions, no properties); false
    // unregisters it, keeping its stored data.
    bool LayoutControl() const { return FLayoutControl; }
    void SetLayoutControl(bool AValue);
    bool LayoutCheckPosition() const { return FLayoutCheckPosition; }
    void SetLayoutCheckPosition(bool AValue) { FLayoutCheckPosition = AValue; }
    // Default loPosition | loSize | loState.
    TLayoutManagerControlOptions LayoutOptions() const { return FLMCO; }
    void SetLayoutOptions(TLayoutManagerControlOptions AValue);
    // Mirrors into the manager's ReadOnly; stored by the form's entry as "LayoutReadOnly".
    bool LayoutReadOnly() const { return FLayoutReadOnly; }
    void SetLayoutReadOnly(bool AValue);
    bool AcceptFiles() const { return FAcceptFiles; }
    void SetAcceptFiles(bool AValue);

    // The four layout events are the manager's (Sender = the manager).
    void SetOnBeforeRestore(TLayoutManager::TNotifyEvent AHandler)
    {
        FLayoutManager->OnBeforeRestore = std::move(AHandler);
    }
    void SetOnAfterRestore(TLayoutManager::TNotifyEvent AHandler)
    {
        FLayoutManager->OnAfterRestore = std::move(AHandler);
    }
    void SetOnBeforeSave(TLayoutManager::TNotifyEvent AHandler) { FLayoutManager->OnBeforeSave = std::move(AHandler); }
    void SetOnAfterSave(TLayoutManager::TNotifyEvent AHandler) { FLayoutManager->OnAfterSave = std::move(AHandler); }

    TNotifyEvent OnShow;
    TNotifyEvent OnDisplayChange;
    TOnDropFilesEvent OnDropFiles;

    // Centres the form over AForm (outer sizes, division truncating toward zero), or on the primary
    // screen's work area when AForm is nullptr.
    void CenterTo(QWidget* AForm = nullptr);

    // The quiet time after the last move or resize event that counts as the end of the move.
    int SaveDelay() const { return FSaveTimer.interval(); }
    void SetSaveDelay(int AMilliseconds) { FSaveTimer.setInterval(AMilliseconds); }
    bool SavePending() const { return FSaveTimer.isActive(); }
    // True from a show until the window manager's placement has settled: PlacementQuiet ms after its
    // last move or resize event (500 by default). Tests that own the window system set 0, so that
    // the placement ends once the queued events are handled rather than in real time.
    bool Placing() const { return FPlacing; }
    int PlacementQuiet() const { return FPlacementTimer.interval(); }
    void SetPlacementQuiet(int AMilliseconds) { FPlacementTimer.setInterval(AMilliseconds); }
    // Runs a pending end-of-move save now.
    void FlushPendingSave();

    // The display-change path; runs by itself when screens change.
    void DisplayChanged();
    // The drop path; runs by itself for drops of local files.
    void DropFiles(const QStringList& AFiles);

    static TLMForm* MainForm();
    static void SetMainForm(TLMForm* AForm);
    // Replaces how failures are shown; returns the previous handler.
    static TErrorHandler SetErrorHandler(TErrorHandler AHandler);
    // Shows AMessage through the error handler, unless a failure is being shown already: every
    // further move while a box is open would stack another box on it.
    static void ReportError(QWidget* AParent, const QString& AMessage);

    // Runs AChange, a move or resize the program makes by itself: it starts no end-of-move save.
    void ProgramGeometryChange(const std::function<void()>& AChange);

    void setVisible(bool AVisible) override;

protected:
    // Runs AWork, an event's handling: no exception crosses the event loop. Any exception goes to
    // the error handler (ReportError), over this form unless it is hidden or being destroyed.
    void Guarded(const std::function<void()>& AWork);
    void showEvent(QShowEvent* AEvent) override;
    void hideEvent(QHideEvent* AEvent) override;
    void moveEvent(QMoveEvent* AEvent) override;
    void resizeEvent(QResizeEvent* AEvent) override;
    void dragEnterEvent(QDragEnterEvent* AEvent) override;
    void dropEvent(QDropEvent* AEvent) override;

private:
    void GeometryChanged();
    void FixSizeForFrame();
    void SaveTimerTimeout();
    void WatchScreen(QScreen* AScreen);

    std::unique_ptr<TLayoutManager> FLayoutManager;
    bool FLayoutControl = false;
    bool FLayoutCheckPosition = false;
    TLayoutManagerControlOptions FLMCO = loAll;
    bool FLayoutReadOnly = false;
    bool FAcceptFiles = false;
    QTimer FSaveTimer;
    QTimer FDisplayTimer;
    // After each show the window manager places the window (and its frame); those moves are not
    // the user's. Placement ends after this timer's quiet time.
    QTimer FPlacementTimer;
    bool FPlacing = false;
    int FProgramGeometry = 0;
    // The window frame is unknown until the window is first mapped; a size restored before that is
    // corrected once the frame is known, so that the stored outer size does not grow by the frame.
    bool FFrameFixPending = false;
    bool FDestroying = false;
    QSize FRestoredOuterSize;
};

} // namespace qn
