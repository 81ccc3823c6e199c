// The header bar rendered offscreen: band colours per direction and colour count, border, picture
// and caption placement.
#include "watcher/gradient_bar.h"

#include <QComboBox>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

namespace qn {
namespace {

// Expected channel of a black-to-grey ($808080) ramp: the start plus i * 128 / n, halves up.
int Ramp(int AIndex, int ABands)
{
    return static_cast<int>(std::floor(AIndex * 128.0 / ABands + 0.5));
}

QImage Render(TGradientBar& ABar, const char* AName)
{
    QImage image(ABar.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    ABar.render(&image);
    image.save(QString(QN_TEST_ARTIFACT_DIR) + "/gradient_bar_" + AName + ".png");
    return image;
}

int Grey(const QImage& AImage, int AX, int AY)
{
    const QColor c(AImage.pixel(AX, AY));
    EXPECT_TRUE(c.red() == c.green() && c.green() == c.blue()) << AX << "," << AY;
    return c.red();
}

TEST(GradientBarPaint, ADefaultBarRampsFromBlackToGreyDownwards)
{
    // The defaults show in the picture: black at the top to grey at the bottom, in fine steps.
    TGradientBar bar;
    bar.resize(120, 29);
    const QImage image = Render(bar, "top_to_bottom");
    for (int y = 0; y < 29; ++y)
        EXPECT_EQ(Grey(image, 60, y), Ramp(y, 29)) << "row " << y;
}

TEST(GradientBarPaint, EachDirectionAndColourCount)
{
    TGradientBar bar;
    bar.resize(200, 29);

    bar.SetDirection(TGradientBar::gdBottomToTop);
    QImage image = Render(bar, "bottom_to_top");
    EXPECT_EQ(Grey(image, 10, 0), 128); // exactly ColorTo at the top
    EXPECT_EQ(Grey(image, 10, 28), 128 - Ramp(28, 29));

    bar.SetDirection(TGradientBar::gdLeftToRight);
    image = Render(bar, "left_to_right");
    for (int x : {0, 1, 99, 150, 199})
        EXPECT_EQ(Grey(image, x, 14), Ramp(x, 200)) << "column " << x;

    bar.SetDirection(TGradientBar::gdRightToLeft);
    image = Render(bar, "right_to_left");
    EXPECT_EQ(Grey(image, 0, 14), 128);
    EXPECT_EQ(Grey(image, 199, 14), 128 - Ramp(199, 200));

    // Two colours: two 14.5-pixel bands, the second from round(14.5) = 14.
    bar.SetDirection(TGradientBar::gdTopToBottom);
    bar.SetColorCount(2);
    image = Render(bar, "two_colours");
    EXPECT_EQ(Grey(image, 50, 13), 0);
    EXPECT_EQ(Grey(image, 50, 14), 64);
    EXPECT_EQ(Grey(image, 50, 28), 64);

    // Zero is stored as one; both give one flat fill of ColorFrom.
    for (int count : {0, 1}) {
        bar.SetColorCount(count);
        EXPECT_EQ(bar.ColorCount(), 1);
        bar.SetColorFrom(QColor(0xC0, 0xDC, 0xC0));
        image = Render(bar, count ? "one_colour" : "zero_colours");
        for (int y : {0, 14, 28})
            EXPECT_EQ(QColor(image.pixel(100, y)), QColor(0xC0, 0xDC, 0xC0));
    }

    // Equal end colours give a flat bar whatever the count.
    bar.SetColorCount(255);
    bar.SetColorTo(QColor(0xC0, 0xDC, 0xC0));
    image = Render(bar, "flat");
    EXPECT_EQ(QColor(image.pixel(3, 0)), QColor(image.pixel(190, 28)));
}

class TSolidImages : public IBarImageList
{
public:
    int Count() const override { return 3; }
    int Width() const override { return 16; }
    int Height() const override { return 16; }
    QPixmap Pixmap(int AIndex, qreal) const override
    {
        if (AIndex < 0 || AIndex >= Count())
            return {};
        QPixmap pixmap(16, 16);
        pixmap.fill(AIndex == 1 ? Qt::red : Qt::blue);
        return pixmap;
    }
};

TEST(GradientBarPaint, BorderPictureAndCaption)
{
    TSolidImages images;
    TGradientBar bar;
    bar.resize(240, 29);
    bar.SetColorFrom(QColor(0xC0, 0xDC, 0xC0));
    bar.SetColorTo(QColor(0xC0, 0xDC, 0xC0));
    bar.SetTopIndent(7);
    QFont font = bar.font();
    font.setPixelSize(11);
    font.setBold(true);
    bar.setFont(font);
    bar.SetFontColor(Qt::black);
    bar.SetCaption("eth0 MMMMMMMM");
    bar.SetImages(&images);
    bar.SetImageIndex(1);
    bar.SetBorder(true);
    bar.SetBorderColor(Qt::black);
    // A child control sits on the bar, as the units selector does on a watcher.
    auto* combo = new QComboBox(&bar);
    combo->move(160, 3);
    combo->resize(69, 22);
    const QImage image = Render(bar, "picture_caption");

    EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(239, 28)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(1, 1)), QColor(0xC0, 0xDC, 0xC0));
    // The picture: inside the 1-pixel border, at the indents; the 16-pixel image is the taller line.
    EXPECT_EQ(QColor(image.pixel(1 + 5, 1 + 7)), QColor(Qt::red));
    EXPECT_EQ(QColor(image.pixel(1 + 5 + 15, 1 + 7 + 15)), QColor(Qt::red));
    EXPECT_NE(QColor(image.pixel(1 + 5 + 16, 1 + 7 + 8)), QColor(Qt::red));
    EXPECT_NE(QColor(image.pixel(1 + 5, 1 + 6)), QColor(Qt::red));
    // The caption starts 16 + 5 pixels right of the indent, in the font colour.
    auto darkIn = [&](int AFrom, int ATo) {
        for (int x = AFrom; x < ATo; ++x)
            for (int y = 8; y < 24; ++y)
                if (QColor(image.pixel(x, y)).lightness() < 60)
                    return true;
        return false;
    };
    EXPECT_FALSE(darkIn(1 + 5 + 16, 1 + 5 + 21));
    EXPECT_TRUE(darkIn(1 + 5 + 21, 1 + 5 + 21 + 10));

    // No picture for a negative index: the caption moves to the indent.
    bar.SetImageIndex(-1);
    const QImage plain = Render(bar, "caption_only");
    EXPECT_NE(QColor(plain.pixel(1 + 5, 1 + 7)), QColor(Qt::red));
    bool early = false;
    for (int x = 6; x < 14 && !early; ++x)
        for (int y = 8; y < 24; ++y)
            early = early || QColor(plain.pixel(x, y)).lightness() < 60;
    EXPECT_TRUE(early);
}

} // namespace
} // namespace qn
