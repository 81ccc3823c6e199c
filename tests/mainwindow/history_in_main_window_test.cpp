// The traffic history in the main window: the one-second pass records, and the menu item and its
// shortcut open the report of the window's history file.
#include "history/history_recording.h"
#include "history/history_store.h"
#include "historyview/dlg_qn_history.h"
#include "mainwindow/main_window_fixture.h"
#include "support/history_sample.h"
#include "support/modal_dialog.h"

#include <QAction>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace qn {
namespace {

class HistoryInMainWindow : public test::TMainWindowFixture
{
protected:
    std::string History() const { return FDir.filePath(QStringLiteral("history.sqlite")).toStdString(); }
};

TEST_F(HistoryInMainWindow, TheMenuItemAndItsShortcutOpenTheReportOfTheHistoryFile)
{
    test::WriteSampleHistory(History());
    Twnd_qn_Main& w = Start();
    w.HistoryFile = History();
    int rows = -1;
    const auto report = [&](Tdlg_qn_History& ADialog) {
        rows = ADialog.Table->rowCount();
        ADialog.accept();
    };
    EXPECT_TRUE(test::WhileModal<Tdlg_qn_History>([&] { MenuItem("View", "Traffic History...").trigger(); }, report));
    EXPECT_EQ(rows, 31); // the sample's days, both interfaces summed
    rows = -1;
    EXPECT_TRUE(test::WhileModal<Tdlg_qn_History>([&] { MenuItem("", "Traffic History...").trigger(); }, report))
        << "the pop-up menu's item";
    EXPECT_EQ(rows, 31);

    // The shortcut works on the window itself, with the menu bar shown or not.
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w, 2000));
    rows = -1;
    EXPECT_TRUE(
        test::WhileModal<Tdlg_qn_History>([&] { QTest::keyClick(&w, Qt::Key_H, Qt::ControlModifier); }, report));
    EXPECT_EQ(rows, 31);
}

TEST_F(HistoryInMainWindow, TheOneSecondPassRecordsEveryInterfaceWatchedOrNot)
{
    FFake->Interfaces[0].InStep = 1000;                          // eth0
    FFake->Interfaces[2].OutStep = 70;                           // wlan0, not watched
    THistoryRecording recording(SystemClock(), History(), 0, 0); // every pass reads and hands its reads to the writer
    ASSERT_TRUE(recording.Start());
    std::vector<std::string> messages;
    recording.OnMessage = [&](const std::string& AMessage) { messages.push_back(AMessage); };
    FWindow.reset();
    auto window = std::make_unique<Twnd_qn_Main>();
    window->History = &recording;
    window->show();
    for (int i = 0; i < 4; ++i)
        window->TimerTimer();
    recording.Stop();
    window.reset();
    TLMForm::SetMainForm(nullptr);

    THistoryStore store;
    std::string error;
    ASSERT_TRUE(store.OpenReadOnly(History(), error)) << error;
    const auto eth = store.Query(THistoryPeriod::hpDay, "eth0");
    const auto wlan = store.Query(THistoryPeriod::hpDay, "wlan0");
    ASSERT_EQ(eth.size(), 1u);
    ASSERT_EQ(wlan.size(), 1u);
    EXPECT_GE(eth[0].Download, 4000u); // four passes and the one at Stop, each a step apart
    EXPECT_EQ(eth[0].Download % 1000, 0u);
    EXPECT_EQ(wlan[0].Upload % 70, 0u);
    EXPECT_GE(wlan[0].Upload, 4u * 70);
    EXPECT_TRUE(messages.empty());
}

} // namespace
} // namespace qn
