// SetElidedText: QFontMetrics' eliding, with the whole text kept in the hint.
#include "widgetkit/elided_text.h"

#include <QFontMetrics>
#include <QLabel>

namespace qn {

void SetElidedText(QLabel* ALabel, const QString& AText, int AWidth)
{
    const QFontMetrics metrics(ALabel->font());
    const bool fits = metrics.horizontalAdvance(AText) <= AWidth;
    ALabel->setText(fits ? AText : metrics.elidedText(AText, Qt::ElideRight, AWidth));
    ALabel->setToolTip(fits ? QString() : AText);
}

} // namespace qn
