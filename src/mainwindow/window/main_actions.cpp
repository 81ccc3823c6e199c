// TMainActions: the main window's actions and menus with their design values.
#include "mainwindow/window/main_actions.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <utility>

namespace qn {

void TMainActions::CreateActionsAndMenus(QMainWindow* AWindow, TGuard AGuard)
{
    FGuard = std::move(AGuard);
    struct TActionDesign
    {
        QAction** Target;
        const char* Name;
        const char* Category;
        const char* Caption;
        QKeySequence Shortcut;
        bool Toggles;
        bool Checked;
    };
    const TActionDesign designs[] = {
        {&acExit, "acExit", "File", QT_TRANSLATE_NOOP("qn::TMainActions", "E&xit"), {}, false, false},
        {&acAbout, "acAbout", "File", QT_TRANSLATE_NOOP("qn::TMainActions", "About..."), QKeySequence(Qt::Key_F1),
         false, false},
        {&acOnTop, "acOnTop", "View", QT_TRANSLATE_NOOP("qn::TMainActions", "Always Visible"), {}, true, false},
        {&acIntfView, "acIntfView", "View", QT_TRANSLATE_NOOP("qn::TMainActions", "Interface View"),
         QKeySequence(Qt::CTRL | Qt::Key_I), true, false},
        {&acCaption, "acCaption", "View", QT_TRANSLATE_NOOP("qn::TMainActions", "Window Caption"),
         QKeySequence(Qt::CTRL | Qt::Key_W), true, false},
        {&acHide, "acHide", "File", QT_TRANSLATE_NOOP("qn::TMainActions", "Hide"), {}, false, false},
        {&acOOI, "acOOI", "View", QT_TRANSLATE_NOOP("qn::TMainActions", "Only Operational Interfaces"), {}, true, true},
        {&acRefresh, "acRefresh", "File", QT_TRANSLATE_NOOP("qn::TMainActions", "Refresh"), QKeySequence(Qt::Key_F5),
         false, false},
        {&acPersistent,
         "acPersistent",
         "File",
         QT_TRANSLATE_NOOP("qn::TMainActions", "Persistent layout and settings"),
         {},
         true,
         false},
        {&acHistory, "acHistory", "View", QT_TRANSLATE_NOOP("qn::TMainActions", "Traffic History..."),
         QKeySequence(Qt::CTRL | Qt::Key_H), false, false},
        {&acQuota, "acQuota", "View", QT_TRANSLATE_NOOP("qn::TMainActions", "Data Cap..."), {}, false, false},
        {&acApps, "acApps", "View", QT_TRANSLATE_NOOP("qn::TMainActions", "Applications..."), {}, false, false},
        {&acTrayTraffic,
         "acTrayTraffic",
         "View",
         QT_TRANSLATE_NOOP("qn::TMainActions", "Traffic in Tray Icon"),
         {},
         true,
         false},
    };
    for (const TActionDesign& d : designs) {
        auto* action = new QAction(QCoreApplication::translate("qn::TMainActions", d.Caption), AWindow);
        action->setObjectName(QString::fromUtf8(d.Name));
        action->setProperty("Category", QString::fromUtf8(d.Category));
        action->setShortcut(d.Shortcut);
        action->setCheckable(d.Toggles);
        action->setChecked(d.Checked);
        // The window's own, so that the shortcuts work while the menu bar is hidden.
        AWindow->addAction(action);
        *d.Target = action;
    }
    acExit->setToolTip(QCoreApplication::translate("qn::TMainActions", "Exit"));
    acExit->setStatusTip(QCoreApplication::translate("qn::TMainActions", "Quits the application"));

    MainMenu = AWindow->menuBar();
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    const auto separator = [](QMenu* AMenu, const char* AName) {
        AMenu->addSeparator()->setObjectName(QString::fromUtf8(AName));
    };

    File1 = MainMenu->addMenu(QCoreApplication::translate("qn::TMainActions", "File"));
    File1->setObjectName(QStringLiteral("File1"));
    File1->addAction(acRefresh);
    separator(File1, "N4");
    File1->addAction(acPersistent);
    separator(File1, "N7");
    File1->addAction(acExit);

    mmInterface = MainMenu->addMenu(QCoreApplication::translate("qn::TMainActions", "Monitor"));
    mmInterface->setObjectName(QStringLiteral("mmInterface"));

    View1 = MainMenu->addMenu(QCoreApplication::translate("qn::TMainActions", "View"));
    View1->setObjectName(QStringLiteral("View1"));
    View1->addAction(acIntfView);
    View1->addAction(acOOI);
    separator(View1, "N1");
    View1->addAction(acOnTop);
    View1->addAction(acCaption);
    View1->addAction(acTrayTraffic);
    separator(View1, "N8");
    View1->addAction(acHistory);
    View1->addAction(acQuota);
    View1->addAction(acApps);

    Help1 = MainMenu->addMenu(QCoreApplication::translate("qn::TMainActions", "Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    Help1->addAction(acAbout);

    PopupMenu1 = new QMenu(AWindow);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(acIntfView);
    PopupMenu1->addAction(acOOI);
    separator(PopupMenu1, "N3");
    PopupMenu1->addAction(acOnTop);
    PopupMenu1->addAction(acCaption);
    PopupMenu1->addAction(acTrayTraffic);
    PopupMenu1->addAction(acHistory);
    PopupMenu1->addAction(acQuota);
    PopupMenu1->addAction(acApps);
    separator(PopupMenu1, "N2");
    PopupMenu1->addAction(acRefresh);
    separator(PopupMenu1, "N6");
    PopupMenu1->addAction(acHide);
    PopupMenu1->addAction(acExit);
}

void TMainActions::ConnectExecute(QAction* AAction, std::function<void()> AHandler)
{
    QObject::connect(AAction, &QAction::triggered, AAction,
                     [guard = FGuard, handler = std::move(AHandler)] { guard(handler); });
}

void TMainActions::ConnectToggle(QAction* AAction, std::function<bool()> ARead,
                                 std::function<void(bool AChecked)> AWrite)
{
    FToggles.push_back({AAction, ARead});
    ConnectExecute(AAction, [AAction, read = std::move(ARead), write = std::move(AWrite)] {
        write(AAction->isChecked());
        AAction->setChecked(read());
    });
}

void TMainActions::MirrorToggles() const
{
    for (const TToggle& t : FToggles)
        t.Action->setChecked(t.Read());
}

} // namespace qn
