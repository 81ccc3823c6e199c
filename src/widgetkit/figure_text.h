// TFigureText: measures and draws short single-line texts of figures and units without shaping.
#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QString>

#include <vector>

class QPainter;

namespace qn {

// Read-outs and counters redraw a few short texts every second ("12.29 Kbps", "1,500 B"), and
// shaping each of them costs more than painting it. Texts made only of Latin letters, figures and
// punctuation need no shaping: their glyphs and advances come straight from the font's tables
// (without kerning, as the classic text calls drew them). Any other text, a glyph the font lacks,
// a narrowed or synthesised face, takes the ordinary text path, so what is drawn is always right.
//
// Width and Draw of the same font and text lay the text out once.
class TFigureText
{
public:
    // The advance width of AText in AFont, in pixels.
    int Width(const QFont& AFont, const QString& AText);
    // Draws AText in AFont with the painter's pen, ABaseline being the left end of its base line.
    void Draw(QPainter& APainter, const QFont& AFont, const QPointF& ABaseline, const QString& AText);

    // True when the last text measured or drawn took the glyph path.
    bool LastWasDirect() const { return FDirect; }

private:
    void Prepare(const QFont& AFont, const QString& AText);
    const QRawFont* RawFontFor(const QFont& AFont);

    struct TFace
    {
        QFont Font;
        QRawFont Raw; // invalid: this font takes the ordinary path
    };
    std::vector<TFace> FFaces; // the few fonts one painter uses

    bool FPrepared = false;
    QFont FFont;
    QString FText;
    bool FDirect = false;
    int FWidth = 0;
    QGlyphRun FRun;
};

} // namespace qn
