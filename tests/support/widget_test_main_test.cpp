// The widget tests' main pins the style and the font, so that sizes and pictures do not follow the
// machine's theme or fonts.
#include <QApplication>
#include <QFontInfo>
#include <QStyle>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(WidgetTestMain, EveryWidgetTestRunsWithFusionAndTwelvePixelDejaVuSans)
{
    EXPECT_EQ(QApplication::style()->name().toStdString(), "fusion");
    const QFontInfo font(QApplication::font());
    EXPECT_EQ(font.family().toStdString(), "DejaVu Sans") << "is fonts-dejavu-core installed?";
    EXPECT_EQ(font.pixelSize(), 12);
    EXPECT_EQ(QFontInfo(QWidget().font()).family().toStdString(), font.family().toStdString())
        << "new widgets take the application font";
}

} // namespace
