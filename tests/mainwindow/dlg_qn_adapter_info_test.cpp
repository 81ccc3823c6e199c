// The interface properties dialog: the texts it derives from a record, its picture, closing keys.
#include "mainwindow/window/dlg_qn_adapter_info.h"

#include "mainwindow/interface_list/adapter_image.h"
#include "support/modal_dialog.h"
#include "texts/format_settings.h"
#include "widgetkit/svg_image_list.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

class AdapterInfoDialog : public testing::Test
{
protected:
    void SetUp() override { qn::SetFormatSettings(qn::TFormatSettings{}); }
    void TearDown() override { qn::SetFormatSettings(qn::TFormatSettings{}); }

    qn::TSvgImageList FImages{32, qn::InterfaceImageResources()};
};

qn::TAdapter Wireless()
{
    qn::TAdapter a;
    a.Name = "wlp2s0";
    a.Alias = "Office Wi-Fi";
    a.MACAddress = "00:1A:2B:3C:4D:5E";
    a.MaxSpeed = 54'000'000;
    a.MTU = 1500;
    a.Typ = qn::TAdapterType::atIEEE80211;
    a.OperStatus = qn::TAdapterOperationalStatus::aosOperational;
    a._Typ = 71;
    a._Status = 5;
    a.IPAddress.Add("192.168.1.5=255.255.255.0");
    a.IPAddress.Add("10.0.0.7=255.0.0.0");
    return a;
}

TEST_F(AdapterInfoDialog, ShowsTheRecordsTextsAndPicture)
{
    qn::Tdlg_qn_AdapterInfo dialog(nullptr, FImages);
    dialog.Fill(Wireless());
    EXPECT_EQ(dialog.windowTitle(), "Properties");
    EXPECT_EQ(dialog.size(), QSize(362, 364));
    EXPECT_EQ(dialog.eName->text(), "wlp2s0");
    EXPECT_EQ(dialog.eAlias->text(), "Office Wi-Fi");
    EXPECT_EQ(dialog.eMS->text(), "54 Mbps");
    EXPECT_EQ(dialog.eMTU->text(), "1,500 B");
    EXPECT_EQ(dialog.eMAC->text(), "00:1A:2B:3C:4D:5E");
    // Only the first address line is shown.
    EXPECT_EQ(dialog.eIP->text(), "192.168.1.5");
    EXPECT_EQ(dialog.eMask->text(), "255.255.255.0");
    EXPECT_EQ(dialog.eType->text(), "IEEE 802.11 wireless");
    EXPECT_EQ(dialog.eStatus->text(), "Operational");
    EXPECT_EQ(dialog.ImageIndex(), qn::IntfImage::Wireless);
    EXPECT_FALSE(dialog.Image1->pixmap().isNull());

    QImage image(dialog.size(), QImage::Format_RGB32);
    dialog.render(&image);
    image.save(QStringLiteral(QN_TEST_ARTIFACT_DIR "/adapter_info_dialog.png"));
}

TEST_F(AdapterInfoDialog, EveryCaptionEndsBeforeItsValue)
{
    qn::Tdlg_qn_AdapterInfo dialog(nullptr, FImages);
    dialog.Fill(Wireless());
    int captions = 0;
    for (const QLabel* value : {dialog.eAlias, dialog.eMS, dialog.eMTU, dialog.eMAC, dialog.eIP, dialog.eMask,
                                dialog.eType, dialog.eStatus}) {
        for (const QLabel* caption : value->parentWidget()->findChildren<QLabel*>()) {
            if (caption == value || caption->y() != value->y() || caption->x() >= value->x())
                continue;
            ++captions;
            // The text as drawn, with the label's own font, keeps clear of the value column.
            const int right = caption->x() + QFontMetrics(caption->font()).horizontalAdvance(caption->text());
            EXPECT_LT(right, value->x()) << caption->text().toStdString();
            EXPECT_LE(caption->geometry().right(), value->x()) << caption->text().toStdString();
        }
    }
    EXPECT_EQ(captions, 8);
}

TEST_F(AdapterInfoDialog, SpeedIsTruncatedToMegabitsAndMtuUsesTheUsersGrouping)
{
    const struct
    {
        std::uint64_t Speed;
        const char* Text;
    } speeds[] = {{0, "0 Mbps"},
                  {999'999, "0 Mbps"},
                  {100'000'000, "100 Mbps"},
                  {1'000'000'000, "1000 Mbps"},
                  {40'000'000'000ull, "40000 Mbps"}};
    qn::TAdapter a = Wireless();
    for (const auto& row : speeds) {
        qn::Tdlg_qn_AdapterInfo dialog(nullptr, FImages);
        a.MaxSpeed = row.Speed;
        dialog.Fill(a);
        EXPECT_EQ(dialog.eMS->text(), row.Text) << row.Speed;
    }

    qn::TFormatSettings german;
    german.DecimalSeparator = ",";
    german.ThousandSeparator = ".";
    qn::SetFormatSettings(german);
    qn::Tdlg_qn_AdapterInfo dialog(nullptr, FImages);
    a.MTU = 65536;
    dialog.Fill(a);
    EXPECT_EQ(dialog.eMTU->text(), "65.536 B");
    a.MTU = 576;
    dialog.Fill(a);
    EXPECT_EQ(dialog.eMTU->text(), "576 B");
}

TEST_F(AdapterInfoDialog, UnfilledDisconnectedAndOddRecordsAreShownSafely)
{
    qn::Tdlg_qn_AdapterInfo dialog(nullptr, FImages);
    EXPECT_EQ(dialog.eName->text(), "Failed to get data. Device is not available.");
    EXPECT_EQ(dialog.ImageIndex(), qn::IntfImage::NotConnected);

    qn::TAdapter down = Wireless();
    down._Status = 2; // the interface row says "disconnected"
    down.OperStatus = qn::TAdapterOperationalStatus::aosDisconnected;
    dialog.Fill(down);
    EXPECT_EQ(dialog.ImageIndex(), qn::IntfImage::NotConnected);
    EXPECT_EQ(dialog.eStatus->text(), "Disconnected");

    // An empty name shows an empty edit, not the "not available" message; a record without
    // address lines or with numbers outside the tables shows empty labels.
    qn::TAdapter odd;
    odd.Typ = static_cast<qn::TAdapterType>(200);
    odd.OperStatus = static_cast<qn::TAdapterOperationalStatus>(99);
    qn::Tdlg_qn_AdapterInfo fresh(nullptr, FImages);
    fresh.Fill(odd);
    EXPECT_EQ(fresh.eName->text(), "");
    EXPECT_EQ(fresh.eType->text(), "");
    EXPECT_EQ(fresh.eStatus->text(), "");
    EXPECT_EQ(fresh.eIP->text(), "");
    EXPECT_EQ(fresh.eMTU->text(), "0 B");
}

TEST_F(AdapterInfoDialog, EnterAndEscapeCloseIt)
{
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        qn::Tdlg_qn_AdapterInfo dialog(nullptr, FImages);
        dialog.Fill(Wireless());
        const int result = qn::test::ExecPressing(dialog, key);
        EXPECT_NE(result, -1) << "key " << key << " did not close the dialog";
    }
}

} // namespace
