// The rate alerts in the main window, offscreen: "Rate Alerts..." in a panel's pop-up menu (not the
// list's) opens the dialog for that panel's interface and writes its section whatever the
// persistence switch; bad values in the file are told once and give their defaults; the texts of
// the notifications.
#include "alerts/dlg_qn_rate_alerts.h"
#include "mainwindow/main_window_fixture.h"
#include "mainwindow/window/rate_alert_control.h"
#include "platform/ini_file.h"
#include "support/modal_dialog.h"
#include "watcher/frm_qn_watcher.h"
#include "watcher/gradient_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace qn {
namespace {

class RateAlertDialog : public test::TMainWindowFixture
{
protected:
    QAction* RateAlertsItem() { return FWindow->PopupMenu1->findChild<QAction*>(QStringLiteral("acRateAlerts")); }

    // The pop-up menu as a right click on the panel's header opens it.
    void OpenPanelMenu(Tfrm_qn_Watcher* APanel) { emit APanel->Header->customContextMenuRequested(QPoint(5, 5)); }

    std::string Value(const char* AKey) { return IniReadValue(FFile, "RateAlerts eth0", AKey).value_or("<none>"); }
};

TEST_F(RateAlertDialog, APanelsMenuOpensTheDialogForItsInterfaceAndItWritesTheSectionAlsoWithPersistenceOff)
{
    WriteSettings("[Settings]\neth0=1\n");
    Twnd_qn_Main& w = Start();
    ASSERT_FALSE(w.acPersistent->isChecked());
    ASSERT_EQ(1u, w.Watchers().size());
    QAction* item = RateAlertsItem();
    ASSERT_NE(nullptr, item);

    w.PopupMenu1->popup(QPoint(10, 10));
    EXPECT_FALSE(item->isVisible()) << "opened on the list, the menu has no panel to set alerts for";
    w.PopupMenu1->hide();

    OpenPanelMenu(w.Watchers()[0]);
    EXPECT_TRUE(item->isVisible());
    const bool opened =
        test::WhileModal<Tdlg_qn_RateAlerts>([&] { item->trigger(); },
                                             [](Tdlg_qn_RateAlerts& ADialog) {
                                                 EXPECT_EQ(QStringLiteral("Rate Alerts: eth0"), ADialog.windowTitle());
                                                 EXPECT_FALSE(ADialog.High.Switch->isChecked());
                                                 EXPECT_EQ(1.0, ADialog.High.Level->value());
                                                 EXPECT_EQ(1, ADialog.High.LevelUnit->currentIndex());
                                                 EXPECT_EQ(5, ADialog.High.Time->value());
                                                 EXPECT_EQ(1, ADialog.High.TimeUnit->currentIndex());
                                                 ADialog.High.Switch->setChecked(true);
                                                 ADialog.High.Level->setValue(2);
                                                 ADialog.Stall.Switch->setChecked(true);
                                                 ADialog.Stall.Level->setValue(40);
                                                 ADialog.Stall.Time->setValue(90);
                                                 ADialog.Stall.TimeUnit->setCurrentIndex(0);
                                                 ADialog.Buttons->button(QDialogButtonBox::Ok)->click();
                                             });
    w.PopupMenu1->hide();
    ASSERT_TRUE(opened);
    EXPECT_EQ("1", Value("High"));
    EXPECT_EQ("2097152", Value("HighLevel"));
    EXPECT_EQ("300", Value("HighSeconds"));
    EXPECT_EQ("1", Value("Stall"));
    EXPECT_EQ("40960", Value("StallLevel"));
    EXPECT_EQ("90", Value("StallSeconds"));

    // The next start reads them back into the dialog; cancelled, nothing changes.
    Twnd_qn_Main& again = Start();
    ASSERT_EQ(1u, again.Watchers().size());
    OpenPanelMenu(again.Watchers()[0]);
    EXPECT_TRUE(test::WhileModal<Tdlg_qn_RateAlerts>([&] { RateAlertsItem()->trigger(); },
                                                     [](Tdlg_qn_RateAlerts& ADialog) {
                                                         EXPECT_TRUE(ADialog.Stall.Switch->isChecked());
                                                         EXPECT_EQ(90, ADialog.Stall.Time->value());
                                                         EXPECT_EQ(0, ADialog.Stall.TimeUnit->currentIndex());
                                                         ADialog.High.Switch->setChecked(false);
                                                         ADialog.reject();
                                                     }));
    again.PopupMenu1->hide();
    EXPECT_EQ("1", Value("High"));
}

TEST_F(RateAlertDialog, BadValuesInTheFileAreToldOnceAndGiveTheirDefaults)
{
    WriteSettings("[Settings]\neth0=1\n[RateAlerts eth0]\nHigh=maybe\nHighLevel=2000\nHighSeconds=0\n");
    Twnd_qn_Main& w = Start();
    w.TimerTimer();
    w.TimerTimer();
    const QList<QMessageBox*> boxes = w.findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0]->text().contains(QStringLiteral("High=maybe, HighSeconds=0")))
        << boxes[0]->text().toStdString();
    EXPECT_TRUE(boxes[0]->text().contains(QStringLiteral("eth0")));
    EXPECT_EQ("maybe", Value("High")) << "the file keeps what the user wrote";
}

TEST(RateAlertTexts, TheNotificationsNameTheInterfaceTheDirectionTheLevelAndTheTime)
{
    TRateAlertSettings s;
    s.HighLevel = 1024 * 1024;
    s.HighSeconds = 300;
    s.StallLevel = 10 * 1024;
    s.StallSeconds = 45;
    QString summary, body;
    TRateAlertControl::AlertText("eth0", s, {TRateAlertKind::rakHigh, TRateDirection::rdUpload}, summary, body);
    EXPECT_EQ(QStringLiteral("eth0: the upload stays above 1.00 MB/s"), summary);
    EXPECT_EQ(QStringLiteral("The upload rate of eth0 has stayed above 1.00 MB/s for 5 min."), body);
    TRateAlertControl::AlertText("wlan0", s, {TRateAlertKind::rakStall, TRateDirection::rdDownload}, summary, body);
    EXPECT_EQ(QStringLiteral("wlan0: the download stalled"), summary);
    EXPECT_EQ(QStringLiteral("The download rate of wlan0 has stayed below 10.00 KB/s for 45 s after it was above."),
              body);
}

} // namespace
} // namespace qn
