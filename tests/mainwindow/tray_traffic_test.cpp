// "Traffic in Tray Icon" on the real window offscreen: the switch, its menu items and stored
// property, and what a tick hands the tray icon with and without a docked tray.
#include "mainwindow/interface_list/intf_list_model.h"
#include "mainwindow/interface_list/intf_tree.h"
#include "mainwindow/main_window_fixture.h"
#include "mainwindow/tray/traffic_tray_icon.h"
#include "mainwindow/window/wnd_qn_main.h"
#include "watcher/frm_qn_watcher.h"

#include "support/fake_clock.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace qn {
namespace {

class TrayTraffic : public test::TMainWindowFixture
{
protected:
    void SetUp() override
    {
        TMainWindowFixture::SetUp();
        // Counters of 0 and 0 read as a failed read: give every interface a past.
        for (auto& i : FFake->Interfaces)
            i.InOctets = i.OutOctets = 1000000 * i.Index;
    }

    // The hint's first line: the application's name ("Quarno" in the program).
    static std::string Title() { return QGuiApplication::applicationDisplayName().toStdString(); }

    void BeforeShow(Twnd_qn_Main& AWindow) override
    {
        AWindow.Clock = &FClock;
        AWindow.Timer->stop();
    }

    // One second: the counters move by the steps, every panel and then the window tick.
    void Tick(std::uint64_t AInStep, std::uint64_t AOutStep)
    {
        FClock.Ms += 1000;
        for (auto& i : FFake->Interfaces) {
            i.InOctets += AInStep;
            i.OutOctets += AOutStep;
        }
        for (Tfrm_qn_Watcher* frame : FWindow->Watchers()) {
            frame->Timer->stop();
            frame->TimerTimer();
        }
        FWindow->TimerTimer();
    }

    static QImage Pixels(const QIcon& AIcon, int ASize)
    {
        return AIcon.pixmap(QSize(ASize, ASize)).toImage().convertToFormat(QImage::Format_RGB32);
    }

    bool ShowsPlainIcon() const { return Pixels(FWindow->TrayIcon->icon(), 22) == Pixels(FWindow->windowIcon(), 22); }

    test::TFakeClock FClock{90000};
};

TEST_F(TrayTraffic, TheSwitchIsOffAtFirstAndInBothMenusAfterWindowCaption)
{
    Twnd_qn_Main& w = Start();
    EXPECT_FALSE(w.acTrayTraffic->isChecked());
    EXPECT_FALSE(w.TrayIcon->ShowTraffic());
    for (QMenu* menu : {w.View1, w.PopupMenu1}) {
        const QList<QAction*> items = menu->actions();
        const auto caption = items.indexOf(w.acCaption);
        ASSERT_GE(caption, 0);
        EXPECT_EQ(w.acTrayTraffic, items.value(caption + 1)) << menu->objectName().toStdString();
    }
    FTrayAvailable = FTrayAnnounced = true;
    Tick(5000, 100);
    EXPECT_EQ(0, w.TrayIcon->PictureSets()) << "off, nothing is drawn";
    EXPECT_TRUE(ShowsPlainIcon());
    EXPECT_EQ(Title(), w.TrayIcon->toolTip().toStdString());
}

TEST_F(TrayTraffic, WithPersistenceOnTheSwitchIsStoredAndRestoredLikeTheOtherViewSettings)
{
    Twnd_qn_Main& w = Start();
    w.acPersistent->trigger();
    w.acTrayTraffic->trigger();
    EXPECT_TRUE(w.TrayIcon->ShowTraffic());
    w.close();
    Stop();
    EXPECT_EQ("1", Setting("Twnd_qn_Main\\TrayIcon", "ShowTraffic"));

    Twnd_qn_Main& again = Start();
    EXPECT_TRUE(again.acTrayTraffic->isChecked());
    EXPECT_TRUE(again.TrayIcon->ShowTraffic());
    again.acTrayTraffic->trigger();
    EXPECT_FALSE(again.TrayIcon->ShowTraffic());
    again.close();
    Stop();
    EXPECT_EQ("0", Setting("Twnd_qn_Main\\TrayIcon", "ShowTraffic"));
}

TEST_F(TrayTraffic, WithPersistenceOffTheSwitchIsNeitherStoredNorRestored)
{
    WriteSettings("[Twnd_qn_Main\\TrayIcon]\nShowTraffic=1\n");
    Twnd_qn_Main& w = Start();
    EXPECT_TRUE(w.acTrayTraffic->isChecked()) << "a stored layout is restored, as Tree.Visible is";
    Stop();
    WriteSettings("");
    Twnd_qn_Main& again = Start();
    again.acTrayTraffic->trigger();
    again.close();
    Stop();
    EXPECT_EQ("<none>", Setting("Twnd_qn_Main\\TrayIcon", "ShowTraffic"));
}

TEST_F(TrayTraffic, APictureOfTheFirstPanelIsSetOnlyWhenItsPixelsChangeAndOnlyWhileDocked)
{
    WriteSettings("[Settings]\neth0=1\nwlan0=1\n");
    Twnd_qn_Main& w = Start();
    ASSERT_EQ(2u, w.Watchers().size());
    w.acTrayTraffic->trigger();
    Tick(0, 0);
    Tick(0, 0);
    EXPECT_EQ(0, w.TrayIcon->PictureSets()) << "no tray: nothing is drawn";

    FTrayAvailable = FTrayAnnounced = true;
    Tick(0, 0);
    ASSERT_EQ(1, w.TrayIcon->PictureSets());
    EXPECT_FALSE(ShowsPlainIcon());
    const QImage idle = Pixels(w.TrayIcon->icon(), 22);
    Tick(0, 0);
    EXPECT_EQ(1, w.TrayIcon->PictureSets()) << "the same pixels are not set again";

    Tick(2000000, 3000);
    EXPECT_EQ(2, w.TrayIcon->PictureSets());
    EXPECT_NE(idle, Pixels(w.TrayIcon->icon(), 22));
    for (const int size : TrayPictureSizes)
        EXPECT_EQ(QSize(size, size), w.TrayIcon->icon().pixmap(QSize(size, size)).size()) << "drawn at " << size;
    // More ticks within the same second (a timer that catches up) set nothing, though the picture
    // changed; the next second sets it.
    FFake->Interfaces[0].InOctets += 1u << 30;
    FClock.Ms += 920; // a rate's span, but within the picture's pace
    w.Watchers().front()->TimerTimer();
    FWindow->TimerTimer();
    FWindow->TimerTimer();
    EXPECT_EQ(2, w.TrayIcon->PictureSets());
    FClock.Ms += 1000;
    FWindow->TimerTimer();
    EXPECT_EQ(3, w.TrayIcon->PictureSets());
    Tick(2000000, 3000);
    Tick(2000000, 3000);
    const int busy = w.TrayIcon->PictureSets();
    Tick(2000000, 3000);
    EXPECT_EQ(busy, w.TrayIcon->PictureSets()) << "steady traffic, steady picture";

    FTrayAvailable = false;
    Tick(0, 0);
    Tick(0, 0);
    EXPECT_EQ(busy, w.TrayIcon->PictureSets()) << "the tray went away: nothing is drawn";
    FTrayAvailable = FTrayAnnounced = true;
    Tick(0, 0);
    EXPECT_EQ(busy + 1, w.TrayIcon->PictureSets()) << "a tray that comes back gets the picture at once";

    w.acTrayTraffic->trigger();
    EXPECT_TRUE(ShowsPlainIcon());
    EXPECT_EQ(Title(), w.TrayIcon->toolTip().toStdString());
}

TEST_F(TrayTraffic, TheHintNamesEveryWatchedInterfaceInItsPanelsUnitsAtMostEveryTwoSeconds)
{
    WriteSettings("[Settings]\neth0=1\nwlan0=1\n");
    FTrayAvailable = true;
    Twnd_qn_Main& w = Start();
    ASSERT_EQ(2u, w.Watchers().size());
    w.Watchers()[1]->cbUnits->setCurrentIndex(1);
    w.acTrayTraffic->trigger();
    Tick(1536, 0);
    Tick(1536, 0);
    const std::string first = w.TrayIcon->toolTip().toStdString();
    EXPECT_EQ(Title() + "\neth0: Download 1.50 KB, Upload 0.00 B\nwlan0: Download 12.29 Kbps, Upload 0.00 bps", first);
    Tick(3072, 0);
    EXPECT_EQ(first, w.TrayIcon->toolTip().toStdString()) << "a second later";
    Tick(3072, 0);
    EXPECT_EQ(Title() + "\neth0: Download 3.00 KB, Upload 0.00 B\nwlan0: Download 24.58 Kbps, Upload 0.00 bps",
              w.TrayIcon->toolTip().toStdString());
}

TEST_F(TrayTraffic, WithNothingWatchedThePictureAndHintShowTheBestInterface)
{
    FFake->BestInterface = 5;
    FTrayAvailable = true;
    Twnd_qn_Main& w = Start();
    ASSERT_TRUE(w.Watchers().empty());
    w.acTrayTraffic->trigger();
    Tick(0, 0);
    Tick(2048, 1024);
    EXPECT_EQ(Title() + "\nwlan0: Download 2.00 KB, Upload 1.00 KB", w.TrayIcon->toolTip().toStdString());
    EXPECT_FALSE(ShowsPlainIcon());
}

TEST_F(TrayTraffic, TheFirstStartHintShowsWhileNoPanelIsThere)
{
    Twnd_qn_Main& w = Start();
    EXPECT_TRUE(w.lStartHint->isVisible());
    EXPECT_TRUE(w.lStartHint->text().contains(QStringLiteral("Interface View (Ctrl+I)")));
    w.mmInterface->actions().front()->trigger();
    ASSERT_EQ(1u, w.Watchers().size());
    EXPECT_FALSE(w.lStartHint->isVisible()) << "gone with the first panel";
    w.mmInterface->actions().front()->trigger();
    ASSERT_TRUE(w.Watchers().empty());
    EXPECT_TRUE(w.lStartHint->isVisible()) << "back when the last one is removed";
}

TEST_F(TrayTraffic, TheListIsWorkedFromTheKeyboardSpaceWatchesAndReturnShowsTheProperties)
{
    Twnd_qn_Main& w = Start();
    w.acIntfView->trigger();
    std::string shown;
    w.ShowAdapterInfo = [&](QWidget*, const TAdapter& AData) { shown = AData.Name; };
    w.Tree->setFocus();
    w.Tree->FocusRow(0);
    const std::string first = w.TreeModel()->index(0, 0).data().toString().toStdString();
    QTest::keyClick(w.Tree, Qt::Key_Space);
    ASSERT_EQ(1u, w.Watchers().size()) << "Space ticks the focused row";
    EXPECT_EQ(first, w.Watchers().front()->Adapter.Name);
    QTest::keyClick(w.Tree, Qt::Key_Return);
    EXPECT_EQ(first, shown);
    QTest::keyClick(w.Tree, Qt::Key_Space);
    EXPECT_TRUE(w.Watchers().empty());
    EXPECT_EQ("Interfaces", w.Tree->accessibleName().toStdString());
}

} // namespace
} // namespace qn
