// Figure texts: the glyph path measures and draws as the shaping path does, and every text the
// glyph path cannot take goes the ordinary way.
#include "widgetkit/figure_text.h"

#include "widgetkit/design_font.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace qn {
namespace {

const QString Figures[] = {
    QStringLiteral("0 bps"), QStringLiteral("12.29 Kbps"), QStringLiteral("1,234.56 MB"), QStringLiteral("1.50 KB"),
    QStringLiteral("999 B"), QStringLiteral("3.07 Gbps"),  QStringLiteral("1 000,25 Ko"), QStringLiteral("Élan 7/8"),
};

// The box around every pixel that differs from white.
QRect Ink(const QImage& AImage)
{
    QRect box;
    for (int y = 0; y < AImage.height(); ++y)
        for (int x = 0; x < AImage.width(); ++x)
            if (AImage.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
    return box;
}

template <class TDraw>
QImage Drawn(TDraw ADraw)
{
    QImage image(220, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    ADraw(painter);
    return image;
}

TEST(FigureText, FiguresMeasureAndInkAsTheShapedTextDoes)
{
    for (const QFont& font : {DesignFont(), DesignFont(11, true), DesignFont(13)}) {
        const QFontMetrics metrics(font);
        for (const QString& text : Figures) {
            TFigureText figures;
            const int width = figures.Width(font, text);
            EXPECT_TRUE(figures.LastWasDirect()) << text.toStdString();
            // Without kerning a text may come out a pixel wider or narrower, never more.
            EXPECT_NEAR(width, metrics.horizontalAdvance(text), 1) << text.toStdString();

            const QPointF origin(5, 5 + metrics.ascent());
            const QRect direct = Ink(Drawn([&](QPainter& APainter) { figures.Draw(APainter, font, origin, text); }));
            const QRect shaped = Ink(Drawn([&](QPainter& APainter) {
                APainter.setFont(font);
                APainter.drawText(origin, text);
            }));
            ASSERT_FALSE(direct.isEmpty()) << text.toStdString();
            EXPECT_EQ(direct.top(), shaped.top()) << text.toStdString();
            EXPECT_EQ(direct.bottom(), shaped.bottom()) << text.toStdString();
            EXPECT_NEAR(direct.left(), shaped.left(), 1) << text.toStdString();
            EXPECT_NEAR(direct.right(), shaped.right(), 2) << text.toStdString();
        }
    }
}

TEST(FigureText, OtherTextsAndFacesTakeTheOrdinaryPath)
{
    QFont narrowed = DesignFont();
    narrowed.setStretch(80);
    QFont italic = DesignFont();
    italic.setItalic(true);
    const struct
    {
        QFont Font;
        QString Text;
    } cases[] = {
        {DesignFont(), QStringLiteral("\u0661\u0662\u0663 KB")}, // Arabic-Indic figures need shaping
        {DesignFont(), QStringLiteral("\u4E2D\u6587")},
        {DesignFont(), QStringLiteral("1\tKB")},   // a control character
        {DesignFont(), QStringLiteral("e\u0301")}, // a combining accent
        {narrowed, QStringLiteral("12.29 Kbps")},
        {italic, QStringLiteral("12.29 Kbps")},
    };
    for (const auto& c : cases) {
        TFigureText figures;
        EXPECT_EQ(figures.Width(c.Font, c.Text), QFontMetrics(c.Font).horizontalAdvance(c.Text))
            << c.Text.toStdString();
        EXPECT_FALSE(figures.LastWasDirect()) << c.Text.toStdString();
        const QImage image = Drawn([&](QPainter& APainter) { figures.Draw(APainter, c.Font, QPointF(5, 20), c.Text); });
        EXPECT_FALSE(Ink(image).isEmpty()) << c.Text.toStdString();
    }
    // The same object goes back to the glyph path for the next plain text.
    TFigureText figures;
    figures.Width(italic, QStringLiteral("1 KB"));
    figures.Width(DesignFont(), QStringLiteral("1 KB"));
    EXPECT_TRUE(figures.LastWasDirect());
}

} // namespace
} // namespace qn
