// The real main window driven offscreen over a scripted IP helper service and a settings file in a
// temporary folder.
#include "layout/layout_manager.h"
#include "layout/layout_manager_ini_storage.h"
#include "layout/settings_storage.h"
#include "mainwindow/frame/top_most_window.h"
#include "mainwindow/frame/window_metrics.h"
#include "mainwindow/interface_list/intf_list_model.h"
#include "mainwindow/interface_list/intf_tree.h"
#include "mainwindow/main_window_fixture.h"
#include "mainwindow/tray/tray_dock.h"
#include "mainwindow/window/wnd_qn_main.h"
#include "support/modal_dialog.h"
#include "watcher/frm_qn_watcher.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qn {
namespace {

using test::Metrics;
using test::WorkArea;

class MainWindow : public test::TMainWindowFixture
{
protected:
    void SetUp() override
    {
        TMainWindowFixture::SetUp();
        if (HasFatalFailure())
            return;
        FFake->AddNeighbour("10.0.0.1", {0x02, 0, 0, 0, 0, 0x99}, 2);
        FFake->BestInterface = 5;
    }

    std::vector<std::string> ListedNames()
    {
        std::vector<std::string> names;
        auto* model = FWindow->TreeModel();
        for (int r = 0; r < model->rowCount(); ++r)
            names.push_back(model->index(r, 0).data().toString().toStdString());
        return names;
    }

    QAction* MonitorItem(const std::string& AName)
    {
        for (QAction* a : FWindow->mmInterface->actions())
            if (a->text().toStdString() == AName)
                return a;
        return nullptr;
    }

    std::vector<std::string> MonitorItems()
    {
        std::vector<std::string> items;
        for (QAction* a : FWindow->mmInterface->actions())
            items.push_back(a->text().toStdString() + (a->isChecked() ? "*" : ""));
        return items;
    }
};

TEST_F(MainWindow, FirstStartShowsTheDesignStateAndWritesNoFile)
{
    Twnd_qn_Main& w = Start();
    EXPECT_EQ("Quarno", w.windowTitle().toStdString());
    // Centred before the frame is known: within the frame's width of the exact place.
    EXPECT_NEAR((WorkArea.width() - w.frameGeometry().width()) / 2, w.frameGeometry().left(), 3) << "centred";
    EXPECT_NEAR((WorkArea.height() - w.frameGeometry().height()) / 2, w.frameGeometry().top(), 3) << "centred";
    EXPECT_TRUE(w.HasCaption());
    EXPECT_TRUE(w.MainMenu->isVisible());
    EXPECT_FALSE(w.Tree->Visible());
    EXPECT_EQ(1, w.Tree->Tag());
    EXPECT_EQ(1, w.TMW->Tag());
    EXPECT_FALSE(w.TMW->AlwaysOnTop());
    EXPECT_TRUE(w.acOOI->isChecked());
    EXPECT_TRUE(w.acCaption->isChecked());
    EXPECT_FALSE(w.acIntfView->isChecked());
    EXPECT_FALSE(w.acOnTop->isChecked());
    EXPECT_FALSE(w.acPersistent->isChecked());
    EXPECT_TRUE(w.LayoutReadOnly());
    EXPECT_TRUE(w.Watchers().empty());
    EXPECT_EQ((std::vector<std::string>{"eth0", "eth1", "wlan0"}), MonitorItems());
    EXPECT_TRUE(w.Timer->isActive());
    EXPECT_EQ(w.PopupMenu1, w.TrayIcon->contextMenu());
    EXPECT_FALSE(w.TrayIcon->icon().isNull());

    w.move(w.pos() + QPoint(40, 30));
    w.close();
    Stop();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(FFile))) << "nothing is written with persistence off";
}

// What a user finds in the menus by its caption does what it says, and the shortcuts do the same
// on the window itself, also while the menu bar is hidden with the caption.
TEST_F(MainWindow, TheMenuItemsAndTheirShortcutsDoWhatTheySay)
{
    Twnd_qn_Main& w = Start();
    const auto press = [&](int AKey, Qt::KeyboardModifiers AModifiers = Qt::NoModifier) {
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w, 2000));
        QTest::keyClick(&w, static_cast<Qt::Key>(AKey), AModifiers);
    };
    const int height = w.height();
    MenuItem("View", "Interface View").trigger();
    EXPECT_TRUE(w.Tree->isVisible());
    press(Qt::Key_I, Qt::ControlModifier);
    EXPECT_FALSE(w.Tree->isVisible());
    EXPECT_FALSE(w.acIntfView->isChecked());
    EXPECT_EQ(height, w.height());
    MenuItem("", "Interface View").trigger();
    EXPECT_TRUE(w.Tree->isVisible()) << "the pop-up menu's item";

    MenuItem("View", "Only Operational Interfaces").trigger();
    EXPECT_EQ((std::vector<std::string>{"eth0", "eth1", "wlan0"}), ListedNames());
    MenuItem("", "Only Operational Interfaces").trigger();
    EXPECT_EQ((std::vector<std::string>{"eth0", "wlan0"}), ListedNames());

    MenuItem("View", "Always Visible").trigger();
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    MenuItem("", "Always Visible").trigger();
    EXPECT_FALSE(w.windowFlags() & Qt::WindowStaysOnTopHint);

    MenuItem("View", "Traffic in Tray Icon").trigger();
    EXPECT_TRUE(w.TrayIcon->ShowTraffic());
    MenuItem("", "Traffic in Tray Icon").trigger();
    EXPECT_FALSE(w.TrayIcon->ShowTraffic());

    MenuItem("View", "Window Caption").trigger();
    EXPECT_FALSE(w.HasCaption());
    EXPECT_FALSE(w.MainMenu->isVisible());
    press(Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(w.HasCaption()) << "the shortcut works without the menu bar";
    EXPECT_TRUE(w.MainMenu->isVisible());
    MenuItem("", "Window Caption").trigger();
    EXPECT_FALSE(w.HasCaption());
    press(Qt::Key_W, Qt::ControlModifier);

    AddInterface(9, "usb0", IF_TYPE_ETHERNET_CSMACD, IF_OPER_STATUS_OPERATIONAL);
    press(Qt::Key_F5);
    EXPECT_EQ((std::vector<std::string>{"eth0", "eth1", "wlan0", "usb0"}), MonitorItems());
    FFake->Interfaces.pop_back();
    MenuItem("File", "Refresh").trigger();
    EXPECT_EQ(3u, MonitorItems().size());
    AddInterface(9, "usb0", IF_TYPE_ETHERNET_CSMACD, IF_OPER_STATUS_OPERATIONAL);
    MenuItem("", "Refresh").trigger();
    EXPECT_EQ(4u, MonitorItems().size());

    MenuItem("File", "Persistent layout and settings").trigger();
    EXPECT_FALSE(w.LayoutReadOnly());
    MenuItem("File", "Persistent layout and settings").trigger();
    EXPECT_TRUE(w.LayoutReadOnly());

    QStringList opened;
    const auto seen = [&](QDialog& ADialog) {
        opened << QString::fromLatin1(ADialog.metaObject()->className());
        ADialog.accept();
    };
    EXPECT_TRUE(test::WhileModal([&] { MenuItem("Help", "About...").trigger(); }, seen));
    EXPECT_TRUE(test::WhileModal([&] { press(Qt::Key_F1); }, seen));
    EXPECT_EQ((QStringList{QStringLiteral("qn::TdlgAbout"), QStringLiteral("qn::TdlgAbout")}), opened);

    // Without a tray, "Hide" minimises; "Exit" closes the window, from either menu.
    MenuItem("", "Hide").trigger();
    EXPECT_TRUE(w.isMinimized());
    w.TrayIconClick();
    int closed = 0;
    QObject::connect(&w, &Twnd_qn_Main::Closed, [&closed] { ++closed; });
    MenuItem("", "Exit").trigger();
    EXPECT_EQ(1, closed);
    EXPECT_FALSE(w.isVisible());
    w.show();
    MenuItem("File", "Exit").trigger();
    EXPECT_EQ(2, closed);
}

TEST_F(MainWindow, InterfaceViewGrowsAndShrinksTheWindowByTheList)
{
    Twnd_qn_Main& w = Start();
    const int height = w.height();
    const int scroll = w.ScrollBox->height();
    w.acIntfView->trigger();
    EXPECT_TRUE(w.Tree->Visible());
    EXPECT_TRUE(w.acIntfView->isChecked());
    EXPECT_EQ(height + 115, w.height());
    EXPECT_EQ(115, w.Tree->height());
    w.acIntfView->trigger();
    EXPECT_FALSE(w.Tree->Visible());
    EXPECT_FALSE(w.acIntfView->isChecked());
    EXPECT_EQ(height, w.height());
    EXPECT_EQ(scroll, w.ScrollBox->height());
}

TEST_F(MainWindow, FilterHidesNonOperationalInterfacesAndKeepsTheFocusByIndex)
{
    Twnd_qn_Main& w = Start();
    EXPECT_EQ((std::vector<std::string>{"eth0", "wlan0"}), ListedNames());
    w.Tree->FocusRow(1); // wlan0
    w.acOOI->trigger();
    EXPECT_EQ(0, w.Tree->Tag());
    EXPECT_EQ((std::vector<std::string>{"eth0", "eth1", "wlan0"}), ListedNames());
    EXPECT_EQ(2, w.Tree->FocusedRow()) << "still wlan0";
    w.Tree->FocusRow(0);
    w.acOOI->trigger();
    EXPECT_EQ((std::vector<std::string>{"eth0", "wlan0"}), ListedNames());
    EXPECT_EQ(0, w.Tree->FocusedRow());
    // A non-operational interface keeps its "Monitor" entry.
    EXPECT_EQ((std::vector<std::string>{"eth0", "eth1", "wlan0"}), MonitorItems());
    // The picture rule: disconnected shows the warning, connected Ethernet the card.
    EXPECT_EQ(7, w.NCC().ImageIndex(0));
    EXPECT_EQ(0, w.NCC().ImageIndex(1));
    EXPECT_EQ(8, w.NCC().ImageIndex(2));
}

TEST_F(MainWindow, FalseValuesOfAbsentInterfacesLeaveTheSettingsFile)
{
    // A container host: every veth that was ever present left a false line.
    std::string text = "[Settings]\ngone=1\nwlan0=0\n";
    for (int i = 0; i < 300; ++i)
        text += "veth" + std::to_string(i) + "=0\n";
    WriteSettings(text.c_str());
    Twnd_qn_Main& w = Start();
    auto* model = w.TreeModel();
    ASSERT_TRUE(model->setData(model->index(0, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ("1", Setting("Settings", "eth0"));
    EXPECT_EQ("1", Setting("Settings", "gone")) << "every true is kept";
    EXPECT_EQ("0", Setting("Settings", "wlan0")) << "a present interface keeps its value";
    EXPECT_EQ("<none>", Setting("Settings", "veth0"));
    EXPECT_EQ("<none>", Setting("Settings", "veth299"));

    // An interface that goes away unwatched leaves the file at the next write.
    FFake->Interfaces.erase(FFake->Interfaces.begin() + 2);
    w.acRefresh->trigger();
    ASSERT_TRUE(model->setData(model->index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ("0", Setting("Settings", "eth0"));
    EXPECT_EQ("<none>", Setting("Settings", "wlan0"));
    EXPECT_EQ("1", Setting("Settings", "gone"));
    EXPECT_TRUE(FErrors->Messages.isEmpty());
}

TEST_F(MainWindow, CheckingARowStoresTheChoiceAtOnceWithPersistenceOff)
{
    Twnd_qn_Main& w = Start();
    auto* model = w.TreeModel();
    ASSERT_TRUE(model->setData(model->index(0, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ("1", Setting("Settings", "eth0"));
    EXPECT_EQ("0", Setting("Settings", "wlan0"));
    EXPECT_TRUE(w.NCC().Mark(0));
    ASSERT_EQ(1u, w.Watchers().size());
    EXPECT_EQ("eth0", w.Watchers()[0]->Adapter.Name);
    EXPECT_EQ((std::vector<std::string>{"eth0*", "eth1", "wlan0"}), MonitorItems());
    EXPECT_EQ("<none>", Setting("Twnd_qn_Main", "Pos")) << "the layout itself is not saved";

    // The "Monitor" menu does the same from the other side.
    w.mmInterface->actions()[2]->trigger();
    EXPECT_EQ("1", Setting("Settings", "wlan0"));
    EXPECT_EQ(Qt::Checked, model->index(1, 0).data(Qt::CheckStateRole).toInt());
    w.mmInterface->actions()[0]->trigger();
    EXPECT_EQ("0", Setting("Settings", "eth0"));
    EXPECT_EQ(Qt::Unchecked, model->index(0, 0).data(Qt::CheckStateRole).toInt());
    ASSERT_EQ(1u, w.Watchers().size());
    EXPECT_EQ("wlan0", w.Watchers()[0]->Adapter.Name);

    // The next start brings the choice back, with persistence still off.
    Stop();
    Twnd_qn_Main& again = Start();
    EXPECT_EQ((std::vector<std::string>{"eth0", "eth1", "wlan0*"}), MonitorItems());
    ASSERT_EQ(1u, again.Watchers().size());
    EXPECT_FALSE(again.acPersistent->isChecked());
}

TEST_F(MainWindow, WithPersistenceOnAMoveIsStoredAndTheNextStartRestoresIt)
{
    Twnd_qn_Main& w = Start();
    // Moves during the window manager's placement after the show are not the user's.
    w.SetPlacementQuiet(0);
    QElapsedTimer placing;
    placing.start();
    while (w.Placing() && placing.elapsed() < 3000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    w.acPersistent->trigger();
    EXPECT_FALSE(w.LayoutReadOnly());
    w.acIntfView->trigger();
    const QPoint moved = w.pos() + QPoint(-100, 50);
    w.move(moved);
    w.FlushPendingSave();
    EXPECT_EQ("1", Setting("Twnd_qn_Main\\acPersistent", "Checked"));
    const int height = w.height();
    Stop();

    Twnd_qn_Main& again = Start();
    EXPECT_EQ(moved, again.pos());
    EXPECT_EQ(height, again.height());
    EXPECT_TRUE(again.acPersistent->isChecked());
    EXPECT_FALSE(again.LayoutReadOnly());
    EXPECT_TRUE(again.Tree->Visible());
    EXPECT_TRUE(again.acIntfView->isChecked());
}

TEST_F(MainWindow, TheSessionsSaveWritesAViewChangeAndItsEndIsExit)
{
    WriteSettings("[Twnd_qn_Main\\acPersistent]\nChecked=1\n");
    Twnd_qn_Main& w = Start();
    ASSERT_FALSE(w.LayoutReadOnly());
    w.acIntfView->trigger();
    EXPECT_EQ("<none>", Setting("Twnd_qn_Main\\Tree", "Visible")) << "a view change alone saves nothing";
    // The session manager asks to save: the list shown is in the file before anything ends.
    w.SaveSession();
    EXPECT_EQ("1", Setting("Twnd_qn_Main\\Tree", "Visible"));
    // The end a signal asks for is Exit's: the window closes and says so, also from the tray.
    int closed = 0;
    QObject::connect(&w, &Twnd_qn_Main::Closed, [&closed] { ++closed; });
    w.hide();
    w.EndSession();
    EXPECT_EQ(1, closed);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(MainWindow, TurningPersistenceOffSticksAndStoresNothingElse)
{
    WriteSettings("[Twnd_qn_Main]\nPos=200,150\n[Twnd_qn_Main\\acPersistent]\nChecked=1\n");
    Twnd_qn_Main& w = Start();
    ASSERT_TRUE(w.acPersistent->isChecked());
    const QPoint stored = w.pos();
    w.acPersistent->trigger();
    EXPECT_TRUE(w.LayoutReadOnly());
    EXPECT_EQ("0", Setting("Twnd_qn_Main\\acPersistent", "Checked")) << "the switch itself is stored at once";
    w.move(stored + QPoint(60, 40));
    w.acIntfView->trigger();
    w.FlushPendingSave();
    w.close();
    Stop();
    EXPECT_EQ("200,150", Setting("Twnd_qn_Main", "Pos")) << "nothing of the layout is stored";
    EXPECT_EQ("<none>", Setting("Twnd_qn_Main\\Tree", "Visible"));

    Twnd_qn_Main& again = Start();
    EXPECT_FALSE(again.acPersistent->isChecked());
    EXPECT_TRUE(again.LayoutReadOnly());
    EXPECT_EQ(stored, again.pos());
    EXPECT_FALSE(again.Tree->Visible());
}

TEST_F(MainWindow, CaptionOffAndOnChangesTheHeightAndBack)
{
    Twnd_qn_Main& w = Start();
    const int frame = w.FrameHeight();
    w.acCaption->trigger();
    EXPECT_EQ(0, w.TMW->Tag());
    EXPECT_FALSE(w.HasCaption());
    EXPECT_FALSE(w.MainMenu->isVisible());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(frame - 2 * Metrics.CaptionHeight - 2, w.FrameHeight());
    w.acCaption->trigger();
    EXPECT_EQ(1, w.TMW->Tag());
    EXPECT_TRUE(w.HasCaption());
    EXPECT_TRUE(w.MainMenu->isVisible());
    EXPECT_EQ(frame, w.FrameHeight());
}

TEST_F(MainWindow, AStoredCaptionStateZeroRemovesCaptionAndMenuAtStart)
{
    Twnd_qn_Main& plain = Start();
    const int frame = plain.FrameHeight();
    Stop();

    WriteSettings("[Twnd_qn_Main\\TMW]\nTag=0\n");
    Twnd_qn_Main& w = Start();
    EXPECT_FALSE(w.HasCaption());
    EXPECT_FALSE(w.MainMenu->isVisible());
    EXPECT_FALSE(w.acCaption->isChecked());
    EXPECT_EQ(frame + Metrics.MenuHeight - Metrics.CaptionHeight, w.FrameHeight());
    // Back from the tray: the state is applied again and the height stays.
    w.acHide->trigger();
    w.TrayIconClick();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(frame + Metrics.MenuHeight - Metrics.CaptionHeight, w.FrameHeight());
}

TEST_F(MainWindow, ACaptionLessWindowKeepsItsStoredSizeFromStartToStart)
{
    WriteSettings("[Twnd_qn_Main\\TMW]\nTag=0\n[Twnd_qn_Main\\acPersistent]\nChecked=1\n");
    std::vector<std::string> sizes;
    for (int i = 0; i < 3; ++i) {
        Twnd_qn_Main& w = Start();
        EXPECT_FALSE(w.HasCaption());
        w.close();
        Stop();
        sizes.push_back(Setting("Twnd_qn_Main", "Size"));
    }
    EXPECT_EQ(sizes[0], sizes[1]);
    EXPECT_EQ(sizes[1], sizes[2]);
}

TEST_F(MainWindow, AlwaysOnTopFollowsTheActionAndItsCurrentValueFiresNothing)
{
    Twnd_qn_Main& w = Start();
    int events = 0;
    w.TMW->OnBeforeChange = [&](TTopMostWindow*) { ++events; };
    w.TMW->OnAfterChange = [&](TTopMostWindow*) { ++events; };
    w.TMW->SetAlwaysOnTop(false);
    EXPECT_EQ(0, events);
    w.acOnTop->trigger();
    EXPECT_TRUE(w.TMW->AlwaysOnTop());
    EXPECT_TRUE(w.acOnTop->isChecked());
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    w.acOnTop->trigger();
    EXPECT_FALSE(w.TMW->AlwaysOnTop());
    EXPECT_FALSE(w.acOnTop->isChecked());
    EXPECT_FALSE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(4, events);
}

TEST_F(MainWindow, TheBestInterfaceIsBoldAndTheBoldRowFollowsIt)
{
    Twnd_qn_Main& w = Start();
    auto* model = w.TreeModel();
    const auto bold = [&](int ARow, int AColumn) {
        return model->index(ARow, AColumn).data(Qt::FontRole).value<QFont>().bold();
    };
    EXPECT_FALSE(bold(0, 0));
    EXPECT_TRUE(bold(1, 0));
    EXPECT_TRUE(bold(1, 2));
    FFake->BestInterface = 2;
    w.acRefresh->trigger();
    EXPECT_TRUE(bold(0, 0));
    EXPECT_TRUE(bold(0, 1));
    EXPECT_FALSE(bold(1, 0));
}

TEST_F(MainWindow, TheTimerShowsTheSystemCountersAlsoWhileTheListIsHidden)
{
    FFake->Interfaces[0].InOctets = 1536;
    FFake->Interfaces[0].OutOctets = 3ull << 30;
    Twnd_qn_Main& w = Start();
    auto* model = w.TreeModel();
    EXPECT_EQ("0.00 B", model->index(0, 1).data().toString().toStdString()) << "a rebuilt row starts at zero";
    ASSERT_FALSE(w.Tree->Visible());
    w.TimerTimer();
    EXPECT_EQ("1.50 KB", model->index(0, 1).data().toString().toStdString());
    EXPECT_EQ("3.00 GB", model->index(0, 2).data().toString().toStdString());
    EXPECT_EQ(Qt::AlignRight | Qt::AlignVCenter, model->index(0, 1).data(Qt::TextAlignmentRole).toInt());
    EXPECT_EQ("Interface", model->headerData(0, Qt::Horizontal).toString().toStdString());
    EXPECT_EQ("Download", model->headerData(1, Qt::Horizontal).toString().toStdString());
    EXPECT_EQ("Upload", model->headerData(2, Qt::Horizontal).toString().toStdString());
    EXPECT_EQ(100, w.Tree->header()->sectionSize(1));
    EXPECT_EQ(100, w.Tree->header()->sectionSize(2));
}

TEST_F(MainWindow, OnlyRowsWhoseCountersMovedAreRepaintedAtATick)
{
    FFake->Interfaces[0].InOctets = 100;
    Twnd_qn_Main& w = Start();
    auto* model = w.TreeModel();
    std::vector<int> repainted;
    // A cell at a time: for a range of cells the view repaints all it shows.
    QObject::connect(model, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& ATopLeft, const QModelIndex& ABottomRight) {
                         EXPECT_EQ(ATopLeft, ABottomRight);
                         repainted.push_back(ATopLeft.row());
                     });
    w.TimerTimer();
    EXPECT_EQ(std::vector<int>{0}, repainted) << "idle interfaces cost no painting, nor idle counters";
    repainted.clear();
    w.TimerTimer();
    EXPECT_TRUE(repainted.empty());
    FFake->Interfaces[2].OutOctets = 7;
    const int wlan0 = model->FindRow(5);
    ASSERT_GT(wlan0, 0);
    w.TimerTimer();
    EXPECT_EQ(std::vector<int>{wlan0}, repainted);
    EXPECT_EQ("7.00 B", model->index(wlan0, 2).data().toString().toStdString());
    // A total that moves less than its text shows is not painted again until the text moves.
    FFake->Interfaces[2].OutOctets = 3'000'000'000;
    w.TimerTimer();
    repainted.clear();
    FFake->Interfaces[2].OutOctets += 1'000'000;
    w.TimerTimer();
    EXPECT_TRUE(repainted.empty()) << model->index(wlan0, 2).data().toString().toStdString();
    FFake->Interfaces[2].OutOctets += 10'000'000;
    w.TimerTimer();
    EXPECT_EQ(std::vector<int>{wlan0}, repainted);
}

TEST_F(MainWindow, WithoutATrayHideMinimisesAndTheWindowKeepsItsTaskbarEntry)
{
    Twnd_qn_Main& w = Start();
    EXPECT_TRUE(w.TrayIcon->isVisible()) << "shown, so that it docks as soon as a tray appears";
    EXPECT_FALSE(w.TrayDocked());
    EXPECT_EQ(std::optional<bool>(false), FSkipTaskbar);
    w.acHide->trigger();
    EXPECT_TRUE(w.isVisible()) << "a hidden window without a tray icon could never come back";
    EXPECT_TRUE(w.isMinimized());
    EXPECT_EQ(std::optional<bool>(false), FSkipTaskbar);
    w.TrayIconClick();
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isMinimized());
}

TEST_F(MainWindow, ATrayClickRestoresAMaximisedWindowThatWasMinimisedAsMaximised)
{
    FTrayAvailable = true;
    Twnd_qn_Main& w = Start();
    w.showMaximized();
    w.showMinimized();
    ASSERT_TRUE(w.isMinimized());
    w.TrayIconClick();
    EXPECT_FALSE(w.isMinimized());
    EXPECT_TRUE(w.isMaximized());
    // A window minimised from its normal state comes back normal.
    w.showNormal();
    w.showMinimized();
    w.TrayIconClick();
    EXPECT_FALSE(w.isMinimized());
    EXPECT_FALSE(w.isMaximized());
}

TEST_F(MainWindow, WithATrayHideGoesToTheTrayAndTheWindowHasNoTaskbarEntry)
{
    FTrayAvailable = true;
    Twnd_qn_Main& w = Start();
    EXPECT_TRUE(w.TrayDocked());
    EXPECT_EQ(std::optional<bool>(true), FSkipTaskbar);
    w.acHide->trigger();
    EXPECT_FALSE(w.isVisible());
    w.TimerTimer();
    EXPECT_FALSE(w.isVisible()) << "stays in the tray while the tray is there";
    w.TrayIconClick();
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isMinimized());
    EXPECT_EQ(std::optional<bool>(true), FSkipTaskbar) << "asked again at each show";
}

TEST_F(MainWindow, TheTrayStateFollowsATrayThatAppearsAndGoesAway)
{
    Twnd_qn_Main& w = Start();
    ASSERT_FALSE(w.TrayDocked());
    // Without a tray the display server is asked only now and then, not every second.
    FTrayLooks = 0;
    for (int i = 0; i < 2 * TTrayDock::NoTrayLookTicks; ++i)
        w.TimerTimer();
    EXPECT_EQ(2, FTrayLooks);
    // The tray starts after the program (the usual autostart race) and says so: seen at the next
    // tick. One that does not say so is seen within those few ticks.
    FTrayAvailable = FTrayAnnounced = true;
    w.TimerTimer();
    EXPECT_TRUE(w.TrayDocked());
    FTrayAvailable = false;
    w.TimerTimer();
    ASSERT_FALSE(w.TrayDocked());
    FTrayAvailable = true;
    for (int i = 0; i < TTrayDock::NoTrayLookTicks && !w.TrayDocked(); ++i)
        w.TimerTimer();
    EXPECT_TRUE(w.TrayDocked());
    EXPECT_EQ(std::optional<bool>(true), FSkipTaskbar);
    w.acHide->trigger();
    EXPECT_FALSE(w.isVisible());
    w.TrayIconClick();
    ASSERT_TRUE(w.isVisible());

    // The tray goes away while the window is shown: it gets its taskbar entry back and "Hide"
    // minimises, even before the next tick has seen the change.
    FTrayAvailable = false;
    w.acHide->trigger();
    EXPECT_FALSE(w.TrayDocked());
    EXPECT_EQ(std::optional<bool>(false), FSkipTaskbar);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.isMinimized());
}

TEST_F(MainWindow, ATrayThatGoesAwayWhileTheWindowIsInItBringsTheWindowBackMinimised)
{
    FTrayAvailable = true;
    Twnd_qn_Main& w = Start();
    w.acHide->trigger();
    ASSERT_FALSE(w.isVisible());
    FTrayAvailable = false;
    w.TimerTimer();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.isMinimized());
    EXPECT_EQ(std::optional<bool>(false), FSkipTaskbar);
    // A tray that comes back does not take the window away again by itself.
    FTrayAvailable = FTrayAnnounced = true;
    w.TimerTimer();
    EXPECT_TRUE(w.isVisible());
    w.TrayIconClick();
    EXPECT_FALSE(w.isMinimized());
}

TEST_F(MainWindow, ANetworkChangeRefreshesTheList)
{
    Twnd_qn_Main& w = Start();
    EXPECT_EQ(3u, MonitorItems().size());
    AddInterface(9, "usb0", IF_TYPE_ETHERNET_CSMACD, IF_OPER_STATUS_OPERATIONAL);
    NoticeChange(w);
    EXPECT_EQ((std::vector<std::string>{"eth0", "eth1", "wlan0", "usb0"}), MonitorItems());
    EXPECT_EQ((std::vector<std::string>{"eth0", "wlan0", "usb0"}), ListedNames());
}

TEST_F(MainWindow, ChangesInsertAndRemoveRowsAndMenuItemsKeepingSelectionAndChecks)
{
    Twnd_qn_Main& w = Start();
    if (w.Tree->Tag() != 0)
        w.acOOI->trigger(); // every interface listed
    ASSERT_EQ((std::vector<std::string>{"eth0", "eth1", "wlan0"}), ListedNames());
    MonitorItem("wlan0")->trigger();
    w.Tree->FocusRow(2); // wlan0
    QAction* wlanItem = MonitorItem("wlan0");
    QAction* ethItem = MonitorItem("eth0");
    auto* model = w.TreeModel();
    QSignalSpy resets(model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(model, &QAbstractItemModel::rowsRemoved);

    // A burst: eth1 goes, two interfaces come, one of them goes again before the refresh.
    std::erase_if(FFake->Interfaces, [](const test::TFakeInterface& AIntf) { return AIntf.Name == "eth1"; });
    AddInterface(9, "usb0", IF_TYPE_ETHERNET_CSMACD, IF_OPER_STATUS_OPERATIONAL);
    w.NetworkChangeNotifierChange(w.NCN(), 0);
    AddInterface(11, "veth1", IF_TYPE_ETHERNET_CSMACD, IF_OPER_STATUS_OPERATIONAL);
    w.NetworkChangeNotifierChange(w.NCN(), 0);
    std::erase_if(FFake->Interfaces, [](const test::TFakeInterface& AIntf) { return AIntf.Name == "veth1"; });
    EXPECT_EQ((std::vector<std::string>{"eth0", "eth1", "wlan0*"}), MonitorItems()) << "nothing before it settles";
    NoticeChange(w);

    EXPECT_EQ((std::vector<std::string>{"eth0", "wlan0", "usb0"}), ListedNames());
    EXPECT_EQ((std::vector<std::string>{"eth0", "wlan0*", "usb0"}), MonitorItems());
    EXPECT_EQ(0, resets.count());
    EXPECT_EQ(1, removed.count());
    EXPECT_EQ(1, inserted.count());
    EXPECT_EQ(1, w.Tree->FocusedRow()) << "still wlan0";
    EXPECT_EQ(Qt::Checked, model->index(1, 0).data(Qt::CheckStateRole).toInt());
    EXPECT_EQ(wlanItem, MonitorItem("wlan0")) << "staying items are kept, not rebuilt";
    EXPECT_EQ(ethItem, MonitorItem("eth0"));
    ASSERT_EQ(1u, w.Watchers().size());

    // A refresh without any change touches no row and no item.
    NoticeChange(w);
    EXPECT_EQ(1, removed.count());
    EXPECT_EQ(1, inserted.count());
    EXPECT_EQ(wlanItem, MonitorItem("wlan0"));
}

// Return opens the focused row's interface: when that interface leaves the list (unplugged, or
// hidden by the filter) no row has the focus, so Return opens nothing rather than a neighbour; when
// it comes back it has the focus again.
TEST_F(MainWindow, AFocusedInterfaceThatLeavesTheListTakesTheFocusWithIt)
{
    Twnd_qn_Main& w = Start();
    w.acIntfView->trigger();
    if (w.Tree->Tag() != 0)
        w.acOOI->trigger(); // every interface listed
    ASSERT_EQ((std::vector<std::string>{"eth0", "eth1", "wlan0"}), ListedNames());
    std::vector<std::string> shown;
    w.ShowAdapterInfo = [&](QWidget*, const TAdapter& AData) { shown.push_back(AData.Name); };
    w.Tree->setFocus();
    w.Tree->FocusRow(2); // wlan0

    const test::TFakeInterface wifi = *FFake->Find(5);
    std::erase_if(FFake->Interfaces, [](const test::TFakeInterface& AIntf) { return AIntf.Name == "wlan0"; });
    NoticeChange(w);
    ASSERT_EQ((std::vector<std::string>{"eth0", "eth1"}), ListedNames());
    EXPECT_EQ(-1, w.Tree->FocusedRow());
    EXPECT_TRUE(w.Tree->selectionModel()->selectedRows().isEmpty());
    QTest::keyClick(w.Tree, Qt::Key_Return);
    EXPECT_TRUE(shown.empty()) << "opened " << shown.front();

    FFake->Interfaces.push_back(wifi);
    NoticeChange(w);
    ASSERT_EQ((std::vector<std::string>{"eth0", "eth1", "wlan0"}), ListedNames());
    EXPECT_EQ(2, w.Tree->FocusedRow());
    QTest::keyClick(w.Tree, Qt::Key_Return);
    EXPECT_EQ((std::vector<std::string>{"wlan0"}), shown);

    // The filter hides the focused eth1 (disconnected): the same.
    shown.clear();
    w.Tree->FocusRow(1);
    w.acOOI->trigger();
    ASSERT_EQ((std::vector<std::string>{"eth0", "wlan0"}), ListedNames());
    EXPECT_EQ(-1, w.Tree->FocusedRow());
    QTest::keyClick(w.Tree, Qt::Key_Return);
    EXPECT_TRUE(shown.empty()) << "opened " << shown.front();
    // A row the user focuses meanwhile keeps the focus when eth1 is listed again.
    w.Tree->FocusRow(0);
    w.acOOI->trigger();
    EXPECT_EQ(0, w.Tree->FocusedRow());
}

TEST_F(MainWindow, StoredChoicesApplyToInterfacesPresentAtStartOnly)
{
    WriteSettings("[Settings]\nwlan0=1\nusb0=1\n");
    Twnd_qn_Main& w = Start();
    EXPECT_EQ((std::vector<std::string>{"eth0", "eth1", "wlan0*"}), MonitorItems());
    // usb0 turns up later: its stored value was never declared, so it is not watched by itself.
    AddInterface(9, "usb0", IF_TYPE_ETHERNET_CSMACD, IF_OPER_STATUS_OPERATIONAL);
    NoticeChange(w);
    EXPECT_EQ((std::vector<std::string>{"eth0", "eth1", "wlan0*", "usb0"}), MonitorItems());
    ASSERT_EQ(1u, w.Watchers().size());

    // A watched interface that goes down keeps its watch and menu item, and leaves the list.
    FFake->Find(5)->OperStatus = IF_OPER_STATUS_DISCONNECTED;
    w.acRefresh->trigger();
    EXPECT_EQ((std::vector<std::string>{"eth0", "usb0"}), ListedNames());
    EXPECT_EQ((std::vector<std::string>{"eth0", "eth1", "wlan0*", "usb0"}), MonitorItems());
    ASSERT_EQ(1u, w.Watchers().size());
    EXPECT_EQ(0, w.NCC().ImageIndex(2)) << "the warning picture";

    // An interface that vanishes keeps its watch; it comes back watched under the same name.
    FFake->Interfaces.erase(FFake->Interfaces.begin() + 2);
    w.acRefresh->trigger();
    EXPECT_EQ((std::vector<std::string>{"eth0", "eth1", "usb0"}), MonitorItems());
    ASSERT_EQ(1u, w.Watchers().size());
    // A name that differs only by case is another interface (Linux names are exact).
    AddInterface(11, "WLAN0", IF_TYPE_IEEE80211, IF_OPER_STATUS_OPERATIONAL);
    AddInterface(12, "wlan0", IF_TYPE_IEEE80211, IF_OPER_STATUS_OPERATIONAL);
    w.acRefresh->trigger();
    EXPECT_EQ((std::vector<std::string>{"eth0", "eth1", "usb0", "WLAN0", "wlan0*"}), MonitorItems());
    ASSERT_EQ(1u, w.Watchers().size());
    EXPECT_EQ(12u, w.Watchers()[0]->Adapter.IntfIdx) << "the watch takes the new record";
}

TEST_F(MainWindow, AnUnwritableSettingsFileIsReportedAndNothingBreaks)
{
    // A folder path whose parent is a regular file cannot be created.
    WriteSettings("");
    SettingsStorage()->SetFileName(FFile + "/sub/quarno.ini");
    Twnd_qn_Main& w = Start();
    auto* model = w.TreeModel();
    model->setData(model->index(0, 0), Qt::Checked, Qt::CheckStateRole);
    ASSERT_EQ(1, FErrors->Messages.size());
    EXPECT_TRUE(FErrors->Messages[0].contains(QStringLiteral("Unable to write to")))
        << FErrors->Messages[0].toStdString();
    FErrors->Messages.clear();
    EXPECT_TRUE(w.NCC().Mark(0)) << "the choice holds for this run";
    // The row, the mark and the panels agree: the panel was added before the failed store.
    ASSERT_EQ(1u, w.Watchers().size());
    EXPECT_EQ(w.NCC().Adapters(0).Name, w.Watchers()[0]->Adapter.Name);
    EXPECT_EQ(Qt::Checked, model->data(model->index(0, 0), Qt::CheckStateRole).toInt());
    model->setData(model->index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_EQ(1, FErrors->Messages.size());
    FErrors->Messages.clear();
    EXPECT_TRUE(w.Watchers().empty());
    EXPECT_FALSE(w.NCC().Mark(0));
}

// A modal dialog opened from a top-most window must come up above it, and the window must be
// top-most again afterwards.
TEST_F(MainWindow, DialogsOpenAboveTheWindowWithTopMostLiftedAndRestored)
{
    Twnd_qn_Main& w = Start();
    w.acIntfView->trigger();
    w.acOnTop->trigger();
    ASSERT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);

    struct TSeen
    {
        QString Class;
        QString Name;
        bool OwnerTopMost = true;
    } seen;
    auto closeModal = [&](QDialog& ADialog) {
        seen.Class = QString::fromLatin1(ADialog.metaObject()->className());
        if (auto* name = ADialog.findChild<QLineEdit*>(QStringLiteral("eName")))
            seen.Name = name->text();
        seen.OwnerTopMost = w.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        ADialog.accept();
    };

    const QModelIndexList wlan =
        w.Tree->model()->match(w.Tree->model()->index(0, 0), Qt::DisplayRole, QStringLiteral("wlan0"));
    ASSERT_EQ(wlan.size(), 1);
    w.Tree->setCurrentIndex(wlan.front());
    EXPECT_TRUE(test::WhileModal([&] { w.Tree->OnDblClick(); }, closeModal));
    EXPECT_EQ(seen.Class, "qn::Tdlg_qn_AdapterInfo");
    EXPECT_EQ(seen.Name, "wlan0");
    EXPECT_FALSE(seen.OwnerTopMost);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);

    seen = {};
    EXPECT_TRUE(test::WhileModal([&] { w.acAbout->trigger(); }, closeModal));
    EXPECT_EQ(seen.Class, "qn::TdlgAbout");
    EXPECT_FALSE(seen.OwnerTopMost);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
}

} // namespace
} // namespace qn
