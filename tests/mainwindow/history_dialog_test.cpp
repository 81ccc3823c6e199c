// The traffic history in the main window: the one-second pass records, the menu action and its
// shortcut open the report, which shows the rows and exports them as CSV.
#include "history/history_store.h"
#include "historyview/dlg_qn_history.h"
#include "historyview/history_chart.h"
#include "mainwindow/history_recording.h"
#include "mainwindow/main_window_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <sstream>

namespace qn {
namespace {

class HistoryInMainWindow : public test::TMainWindowFixture
{
protected:
    std::string History() const { return FDir.filePath(QStringLiteral("history.sqlite")).toStdString(); }

    // Days of November and December 2026 for eth0 and wlan0.
    void WriteHistory()
    {
        THistoryStore store;
        std::string moved, error;
        ASSERT_EQ(store.OpenForWriting(History(), moved, error), THistoryFailure::hfNone) << error;
        THistoryBatch batch;
        for (int d = 1; d <= 30; ++d) {
            const TBucketKeys keys{20261100LL * 100 + d * 100 + 12, 20261100LL + d, 202611};
            batch.Add("eth0", keys, 1000ull * d * d * d, 300ull * d);
            if (d % 3 == 0)
                batch.Add("wlan0", keys, 5'000'000, 77);
        }
        batch.Add("eth0", {2026120112, 20261201, 202612}, 123'456'789, 42);
        ASSERT_EQ(store.Write(batch, error), THistoryFailure::hfNone) << error;
    }
};

struct TCsvSums
{
    int Lines = 0;
    std::uint64_t Download = 0, Upload = 0, Total = 0;
};

TCsvSums ReadCsv(const QString& AFile)
{
    QFile file(AFile);
    TCsvSums sums;
    if (!file.open(QIODevice::ReadOnly))
        return sums;
    std::istringstream text(file.readAll().toStdString());
    std::string line;
    std::getline(text, line);
    EXPECT_EQ(line, "period,download,upload,total");
    while (std::getline(text, line)) {
        ++sums.Lines;
        std::istringstream fields(line);
        std::string period, down, up, total;
        std::getline(fields, period, ',');
        std::getline(fields, down, ',');
        std::getline(fields, up, ',');
        std::getline(fields, total, ',');
        sums.Download += std::stoull(down);
        sums.Upload += std::stoull(up);
        sums.Total += std::stoull(total);
    }
    return sums;
}

TEST_F(HistoryInMainWindow, TheMenuActionAndItsShortcutOpenTheReportWhichExportsItsTable)
{
    WriteHistory();
    Twnd_qn_Main& w = Start();
    w.HistoryFile = History();
    ASSERT_TRUE(w.View1->actions().contains(w.acHistory));
    ASSERT_TRUE(w.PopupMenu1->actions().contains(w.acHistory));

    struct TSeen
    {
        int Opened = 0;
        int Rows = 0;
        std::uint64_t Download = 0, Upload = 0;
        QString FirstDownloadText;
        TCsvSums Csv;
        int Interfaces = 0;
        bool BarsDrawn = false;
    } seen;
    const QString csv = FDir.filePath(QStringLiteral("out.csv"));
    const auto inspect = [&] {
        auto* dialog = qobject_cast<Tdlg_qn_History*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        ++seen.Opened;
        seen.Interfaces = dialog->cbInterface->count();
        seen.Rows = dialog->Table->rowCount();
        for (const THistoryRow& row : dialog->Rows()) {
            seen.Download += row.Download;
            seen.Upload += row.Upload;
        }
        if (dialog->Table->rowCount() > 0)
            seen.FirstDownloadText = dialog->Table->item(0, 1)->text();
        // The chart shows the bars of the rows: the newest day's column is drawn near the right.
        QImage image(dialog->Chart->size(), QImage::Format_RGB32);
        dialog->Chart->render(&image);
        for (int x = image.width() - 40; x < image.width() - 6; ++x)
            if (image.pixel(x, image.height() - 26) == THistoryChart::DownloadColor)
                seen.BarsDrawn = true;
        dialog->AskFileName = [&](QWidget*, const QString& ASuggested) {
            EXPECT_TRUE(ASuggested.endsWith(QStringLiteral(".csv")));
            return csv;
        };
        dialog->btExport->click();
        seen.Csv = ReadCsv(csv);
        dialog->accept();
    };

    QTimer::singleShot(0, &w, inspect);
    w.acHistory->trigger();
    EXPECT_EQ(seen.Opened, 1);
    EXPECT_EQ(seen.Interfaces, 4); // all (the uplinks), every, eth0, wlan0
    EXPECT_EQ(seen.Rows, 31);      // every day of November and 1 December, both interfaces summed
    EXPECT_EQ(seen.FirstDownloadText, QStringLiteral("1000.00 B"));
    EXPECT_TRUE(seen.BarsDrawn);
    EXPECT_EQ(seen.Csv.Lines, seen.Rows);
    EXPECT_EQ(seen.Csv.Download, seen.Download);
    EXPECT_EQ(seen.Csv.Upload, seen.Upload);
    EXPECT_EQ(seen.Csv.Total, seen.Download + seen.Upload);

    // The shortcut works on the window itself, with the menu bar shown or not.
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w, 2000));
    seen = {};
    QTimer::singleShot(0, &w, inspect);
    QTest::keyClick(&w, Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(seen.Opened, 1);
    EXPECT_EQ(seen.Rows, 31);
}

TEST_F(HistoryInMainWindow, TheReportFollowsTheChoiceOfInterfaceAndPeriod)
{
    WriteHistory();
    Tdlg_qn_History dialog(nullptr, History());
    dialog.cbInterface->setCurrentIndex(dialog.cbInterface->findText(QStringLiteral("wlan0")));
    EXPECT_EQ(dialog.Table->rowCount(), 10);
    dialog.tbPeriod->setCurrentIndex(2); // months
    ASSERT_EQ(dialog.Table->rowCount(), 1);
    EXPECT_EQ(dialog.Table->item(0, 0)->text(), QStringLiteral("2026-11"));
    EXPECT_EQ(dialog.Table->item(0, 1)->text(), QStringLiteral("47.68 MB"));
    dialog.tbPeriod->setCurrentIndex(3); // years
    ASSERT_EQ(dialog.Table->rowCount(), 1);
    EXPECT_EQ(dialog.Table->item(0, 0)->text(), QStringLiteral("2026"));

    // A file that cannot be written is reported, and nothing else changes.
    QString error;
    EXPECT_FALSE(dialog.ExportCsv(FDir.filePath(QStringLiteral("history.sqlite/x.csv")), error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Unable to write to"))) << error.toStdString();

    // No file at all: an empty report, not an error.
    Tdlg_qn_History empty(nullptr, FDir.filePath(QStringLiteral("none.sqlite")).toStdString());
    EXPECT_EQ(empty.Table->rowCount(), 0);
    EXPECT_FALSE(empty.btExport->isEnabled());
}

TEST_F(HistoryInMainWindow, TheOneSecondPassRecordsEveryInterfaceWatchedOrNot)
{
    FFake->Interfaces[0].InStep = 1000;           // eth0
    FFake->Interfaces[2].OutStep = 70;            // wlan0, not watched
    THistoryRecording recording(History(), 0, 0); // every pass reads and hands its reads to the writer
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
