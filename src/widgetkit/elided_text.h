// SetElidedText: a label's text cut to its width with an ellipsis, the whole text in its hint.
#pragma once

#include <QString>

class QLabel;

namespace qn {

// Shows AText in ALabel, elided at the right to AWidth pixels of the label's font when it is wider;
// then the hint holds the whole text, otherwise the hint is cleared. A text is never clipped silently.
void SetElidedText(QLabel* ALabel, const QString& AText, int AWidth);

} // namespace qn
