// The data cap in the main window: "Data Cap..." writes the [Quota] section whatever the
// persistence switch, bad values are told once, the history dialog shows the period, and
// warnings reach the tray's message when no notification service answers.
#include "history/history_store.h"
#include "history/quota_monitor.h"
#include "historyview/dlg_qn_history.h"
#include "historyview/dlg_qn_quota.h"
#include "mainwindow/main_window_fixture.h"
#include "mainwindow/session/desktop_notifier.h"
#include "platform/ini_file.h"
#include "support/modal_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace qn {
namespace {

class DataCap : public test::TMainWindowFixture
{
protected:
    std::string History() const { return FDir.filePath(QStringLiteral("history.sqlite")).toStdString(); }

    // Today's traffic of an uplink, the loopback and a veth, with their classes recorded.
    void WriteToday()
    {
        THistoryStore store;
        std::string moved, error;
        ASSERT_EQ(store.OpenForWriting(History(), moved, error), THistoryFailure::hfNone) << error;
        THistoryBatch batch;
        const TBucketKeys keys = LocalBucketKeys(QDateTime::currentSecsSinceEpoch());
        batch.Add("eth0", keys, 600'000, 150'000);
        batch.Add("lo", keys, 9'000'000, 9'000'000);
        batch.Add("veth7", keys, 4'000'000, 4'000'000);
        batch.Classes = {{"eth0", TInterfaceClass::icPhysical},
                         {"lo", TInterfaceClass::icLoopback},
                         {"veth7", TInterfaceClass::icVirtual}};
        ASSERT_EQ(store.Write(batch, error), THistoryFailure::hfNone) << error;
    }
};

TEST_F(DataCap, TheDialogFromTheMenusWritesTheQuotaSectionAlsoWithPersistenceOff)
{
    Twnd_qn_Main& w = Start();
    ASSERT_FALSE(w.acPersistent->isChecked());

    // The real dialog, filled in as a user would.
    const bool opened = test::WhileModal<Tdlg_qn_Quota>(
        [&] { MenuItem("View", "Data Cap...").trigger(); },
        [](Tdlg_qn_Quota& ADialog) {
            ADialog.edLimit->setValue(20);
            ADialog.cbUnit->setCurrentIndex(1); // GB
            ADialog.cbPeriod->setCurrentIndex(ADialog.cbPeriod->findText(QStringLiteral("Week")));
            EXPECT_EQ(ADialog.edStartDay->maximum(), 7);
            ADialog.edStartDay->setValue(3);
            ADialog.cbDirection->setCurrentIndex(ADialog.cbDirection->findText(QStringLiteral("Download")));
            // A bad warning list keeps the dialog open and says why.
            ADialog.edWarn->setText(QStringLiteral("50, most"));
            ADialog.Buttons->button(QDialogButtonBox::Ok)->click();
            EXPECT_TRUE(ADialog.isVisible());
            EXPECT_FALSE(ADialog.lError->text().isEmpty());
            ADialog.edWarn->setText(QStringLiteral("90, 50"));
            ADialog.edInterfaces->setText(QStringLiteral("wwan0, eth0"));
            ADialog.Buttons->button(QDialogButtonBox::Ok)->click();
        });
    ASSERT_TRUE(opened);
    const auto value = [&](const char* AKey) { return IniReadValue(FFile, "Quota", AKey).value_or("<none>"); };
    EXPECT_EQ(value("Limit"), "21474836480");
    EXPECT_EQ(value("Period"), "week");
    EXPECT_EQ(value("StartDay"), "3");
    EXPECT_EQ(value("Direction"), "download");
    EXPECT_EQ(value("Warn"), "50,90");
    EXPECT_EQ(value("Interfaces"), "wwan0,eth0");
    EXPECT_EQ(w.Quota().Limit, 21474836480u);

    // Cancelled: nothing changes. The next start reads what was written.
    EXPECT_TRUE(test::WhileModal<Tdlg_qn_Quota>([&] { MenuItem("", "Data Cap...").trigger(); },
                                                [](Tdlg_qn_Quota& ADialog) {
                                                    EXPECT_EQ(ADialog.edWarn->text(), QStringLiteral("50, 90"));
                                                    ADialog.edLimit->setValue(0);
                                                    ADialog.reject();
                                                }))
        << "the pop-up menu's item";
    EXPECT_EQ(value("Limit"), "21474836480");
    Twnd_qn_Main& again = Start();
    EXPECT_EQ(again.Quota().Period, TQuotaPeriod::qpWeek);
    EXPECT_EQ(again.Quota().Interfaces, (std::vector<std::string>{"wwan0", "eth0"}));
}

TEST_F(DataCap, BadValuesInTheFileAreToldOnceAndGiveTheirDefaults)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(QString::fromStdString(FFile)).path()));
    IniWriteString(FFile, "Quota", "Limit", "lots");
    IniWriteString(FFile, "Quota", "Period", "day");
    IniWriteString(FFile, "Quota", "Warn", "80,x");
    Twnd_qn_Main& w = Start();
    const QList<QMessageBox*> boxes = w.findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0]->text().contains(QStringLiteral("Limit=lots")));
    EXPECT_TRUE(boxes[0]->text().contains(QStringLiteral("Warn=80,x")));
    EXPECT_EQ(w.Quota().Limit, 0u);
    EXPECT_EQ(w.Quota().Period, TQuotaPeriod::qpDay);
    EXPECT_EQ(w.Quota().Warn, (std::vector<int>{80, 100}));
    // The file keeps what the user wrote.
    EXPECT_EQ(IniReadValue(FFile, "Quota", "Limit"), "lots");
}

TEST_F(DataCap, TheHistorySumsTheUplinksAndShowsThePeriodWithABar)
{
    WriteToday();
    Tdlg_qn_History dialog(nullptr, History());
    dialog.PresentClasses = [] { return std::map<std::string, TInterfaceClass>{}; }; // all gone now
    dialog.Refresh();
    ASSERT_EQ(dialog.Rows().size(), 1u);
    EXPECT_EQ(dialog.Rows()[0].Total(), 750'000u);
    EXPECT_TRUE(dialog.lScope->text().contains(QStringLiteral("eth0")));
    EXPECT_FALSE(dialog.lScope->text().contains(QStringLiteral("veth7")));
    EXPECT_TRUE(dialog.lQuota->text().contains(QStringLiteral("No data cap")));
    EXPECT_TRUE(dialog.pbQuota->isHidden());

    TQuotaSettings cap;
    cap.Limit = 1'000'000;
    cap.Period = TQuotaPeriod::qpDay;
    dialog.SetQuota(cap);
    EXPECT_FALSE(dialog.pbQuota->isHidden());
    EXPECT_EQ(dialog.QuotaStatus().Used, 750'000u); // the uplink's, not the loopback's or the veth's
    EXPECT_EQ(dialog.pbQuota->value(), 750);
    EXPECT_TRUE(dialog.pbQuota->text().contains(QStringLiteral("(75 %)"))) << dialog.pbQuota->text().toStdString();
    EXPECT_TRUE(dialog.lQuota->text().contains(QStringLiteral("1 day left")));
    EXPECT_TRUE(dialog.lQuotaPace->text().contains(QStringLiteral("may be used")));

    // A cap on named interfaces counts them, whatever their class.
    cap.Interfaces = {"veth7"};
    cap.Direction = TQuotaDirection::qdUpload;
    dialog.SetQuota(cap);
    EXPECT_EQ(dialog.QuotaStatus().Used, 4'000'000u);
    EXPECT_TRUE(dialog.QuotaStatus().Over());
    EXPECT_EQ(dialog.pbQuota->value(), 1000);
}

TEST_F(DataCap, WithoutANotificationServiceAWarningGoesToTheTrayOrNowhere)
{
    // No session bus at this address: the notifier cannot reach a server.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
    Twnd_qn_Main& w = Start();
    ASSERT_NE(w.Notifier(), nullptr);
    QStringList shown;
    bool docked = true;
    w.Notifier()->TrayMessage = [&](const QString& ASummary, const QString& ABody) {
        if (docked)
            shown << ASummary + QStringLiteral(" | ") + ABody;
        return docked;
    };
    int delivered = 0;
    QObject::connect(w.Notifier(), &TDesktopNotifier::Delivered, [&](bool AViaService) {
        EXPECT_FALSE(AViaService);
        ++delivered;
    });
    TQuotaWarning warning;
    warning.Level = 80;
    warning.Status.Limit = 10'000'000;
    warning.Status.Used = 8'100'000;
    warning.Status.Window = QuotaWindowAt(w.Quota(), QDateTime::currentSecsSinceEpoch());
    warning.Status.DaysLeft = 3;
    warning.Status.Allowance = 633'333;
    w.NotifyQuota(warning);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("80 % of the data cap is used"))) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains(QStringLiteral("3 days left"))) << shown[0].toStdString();
    EXPECT_EQ(delivered, 1);

    docked = false;
    warning.Level = QuotaForecastLevel;
    w.NotifyQuota(warning);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(delivered, 1);
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
}

} // namespace
} // namespace qn
