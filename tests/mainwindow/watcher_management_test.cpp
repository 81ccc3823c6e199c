// Watcher panels in the real main window, offscreen, over a scripted IP helper service whose
// counters advance and a settings file in a temporary folder: the "Monitor" menu, the list's check
// boxes, the stored choices, the panels' read-outs, network changes and the scroll box.
#include "chart/sp_xy_plot.h"
#include "layout/layout_manager_ini_storage.h"
#include "layout/settings_storage.h"
#include "mainwindow/frame/window_metrics.h"
#include "mainwindow/interface_list/intf_list_model.h"
#include "mainwindow/interface_list/intf_tree.h"
#include "mainwindow/main_window_fixture.h"
#include "mainwindow/window/wnd_qn_main.h"
#include "watcher/frm_qn_watcher.h"
#include "watcher/gradient_bar.h"
#include "watcher/read_out_panel.h"

#include "support/fake_clock.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qn {
namespace {

using test::Metrics;
using test::WorkArea;

class WatcherManagement : public test::TMainWindowFixture
{
protected:
    void SetUp() override
    {
        TMainWindowFixture::SetUp();
        if (HasFatalFailure())
            return;
        FFake->Find(5)->Alias = "Home Wi-Fi";
        for (auto& i : FFake->Interfaces) {
            i.InOctets = 1000000 * i.Index;
            i.OutOctets = 500000 * i.Index;
        }
    }

    Twnd_qn_Main& Start()
    {
        Twnd_qn_Main& w = TMainWindowFixture::Start();
        QCoreApplication::processEvents();
        return w;
    }

    void BeforeShow(Twnd_qn_Main& AWindow) override
    {
        AWindow.Clock = &FClock;
        // The counters move only where a test moves them.
        AWindow.Timer->stop();
    }

    std::string Setting(const std::string& AKey) { return TMainWindowFixture::Setting("Settings", AKey); }

    QAction* MonitorItem(const std::string& AName)
    {
        for (QAction* a : FWindow->mmInterface->actions())
            if (a->text().toStdString() == AName)
                return a;
        return nullptr;
    }

    bool RowChecked(std::uint32_t AIntfIdx)
    {
        auto* model = FWindow->TreeModel();
        const int row = model->FindRow(AIntfIdx);
        return row >= 0 && model->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
    }

    Tfrm_qn_Watcher* Panel(const std::string& AName)
    {
        for (Tfrm_qn_Watcher* frame : FWindow->Watchers())
            if (frame->Adapter.Name == AName)
                return frame;
        return nullptr;
    }

    // The panels' timers are stopped so that only the test ticks them, one second at a time.
    void TickAll(std::uint64_t AInStep, std::uint64_t AOutStep, int ATicks = 1)
    {
        for (Tfrm_qn_Watcher* frame : FWindow->Watchers())
            frame->Timer->stop();
        for (int t = 0; t < ATicks; ++t) {
            FClock.Ms += 1000;
            for (auto& i : FFake->Interfaces) {
                i.InOctets += AInStep;
                i.OutOctets += AOutStep;
            }
            for (Tfrm_qn_Watcher* frame : FWindow->Watchers())
                frame->TimerTimer();
        }
    }

    static void FreeDeferred() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    test::TFakeClock FClock{90000};
};

TEST_F(WatcherManagement, AStoredChoiceBringsThePanelBackAtStartWithPersistenceOff)
{
    WriteSettings("[Settings]\nwlan0=1\n");
    Twnd_qn_Main& w = Start();
    EXPECT_FALSE(w.acPersistent->isChecked());
    ASSERT_EQ(1u, w.Watchers().size());
    Tfrm_qn_Watcher* frame = w.Watchers()[0];
    EXPECT_EQ("Watcher_5", frame->objectName());
    EXPECT_EQ(w.ScrollBox->widget(), frame->parentWidget());
    EXPECT_EQ(Tfrm_qn_Watcher::DesignHeight, frame->height());
    EXPECT_EQ(w.ScrollBox->viewport()->width(), frame->width());
    EXPECT_EQ(0, frame->y());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->Timer->isActive()) << "sampling runs";
    EXPECT_EQ("wlan0", frame->Header->Caption());
    EXPECT_EQ("Home Wi-Fi", frame->Header->toolTip());
    EXPECT_EQ(w.NCC().ImageIndex(2), frame->Header->ImageIndex()) << "the interface's picture";
    EXPECT_EQ(&w.ilIntf16, frame->Header->Images());
    EXPECT_TRUE(MonitorItem("wlan0")->isChecked());
    EXPECT_TRUE(w.NCC().Mark(2));
    // One colour per direction: label, line and session total.
    EXPECT_EQ(frame->DLLabel->Color(), frame->lTDL->Color());
    EXPECT_EQ(frame->ULLabel->Color(), frame->lTUL->Color());
    EXPECT_EQ(static_cast<std::uint32_t>(frame->DLLabel->Color().rgb() & 0xFFFFFF),
              frame->sp_XYLine1->LineAttr().Color);
    EXPECT_EQ(static_cast<std::uint32_t>(frame->ULLabel->Color().rgb() & 0xFFFFFF),
              frame->sp_XYLine2->LineAttr().Color);

    // The next start without the stored choice shows no panel.
    Stop();
    WriteSettings("[Settings]\nwlan0=0\n");
    EXPECT_TRUE(Start().Watchers().empty());
}

TEST_F(WatcherManagement, TheMonitorMenuCreatesAndFreesPanelsAndStoresTheChoiceAtOnce)
{
    Twnd_qn_Main& w = Start();
    w.acIntfView->trigger(); // the list shown, so that its rows can be seen to follow
    QAction* item = MonitorItem("eth0");
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(2, item->data().toInt());
    item->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(RowChecked(2));
    EXPECT_EQ("1", Setting("eth0"));
    const QPointer<Tfrm_qn_Watcher> frame = Panel("eth0");
    ASSERT_TRUE(frame);
    EXPECT_EQ(w.ScrollBox->viewport()->width(), frame->width());
    EXPECT_EQ(w.ScrollBox->width(), frame->width()) << "one panel fits: no scroll bar takes width";

    // Checking a list row adds a second panel below the first; the menu follows without a click.
    auto* model = w.TreeModel();
    ASSERT_TRUE(model->setData(model->index(model->FindRow(5), 0), Qt::Checked, Qt::CheckStateRole));
    QCoreApplication::processEvents();
    EXPECT_TRUE(MonitorItem("wlan0")->isChecked());
    ASSERT_EQ(2u, w.Watchers().size());
    EXPECT_EQ(frame->height(), Panel("wlan0")->y());
    EXPECT_EQ("1", Setting("wlan0"));

    // Unchecking frees the panel and writes false.
    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(RowChecked(2));
    EXPECT_EQ("0", Setting("eth0"));
    EXPECT_EQ(nullptr, Panel("eth0"));
    FreeDeferred();
    EXPECT_FALSE(frame) << "freed";
    QCoreApplication::processEvents();
    EXPECT_EQ(0, Panel("wlan0")->y()) << "the remaining panel moves up";
    EXPECT_FALSE(w.NCC().Mark(0));
}

TEST_F(WatcherManagement, TicksShowTheRatesAndTotalsInBothUnits)
{
    WriteSettings("[Settings]\neth0=1\n");
    Twnd_qn_Main& w = Start();
    Tfrm_qn_Watcher* frame = Panel("eth0");
    ASSERT_NE(nullptr, frame);
    TickAll(0, 0); // the first tick takes the baseline
    TickAll(1536, 1000, 3);
    EXPECT_EQ("1.50 KB", frame->lDL->Caption());
    EXPECT_EQ("1000.00 B", frame->lUL->Caption());
    EXPECT_EQ("1.50 KB", frame->lDLMax->Caption());
    EXPECT_EQ("1.91 MB", frame->lDLTotal->Caption()) << "the system's counter of the interface";
    EXPECT_EQ("4.50 KB", frame->lTDL->Caption());
    EXPECT_EQ("2.93 KB", frame->lTUL->Caption());

    frame->cbUnits->setCurrentIndex(1);
    TickAll(1536, 1000);
    EXPECT_EQ("12.29 Kbps", frame->lDL->Caption());
    EXPECT_EQ("8.00 Kbps", frame->lUL->Caption());
    EXPECT_EQ("12.29 Kbps", frame->lDLMax->Caption());
    EXPECT_EQ("6.00 KB", frame->lTDL->Caption()) << "totals stay in bytes";
    EXPECT_EQ(5, frame->sp_XYLine1->Count());

    // "Clear session totals?" answered No keeps them; Yes clears them by the next tick.
    bool answer = false;
    int asked = 0;
    frame->AskYesNo = [&](const QString& ACaption, const QString& AText) {
        EXPECT_EQ("Confirmation", ACaption);
        EXPECT_EQ("Clear session totals?", AText);
        ++asked;
        return answer;
    };
    frame->Panel1->OnDblClick();
    TickAll(0, 0);
    EXPECT_EQ(1, asked);
    EXPECT_EQ("6.00 KB", frame->lTDL->Caption());
    answer = true;
    frame->Panel1->OnDblClick();
    TickAll(0, 0);
    EXPECT_EQ("0.00 B", frame->lTDL->Caption());
    EXPECT_EQ("0.00 B", frame->lTUL->Caption());
    EXPECT_EQ("12.29 Kbps", frame->lDLMax->Caption()) << "the maxima stay";
    (void)w;
}

TEST_F(WatcherManagement, ANetworkChangeKeepsAWatchedPanelsFiguresAndUpdatesItsPicture)
{
    WriteSettings("[Settings]\neth0=1\n");
    Twnd_qn_Main& w = Start();
    Tfrm_qn_Watcher* frame = Panel("eth0");
    ASSERT_NE(nullptr, frame);
    EXPECT_EQ(7, frame->Header->ImageIndex());
    TickAll(0, 0);
    TickAll(2048, 0, 4);
    const std::uint64_t total = frame->Statistics().TDL;
    const int points = frame->sp_XYLine1->Count();
    EXPECT_EQ(8192u, total);

    // The cable is pulled: same panel, same figures, the warning picture.
    FFake->Find(2)->OperStatus = IF_OPER_STATUS_DISCONNECTED;
    NoticeChange(w);
    ASSERT_EQ(1u, w.Watchers().size());
    EXPECT_EQ(frame, w.Watchers()[0]);
    EXPECT_EQ(0, frame->Header->ImageIndex());
    EXPECT_EQ(total, frame->Statistics().TDL);
    EXPECT_EQ(points, frame->sp_XYLine1->Count());
    EXPECT_TRUE(MonitorItem("eth0")->isChecked());
    EXPECT_FALSE(frame->isHidden());

    // The interface vanishes: the panel stays with its figures and picture 0; nothing can uncheck it.
    FFake->Find(2)->OperStatus = IF_OPER_STATUS_OPERATIONAL;
    const test::TFakeInterface eth0 = *FFake->Find(2);
    FFake->Interfaces.erase(FFake->Interfaces.begin());
    w.acRefresh->trigger();
    ASSERT_EQ(1u, w.Watchers().size());
    EXPECT_EQ(0, frame->Header->ImageIndex());
    EXPECT_EQ(nullptr, MonitorItem("eth0"));
    TickAll(0, 0); // a failed read: zero rates, totals kept
    EXPECT_EQ("0.00 B", frame->lDL->Caption());
    EXPECT_EQ(total, frame->Statistics().TDL);

    // It comes back under a new index: found by name, it takes the new record and its picture.
    test::TFakeInterface back = eth0;
    back.Index = 14;
    FFake->Interfaces.push_back(back);
    FFake->AddAddress("10.0.0.14", "255.255.255.0", 14);
    w.acRefresh->trigger();
    ASSERT_EQ(1u, w.Watchers().size());
    EXPECT_EQ(frame, w.Watchers()[0]);
    EXPECT_EQ(14u, frame->Adapter.IntfIdx);
    EXPECT_EQ(7, frame->Header->ImageIndex());
    EXPECT_TRUE(MonitorItem("eth0")->isChecked());
    TickAll(0, 0); // new baseline
    TickAll(1024, 0);
    EXPECT_EQ("1.00 KB", frame->lDL->Caption()) << "no spike from the new counters";
    EXPECT_EQ(total + 1024, frame->Statistics().TDL);
}

TEST_F(WatcherManagement, MorePanelsThanFitScrollWithoutGrowingTheWindow)
{
    WriteSettings("[Settings]\neth0=1\neth1=1\nwlan0=1\n");
    Twnd_qn_Main& w = Start();
    const QSize size = w.size();
    ASSERT_EQ(3u, w.Watchers().size());
    QCoreApplication::processEvents();
    EXPECT_EQ(size, w.size());
    EXPECT_LT(w.ScrollBox->viewport()->height(), 3 * 210);
    EXPECT_TRUE(w.ScrollBox->verticalScrollBar()->isVisible());
    EXPECT_GT(w.ScrollBox->verticalScrollBar()->maximum(), 0);
    // Stacked from the top in snapshot order, each as wide as the scroll box's viewport.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(210 * i, w.Watchers()[static_cast<std::size_t>(i)]->y());
        EXPECT_EQ(w.ScrollBox->viewport()->width(), w.Watchers()[static_cast<std::size_t>(i)]->width());
    }
    EXPECT_EQ("Watcher_2", w.Watchers()[0]->objectName());
    EXPECT_EQ("Watcher_3", w.Watchers()[1]->objectName());

    TickAll(0, 0);
    TickAll(150 * 1024, 40 * 1024, 20);
    QImage image(w.size(), QImage::Format_RGB32);
    w.render(&image);
    image.save(QString(QN_TEST_ARTIFACT_DIR) + "/main_window_three_panels.png");
}

TEST_F(WatcherManagement, AnInterfaceAbsentAtStartIsNotWatchedByItself)
{
    WriteSettings("[Settings]\nusb0=1\n");
    Twnd_qn_Main& w = Start();
    AddInterface(9, "usb0", IF_TYPE_ETHERNET_CSMACD, IF_OPER_STATUS_OPERATIONAL);
    NoticeChange(w);
    EXPECT_TRUE(w.Watchers().empty());
    ASSERT_NE(nullptr, MonitorItem("usb0"));
    EXPECT_FALSE(MonitorItem("usb0")->isChecked());

    // Checking it once makes its value live again.
    MonitorItem("usb0")->trigger();
    ASSERT_NE(nullptr, Panel("usb0"));
    EXPECT_EQ("1", Setting("usb0"));
    NoticeChange(w);
    EXPECT_NE(nullptr, Panel("usb0")) << "the stored value now keeps it watched across changes";
}

TEST_F(WatcherManagement, AReusedIndexGetsAUniqueComponentName)
{
    WriteSettings("[Settings]\neth0=1\n");
    Twnd_qn_Main& w = Start();
    ASSERT_NE(nullptr, Panel("eth0"));
    // eth0 vanishes and another interface takes its index while the panel remains.
    FFake->Interfaces.erase(FFake->Interfaces.begin());
    AddInterface(2, "veth7", IF_TYPE_ETHERNET_CSMACD, IF_OPER_STATUS_OPERATIONAL);
    w.acRefresh->trigger();
    ASSERT_EQ(1u, w.Watchers().size()) << "a refresh leaves the vanished interface's panel alone";
    MonitorItem("veth7")->trigger();
    ASSERT_EQ(2u, w.Watchers().size());
    EXPECT_EQ("Watcher_2", w.Watchers()[0]->objectName());
    EXPECT_EQ("Watcher_2_2", w.Watchers()[1]->objectName());
    EXPECT_EQ(0, Panel("eth0")->Header->ImageIndex());

    // Unchecking veth7 frees its own panel, not the older one that carries the same index.
    MonitorItem("veth7")->trigger();
    ASSERT_EQ(1u, w.Watchers().size());
    EXPECT_EQ("eth0", w.Watchers()[0]->Adapter.Name);
    EXPECT_FALSE(MonitorItem("veth7")->isChecked());
    EXPECT_EQ("0", Setting("veth7"));
}

TEST_F(WatcherManagement, ThePropertiesButtonShowsTheRecordWithTopMostLifted)
{
    WriteSettings("[Settings]\nwlan0=1\n");
    Twnd_qn_Main& w = Start();
    w.acOnTop->trigger();
    ASSERT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    QWidget* parent = nullptr;
    std::string shown;
    bool topMostWhileShown = true;
    w.ShowAdapterInfo = [&](QWidget* AParent, const TAdapter& AData) {
        parent = AParent;
        shown = AData.Name + "/" + AData.Alias;
        topMostWhileShown = w.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    };
    Panel("wlan0")->bProps->click();
    EXPECT_EQ(&w, parent);
    EXPECT_EQ("wlan0/Home Wi-Fi", shown);
    EXPECT_FALSE(topMostWhileShown);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
}

// A night asleep: the traffic up to the sleep is counted, the wake (seen on the clocks alone, as
// without a system bus) re-reads the interfaces and starts new baselines, and a Wi-Fi link that
// comes back late under a new index is found again by its name without a change notification.
TEST_F(WatcherManagement, ASleepIsCountedUpToItAndAWakeFindsALateInterfaceAgain)
{
    WriteSettings("[Settings]\neth0=1\nwlan0=1\n");
    Twnd_qn_Main& w = Start();
    Tfrm_qn_Watcher* eth0 = Panel("eth0");
    Tfrm_qn_Watcher* wlan0 = Panel("wlan0");
    ASSERT_NE(nullptr, eth0);
    ASSERT_NE(nullptr, wlan0);
    TickAll(0, 0);
    TickAll(2048, 0, 3);
    w.TimerTimer(); // the main window's tick looks at the clocks
    EXPECT_EQ(0, w.ResumeCount());

    // 500 bytes after the last tick, then logind says the machine goes to sleep.
    for (auto& i : FFake->Interfaces)
        i.InOctets += 500;
    FClock.Ms += 400;
    w.PrepareForSleep();
    EXPECT_EQ(6144u + 500, eth0->Statistics().TDL);

    // Eight hours later: the Wi-Fi link is not back yet.
    const test::TFakeInterface wifi = *FFake->Find(5);
    FFake->Interfaces.erase(FFake->Interfaces.begin() + 2);
    FClock.Sleep(8 * 3600 * 1000);
    FClock.Ms += 300;
    w.TimerTimer();
    EXPECT_EQ(1, w.ResumeCount());
    EXPECT_FALSE(wlan0->AdapterPresent);
    EXPECT_EQ(6144u + 500, eth0->Statistics().TDL);
    auto* looks = w.findChild<QTimer*>(QStringLiteral("ResumeTimer"));
    ASSERT_NE(nullptr, looks);
    EXPECT_TRUE(looks->isActive());

    // The first tick after the wake measures from it: the true rate, no spike and no zero.
    TickAll(1024, 0);
    EXPECT_EQ("1.00 KB", eth0->lDL->Caption());
    EXPECT_EQ(6144u + 500 + 1024, eth0->Statistics().TDL);
    EXPECT_EQ(2048.0, eth0->Statistics().MDL);
    EXPECT_EQ(2, eth0->sp_XYLine1->RunCount()) << "the sleep is a gap";

    // Twenty seconds later it is back under a new index; no change notification comes, the next
    // look after the wake finds it by name.
    test::TFakeInterface back = wifi;
    back.Index = 15;
    back.InOctets = 777;
    FFake->Interfaces.push_back(back);
    QMetaObject::invokeMethod(looks, "timeout");
    EXPECT_TRUE(wlan0->AdapterPresent);
    EXPECT_EQ(15u, wlan0->Adapter.IntfIdx);
    ASSERT_EQ(2u, w.Watchers().size());
    TickAll(0, 0); // a new baseline on the new index
    TickAll(1024, 0);
    EXPECT_EQ("1.00 KB", wlan0->lDL->Caption());
    // With every watched link back, the looks stop.
    QMetaObject::invokeMethod(looks, "timeout");
    EXPECT_FALSE(looks->isActive());

    // A wake told by logind is not told again by the clocks.
    FClock.AsleepMs += 3600 * 1000;
    w.ResumeFromSleep();
    w.TimerTimer();
    EXPECT_EQ(2, w.ResumeCount());
}

} // namespace
} // namespace qn
