// TLMForm: restore on show, save at the end of moves and at destruction, display changes, drops.
#include "layout/lm_form.h"

#include "layout/desktop_metrics.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QUrl>

#include <exception>

namespace qn {

namespace {

// Long enough to cover the gaps between the move events of one drag, short enough that a quit
// right after a move still finds the save done.
constexpr int DefaultSaveDelayMs = 400;
// The window manager's placement of a window just shown (position, frame, size corrections) comes
// in a burst of events; a user cannot grab the window before this quiet time has passed.
constexpr int PlacementQuietMs = 500;

bool& ErrorShowing()
{
    static bool showing = false;
    return showing;
}

QPointer<TLMForm>& TheMainForm()
{
    static QPointer<TLMForm> form;
    return form;
}

TLMForm::TErrorHandler& ErrorHandler()
{
    static TLMForm::TErrorHandler handler = [](QWidget* AParent, const QString& AMessage) {
        QMessageBox::critical(AParent, QGuiApplication::applicationDisplayName(), AMessage);
    };
    return handler;
}

QStringList LocalFiles(const QMimeData* AData)
{
    QStringList files;
    if (!AData || !AData->hasUrls())
        return files;
    for (const QUrl& url : AData->urls())
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    return files;
}

} // namespace

TLMForm::TLMForm(QWidget* AParent, Qt::WindowFlags AFlags)
    : QMainWindow(AParent, AFlags), FLayoutManager(std::make_unique<TLayoutManager>())
{
    FLayoutManager->SetOwner(this);
    FSaveTimer.setSingleShot(true);
    FSaveTimer.setInterval(DefaultSaveDelayMs);
    connect(&FSaveTimer, &QTimer::timeout, this, [this] { SaveTimerTimeout(); });
    FPlacementTimer.setSingleShot(true);
    FPlacementTimer.setInterval(PlacementQuietMs);
    connect(&FPlacementTimer, &QTimer::timeout, this, [this] { FPlacing = false; });
    // Several screen signals arrive for one change: they are handled once.
    FDisplayTimer.setSingleShot(true);
    FDisplayTimer.setInterval(0);
    connect(&FDisplayTimer, &QTimer::timeout, this, [this] { DisplayChanged(); });
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::screenAdded, this, [this](QScreen* s) {
            WatchScreen(s);
            FDisplayTimer.start();
        });
        connect(app, &QGuiApplication::screenRemoved, this, [this] { FDisplayTimer.start(); });
        connect(app, &QGuiApplication::primaryScreenChanged, this, [this] { FDisplayTimer.start(); });
        for (QScreen* s : QGuiApplication::screens())
            WatchScreen(s);
    }

    TLMForm* main = TheMainForm().data();
    if (!main) {
        SetMainForm(this);
    } else if (!FLayoutManager->Storage()) {
        FLayoutManager->SetStorage(main->LayoutManager()->Storage());
        SetLayoutReadOnly(main->LayoutReadOnly());
    }
}

TLMForm::~TLMForm()
{
    FSaveTimer.stop();
    FDisplayTimer.stop();
    FDestroying = true;
    if (FLayoutControl) {
        // The derived form is already gone: handlers it installed must not run any more.
        FLayoutManager->OnBeforeSave = nullptr;
        FLayoutManager->OnAfterSave = nullptr;
        FLayoutManager->OwnerDestroying();
        Guarded([this] { FLayoutManager->Save(); });
    }
    if (TheMainForm().data() == this)
        SetMainForm(nullptr);
}

void TLMForm::WatchScreen(QScreen* AScreen)
{
    connect(AScreen, &QScreen::geometryChanged, this, [this] { FDisplayTimer.start(); });
    connect(AScreen, &QScreen::virtualGeometryChanged, this, [this] { FDisplayTimer.start(); });
}

void TLMForm::Guarded(const std::function<void()>& AWork)
{
    try {
        AWork();
    } catch (const std::exception& e) {
        ReportError(FDestroying || !isVisible() ? nullptr : this, QString::fromUtf8(e.what()));
    } catch (...) {
        ReportError(FDestroying || !isVisible() ? nullptr : this, QStringLiteral("Unexpected error"));
    }
}

void TLMForm::ReportError(QWidget* AParent, const QString& AMessage)
{
    if (ErrorShowing() || !ErrorHandler())
        return;
    struct TShowing
    {
        TShowing() { ErrorShowing() = true; }
        ~TShowing() { ErrorShowing() = false; }
    } showing;
    ErrorHandler()(AParent, AMessage);
}

void TLMForm::ProgramGeometryChange(const std::function<void()>& AChange)
{
    struct TDepth
    {
        int& Value;
        ~TDepth() { --Value; }
    } depth{++FProgramGeometry};
    AChange();
}

void TLMForm::SetLayoutControl(bool AValue)
{
    FLayoutControl = AValue;
    if (AValue)
        FLayoutManager->Add(this, {}, {}, FLMCO);
    else
        FLayoutManager->Delete(this);
}

void TLMForm::SetLayoutOptions(TLayoutManagerControlOptions AValue)
{
    FLMCO = AValue & loAll;
    FLayoutManager->SetOptions(this, FLMCO);
}

void TLMForm::SetLayoutReadOnly(bool AValue)
{
    FLayoutReadOnly = AValue;
    FLayoutManager->SetReadOnly(AValue);
}

void TLMForm::SetAcceptFiles(bool AValue)
{
    FAcceptFiles = AValue;
    setAcceptDrops(AValue);
}

void TLMForm::CenterTo(QWidget* AForm)
{
    const QSize own = frameGeometry().size();
    if (AForm) {
        const QRect other = AForm->frameGeometry();
        move(other.x() + (other.width() - own.width()) / 2, other.y() + (other.height() - own.height()) / 2);
        return;
    }
    const QRect area = DesktopMetrics().PrimaryWorkArea();
    move(area.x() + (area.width() - own.width()) / 2, area.y() + (area.height() - own.height()) / 2);
}

void TLMForm::setVisible(bool AVisible)
{
    // The restore comes before the window is shown, so it appears in its stored place at once.
    if (AVisible && !isVisible() && FLayoutControl) {
        const bool frameKnown = frameGeometry().size() != geometry().size();
        const QSize before = size();
        Guarded([this] {
            FLayoutManager->Restore();
            if (FLayoutCheckPosition)
                FLayoutManager->PositionCheck(this);
        });
        // Only a size that came from storage is an outer size; a designed size is the client's.
        FFrameFixPending = !frameKnown && size() != before && !(windowFlags() & Qt::FramelessWindowHint);
        FRestoredOuterSize = size();
    }
    if (AVisible && !isVisible()) {
        FPlacing = true;
        FPlacementTimer.start();
    }
    QMainWindow::setVisible(AVisible);
    if (AVisible)
        FixSizeForFrame();
}

void TLMForm::FixSizeForFrame()
{
    if (!FFrameFixPending || !isVisible())
        return;
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame.isNull())
        return; // not known yet: a later move or resize event tries again
    FFrameFixPending = false;
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
        ProgramGeometryChange([this, frame] { resize(FRestoredOuterSize - frame); });
    // The check before showing saw no frame; the one the window manager gave may push the window
    // over the work area's edge.
    if (FLayoutControl && FLayoutCheckPosition)
        Guarded([this] { FLayoutManager->PositionCheck(this); });
}

void TLMForm::showEvent(QShowEvent* AEvent)
{
    QMainWindow::showEvent(AEvent);
    if (!AEvent->spontaneous() && OnShow)
        Guarded([this] { OnShow(this); });
}

void TLMForm::hideEvent(QHideEvent* AEvent)
{
    FFrameFixPending = false;
    QMainWindow::hideEvent(AEvent);
}

void TLMForm::moveEvent(QMoveEvent* AEvent)
{
    QMainWindow::moveEvent(AEvent);
    GeometryChanged();
}

void TLMForm::resizeEvent(QResizeEvent* AEvent)
{
    QMainWindow::resizeEvent(AEvent);
    GeometryChanged();
}

void TLMForm::GeometryChanged()
{
    if (!isVisible())
        return;
    FixSizeForFrame();
    if (FPlacing) {
        FPlacementTimer.start();
        return;
    }
    if (FLayoutControl && !FLayoutManager->Restoring() && FProgramGeometry == 0)
        FSaveTimer.start();
}

void TLMForm::SaveTimerTimeout()
{
    if (FLayoutControl)
        Guarded([this] { FLayoutManager->Save(); });
}

void TLMForm::FlushPendingSave()
{
    if (!FSaveTimer.isActive())
        return;
    FSaveTimer.stop();
    SaveTimerTimeout();
}

void TLMForm::DisplayChanged()
{
    Guarded([this] {
        if (FLayoutControl) {
            FLayoutManager->Restore(this);
            if (FLayoutCheckPosition)
                FLayoutManager->PositionCheck(this);
        }
        if (OnDisplayChange)
            OnDisplayChange(this);
    });
}

void TLMForm::DropFiles(const QStringList& AFiles)
{
    if (OnDropFiles)
        Guarded([&] { OnDropFiles(this, AFiles); });
}

void TLMForm::dragEnterEvent(QDragEnterEvent* AEvent)
{
    if (FAcceptFiles && !LocalFiles(AEvent->mimeData()).isEmpty())
        AEvent->acceptProposedAction();
    else
        QMainWindow::dragEnterEvent(AEvent);
}

void TLMForm::dropEvent(QDropEvent* AEvent)
{
    const QStringList files = LocalFiles(AEvent->mimeData());
    if (!FAcceptFiles || files.isEmpty()) {
        QMainWindow::dropEvent(AEvent);
        return;
    }
    AEvent->acceptProposedAction();
    DropFiles(files);
}

TLMForm* TLMForm::MainForm()
{
    return TheMainForm().data();
}

void TLMForm::SetMainForm(TLMForm* AForm)
{
    TheMainForm() = AForm;
    TLayoutManager::SetApplicationMainForm(AForm);
}

TLMForm::TErrorHandler TLMForm::SetErrorHandler(TErrorHandler AHandler)
{
    TErrorHandler old = std::move(ErrorHandler());
    ErrorHandler() = std::move(AHandler);
    return old;
}

} // namespace qn
