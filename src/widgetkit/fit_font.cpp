// FitFont: narrows a font by its stretch, down to a readable least.
#include "widgetkit/fit_font.h"

#include <QFontMetrics>

#include <algorithm>

namespace qn {

namespace {

// Narrower than this a caption turns unreadable; it is cut off instead.
constexpr int MinStretch = 60;

} // namespace

QFont FitFont(const QFont& AFont, const QString& AText, int AWidth)
{
    const int needed = QFontMetrics(AFont).horizontalAdvance(AText);
    if (needed <= AWidth || needed <= 0 || AWidth <= 0)
        return AFont;
    QFont narrow(AFont);
    const int stretch = AFont.stretch() == QFont::AnyStretch ? 100 : AFont.stretch();
    narrow.setStretch(std::max(MinStretch, stretch * AWidth / needed));
    return narrow;
}

} // namespace qn
