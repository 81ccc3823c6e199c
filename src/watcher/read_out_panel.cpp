// TReadOutPanel: background and centred caption.
#include "watcher/read_out_panel.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

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

TReadOutPanel::TReadOutPanel(QWidget* AParent) : QWidget(AParent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TReadOutPanel::SetCaption(const QString& ACaption)
{
    if (ACaption == FCaption)
        return;
    FCaption = ACaption;
    update();
}

void TReadOutPanel::SetColor(const QColor& AColor)
{
    if (AColor == FColor)
        return;
    FColor = AColor;
    update();
}

void TReadOutPanel::SetFontColor(const QColor& AColor)
{
    if (AColor == FFontColor)
        return;
    FFontColor = AColor;
    update();
}

void TReadOutPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), FColor);
    if (FCaption.isEmpty())
        return;
    painter.setPen(FFontColor);
    // One pixel of air on each side, as a panel's caption has. The caption is laid out once, for
    // measuring and drawing.
    QFont fitted = font();
    int textWidth = FText.Width(fitted, FCaption);
    if (textWidth > width() - 2) {
        fitted = FitFont(fitted, FCaption, width() - 2);
        textWidth = FText.Width(fitted, FCaption);
    }
    const QFontMetrics metrics(fitted);
    const int x = (width() - textWidth) / 2;
    const int y = (height() - metrics.height()) / 2 + metrics.ascent();
    FText.Draw(painter, fitted, QPointF(x, y), FCaption);
}

void TReadOutPanel::mouseDoubleClickEvent(QMouseEvent* AEvent)
{
    if (AEvent->button() == Qt::LeftButton && OnDblClick)
        OnDblClick();
    QWidget::mouseDoubleClickEvent(AEvent);
}

} // namespace qn
