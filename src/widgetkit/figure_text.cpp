// Glyph runs built from the font's character map and advances; the ordinary text path otherwise.
#include "widgetkit/figure_text.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace qn {

namespace {

// A handful of fonts per painter at most (plain and bold); more would mean a caller changing
// fonts all the time, which the cache would not help.
constexpr std::size_t MaxFaces = 4;

// Letters of the Latin scripts, figures and their punctuation lay out one glyph per character.
bool NeedsNoShaping(const QString& AText)
{
    for (QChar c : AText) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA0) || u >= 0x250)
            return false;
    }
    return true;
}

} // namespace

const QRawFont* TFigureText::RawFontFor(const QFont& AFont)
{
    for (const TFace& face : FFaces)
        if (face.Font == AFont)
            return face.Raw.isValid() ? &face.Raw : nullptr;
    if (FFaces.size() >= MaxFaces)
        FFaces.erase(FFaces.begin());
    TFace face{AFont, {}};
    // A narrowed or slanted face, or a bold one the font has no face for, is drawn by transforms
    // or emboldening that a raw font does not carry.
    const bool plainStretch = AFont.stretch() == QFont::AnyStretch || AFont.stretch() == QFont::Unstretched;
    if (plainStretch && AFont.style() == QFont::StyleNormal) {
        QRawFont raw = QRawFont::fromFont(AFont);
        if (raw.isValid() && (raw.weight() >= QFont::DemiBold) == (AFont.weight() >= QFont::DemiBold))
            face.Raw = raw;
    }
    FFaces.push_back(face);
    return FFaces.back().Raw.isValid() ? &FFaces.back().Raw : nullptr;
}

void TFigureText::Prepare(const QFont& AFont, const QString& AText)
{
    if (FPrepared && AText == FText && AFont == FFont)
        return;
    FPrepared = true;
    FFont = AFont;
    FText = AText;
    FDirect = false;
    const QRawFont* raw = NeedsNoShaping(AText) ? RawFontFor(AFont) : nullptr;
    if (raw) {
        const QList<quint32> glyphs = raw->glyphIndexesForString(AText);
        bool complete = glyphs.size() == AText.size();
        for (quint32 glyph : glyphs)
            complete = complete && glyph != 0;
        if (complete) {
            const QList<QPointF> advances = raw->advancesForGlyphIndexes(glyphs);
            QList<QPointF> positions;
            positions.reserve(glyphs.size());
            qreal x = 0;
            for (const QPointF& advance : advances) {
                positions.append(QPointF(x, 0));
                x += advance.x();
            }
            FRun = QGlyphRun();
            FRun.setRawFont(*raw);
            FRun.setGlyphIndexes(glyphs);
            FRun.setPositions(positions);
            FWidth = static_cast<int>(std::lround(x));
            FDirect = true;
            return;
        }
    }
    FWidth = QFontMetrics(AFont).horizontalAdvance(AText);
}

int TFigureText::Width(const QFont& AFont, const QString& AText)
{
    Prepare(AFont, AText);
    return FWidth;
}

void TFigureText::Draw(QPainter& APainter, const QFont& AFont, const QPointF& ABaseline, const QString& AText)
{
    Prepare(AFont, AText);
    if (FDirect) {
        APainter.drawGlyphRun(ABaseline, FRun);
        return;
    }
    APainter.setFont(AFont);
    APainter.drawText(ABaseline, AText);
}

} // namespace qn
