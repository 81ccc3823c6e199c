// The traffic history's report over a history file with a known month: its rows and chart, the
// choice of interface and period, and the CSV export.
#include "history/history_fakes.h"
#include "history/history_period.h"
#include "history/quota_period.h"
#include "historyview/dlg_qn_history.h"
#include "historyview/history_chart.h"
#include "support/history_sample.h"

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

namespace qn {
namespace {

class HistoryDialog : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        test::WriteSampleHistory(History());
    }

    std::string History() const { return FDir.filePath(QStringLiteral("history.sqlite")).toStdString(); }

    QTemporaryDir FDir;
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

TEST_F(HistoryDialog, TheReportShowsEveryDayDrawsItsBarsAndExportsItsTable)
{
    Tdlg_qn_History dialog(nullptr, History());
    dialog.show();
    EXPECT_EQ(dialog.cbInterface->count(), 4); // all (the uplinks), every, eth0, wlan0
    ASSERT_EQ(dialog.Table->rowCount(), 31);   // every day of November and 1 December, both interfaces summed
    EXPECT_EQ(dialog.Table->item(0, 1)->text(), QStringLiteral("1000.00 B"));
    std::uint64_t download = 0, upload = 0;
    for (const THistoryRow& row : dialog.Rows()) {
        download += row.Download;
        upload += row.Upload;
    }

    // The chart shows the bars of the rows: the newest day's column is drawn near the right.
    QImage image(dialog.Chart->size(), QImage::Format_RGB32);
    dialog.Chart->render(&image);
    bool barsDrawn = false;
    for (int x = image.width() - 40; x < image.width() - 6; ++x)
        if (image.pixel(x, image.height() - 26) == THistoryChart::DownloadColor)
            barsDrawn = true;
    EXPECT_TRUE(barsDrawn);

    const QString csv = FDir.filePath(QStringLiteral("out.csv"));
    dialog.AskFileName = [&](QWidget*, const QString& ASuggested) {
        EXPECT_TRUE(ASuggested.endsWith(QStringLiteral(".csv")));
        return csv;
    };
    dialog.btExport->click();
    const TCsvSums sums = ReadCsv(csv);
    EXPECT_EQ(sums.Lines, 31);
    EXPECT_EQ(sums.Download, download);
    EXPECT_EQ(sums.Upload, upload);
    EXPECT_EQ(sums.Total, download + upload);
}

TEST_F(HistoryDialog, TheReportFollowsTheChoiceOfInterfaceAndPeriod)
{
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

// The applications of the chosen row's period, most first and "Unattributed" last, and the data
// cap's three biggest applications by the direction it counts.
TEST_F(HistoryDialog, TheApplicationsFollowTheChosenRowAndTheCapNamesItsTopThree)
{
    {
        THistoryStore store;
        std::string moved, error;
        ASSERT_EQ(store.OpenForWriting(History(), moved, error), THistoryFailure::hfNone) << error;
        THistoryBatch batch;
        batch.AddApp({1, "org.example.Alpha", 20261105}, "Alpha", 3'000'000, 0);
        batch.AddApp({1, "org.example.Beta", 20261105}, "Beta", 7'000'000, 1);
        batch.AddApp({0, "", 20261105}, "Unattributed", 90'000'000, 0);
        batch.AddApp({1, "org.example.Alpha", 20261201}, "Alpha", 5, 0);
        batch.AddApp({3, "session", 20261120}, "Other programs of this session", 1'000, 5'000'000);
        batch.AddApp({2, "backup", 20261121}, "backup", 0, 9'000'000);
        ASSERT_EQ(store.Write(batch, error), THistoryFailure::hfNone) << error;
    }
    Tdlg_qn_History dialog(nullptr, History());
    // Nothing chosen: the newest row, 1 December.
    EXPECT_EQ(dialog.lApps->text(), QStringLiteral("Applications on the uplinks, 2026-12-01:"));
    ASSERT_EQ(dialog.AppTable->rowCount(), 1);
    EXPECT_EQ(dialog.AppTable->item(0, 0)->text(), QStringLiteral("Alpha"));

    dialog.Table->selectRow(4); // 5 November
    ASSERT_EQ(dialog.AppTable->rowCount(), 3);
    EXPECT_EQ(dialog.AppTable->item(0, 0)->text(), QStringLiteral("Beta"));
    EXPECT_EQ(dialog.AppTable->item(0, 0)->toolTip(), QStringLiteral("org.example.Beta"));
    EXPECT_EQ(dialog.AppTable->item(1, 0)->text(), QStringLiteral("Alpha"));
    EXPECT_EQ(dialog.AppTable->item(2, 0)->text(), QStringLiteral("Unattributed")); // last, though the most
    EXPECT_EQ(dialog.AppTable->item(2, 1)->text(), QStringLiteral("85.83 MB"));

    dialog.tbPeriod->setCurrentIndex(2); // months: the newest, December, then November chosen
    EXPECT_EQ(dialog.AppTable->rowCount(), 1);
    dialog.Table->selectRow(0);
    EXPECT_EQ(dialog.lApps->text(), QStringLiteral("Applications on the uplinks, 2026-11:"));
    ASSERT_EQ(dialog.AppRows().size(), 5u);
    EXPECT_EQ(dialog.AppRows()[0].Id, "backup");
    EXPECT_EQ(dialog.AppTable->item(2, 0)->text(), QStringLiteral("Other programs of this session"));
    dialog.tbPeriod->setCurrentIndex(0); // hours: the hour's day
    EXPECT_EQ(dialog.lApps->text(), QStringLiteral("Applications on the uplinks, 2026-12-01:"));

    // A cap on November's downloads: the session's uploads and the backup's do not count for it.
    TQuotaSettings cap;
    cap.Limit = 1'000'000'000;
    cap.Direction = TQuotaDirection::qdDownload;
    test::TPinnedZone zone;
    TQuotaStatus live;
    live.Limit = cap.Limit;
    live.Window = QuotaWindowAt(cap, 1'794'000'000); // 2026-11-06
    ASSERT_EQ(live.Window.FirstDay, 20261101);
    dialog.SetQuota(cap, live);
    EXPECT_FALSE(dialog.lQuotaApps->isHidden());
    EXPECT_EQ(
        dialog.lQuotaApps->text(),
        QStringLiteral("Most used by: Beta (6.68 MB), Alpha (2.86 MB), Other programs of this session (1000.00 B)."));
    cap.Direction = TQuotaDirection::qdTotal;
    dialog.SetQuota(cap, live);
    EXPECT_TRUE(dialog.lQuotaApps->text().startsWith(QStringLiteral("Most used by: backup (8.58 MB), Beta")))
        << dialog.lQuotaApps->text().toStdString();
    dialog.SetQuota({});
    EXPECT_TRUE(dialog.lQuotaApps->isHidden());
}

} // namespace
} // namespace qn
