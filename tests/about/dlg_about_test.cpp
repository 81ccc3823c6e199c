// The About dialog: what it shows from the version record, its links, and how it closes.
#include "about/dlg_about.h"

#include "about/version_info.h"
#include "support/modal_dialog.h"

#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

qn::TVersionInfo Record()
{
    qn::TVersionInfo info;
    info.ProductName = "Quarno";
    info.Version = "2.1.0.7 BETA 7";
    info.Copyright = "Copyright \xC2\xA9 2026 Veldo";
    info.Comments = "";
    info.Description = "Network traffic meter";
    return info;
}

TEST(AboutDialog, ShowsTheRecordWithDescriptionStandingInForEmptyComments)
{
    qn::TdlgAbout dialog(nullptr);
    dialog.Fill(Record());
    EXPECT_EQ(dialog.lProductName->text(), "Quarno");
    EXPECT_EQ(dialog.lVersion->text(), "Version 2.1.0.7 BETA 7");
    EXPECT_EQ(dialog.lCopyright->text(), QString::fromUtf8("Copyright \xC2\xA9 2026 Veldo"));
    EXPECT_EQ(dialog.lDescription->text(), "Network traffic meter");
    EXPECT_EQ(dialog.windowTitle(), "About....");
    EXPECT_EQ(dialog.size(), QSize(462, 384));
    EXPECT_FALSE(dialog.mTerms->toPlainText().isEmpty());
    EXPECT_TRUE(dialog.mTerms->isReadOnly());
    EXPECT_EQ(dialog.mTerms->textCursor().position(), 0);
    EXPECT_FALSE(dialog.mTerms->textCursor().hasSelection());

    qn::TVersionInfo withComments = Record();
    withComments.Comments = "Meters your interfaces";
    dialog.Fill(withComments);
    EXPECT_EQ(dialog.lDescription->text(), "Meters your interfaces");

    // No version resource: empty labels and the bare prefix, nothing reported.
    dialog.Fill(qn::TVersionInfo{});
    EXPECT_EQ(dialog.lProductName->text(), "");
    EXPECT_EQ(dialog.lVersion->text(), "Version ");

    QImage image(dialog.size(), QImage::Format_RGB32);
    dialog.Fill(Record());
    dialog.render(&image);
    image.save(QStringLiteral(QN_TEST_ARTIFACT_DIR "/about_dialog.png"));
    // The one-pixel black frame, the grey top panel and the white middle panel.
    EXPECT_EQ(image.pixelColor(0, 200), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(461, 5), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(4, 100), QColor(0xA0, 0xA0, 0xA4));
    EXPECT_EQ(image.pixelColor(4, 200), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(4, 370), QColor(0xA0, 0xA0, 0xA4));
    // The logo is drawn at the top right (its dark plate).
    EXPECT_EQ(image.pixelColor(461 - 8 - 51, 8 + 48), QColor(0x2b, 0x34, 0x40));
}

TEST(AboutDialog, ShowsTheVersionThisBuildCarries)
{
    // The project version has three parts; the fourth, the build number, is 0.
    std::string expected = std::string("Version " QN_EXPECTED_VERSION) + ".0";
    if (QN_EXPECTED_PRERELEASE)
        expected += " BETA";
    qn::TdlgAbout dialog(nullptr);
    dialog.Fill(qn::ApplicationVersionInfo());
    EXPECT_EQ(dialog.lVersion->text().toStdString(), expected);
    EXPECT_EQ(dialog.lProductName->text(), "Quarno");
    EXPECT_TRUE(dialog.lCopyright->text().contains("Veldo"));
}

TEST(AboutDialog, LinksShowTheAddressWithoutSchemeAndOpenTheEndpoint)
{
    qn::TdlgAbout dialog(nullptr);
    dialog.Fill(Record());
    std::vector<QUrl> opened;
    dialog.SetLinkOpener([&](const QUrl& AUrl) { opened.push_back(AUrl); });

    const QString mail = QStringLiteral(QN_MAIL_URL);
    const QString home = QStringLiteral(QN_HOMEPAGE_URL);
    ASSERT_TRUE(mail.startsWith("mailto:"));
    EXPECT_EQ(dialog.lEmail->text(), mail.mid(7));
    EXPECT_FALSE(dialog.lHomepage->text().contains("://"));
    EXPECT_TRUE(home.endsWith(dialog.lHomepage->text()));

    dialog.show();
    // Other buttons open nothing.
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(dialog.lEmail, button);
        QTest::mouseClick(dialog.lHomepage, button);
    }
    EXPECT_TRUE(opened.empty());
    QTest::mouseClick(dialog.lEmail, Qt::LeftButton);
    QTest::mouseClick(dialog.lHomepage, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], QUrl(mail));
    EXPECT_EQ(opened[1], QUrl(home));
}

TEST(AboutDialog, EnterAndEscapeCloseIt)
{
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        qn::TdlgAbout dialog(nullptr);
        dialog.Fill(Record());
        const int result = qn::test::ExecPressing(dialog, key);
        EXPECT_NE(result, -1) << "key " << key << " did not close the dialog";
        EXPECT_EQ(result, key == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected);
    }
}

} // namespace
