// FitFont: a font narrowed just enough for a caption to fit its width.
#pragma once

#include <QFont>
#include <QString>

namespace qn {

// AFont narrowed (by its stretch) just enough for AText to take at most AWidth pixels; unchanged
// when the text fits. The design metrics are Tahoma's, and the stand-in fonts of other systems run
// wider: a caption is narrowed rather than cut off.
QFont FitFont(const QFont& AFont, const QString& AText, int AWidth);

} // namespace qn
