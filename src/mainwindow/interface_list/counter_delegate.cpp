// Counter cells: the style's cell without text, then the text at a measured position.
#include "mainwindow/interface_list/counter_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace qn {

TCellText LayOutCellText(TFigureText& AMeasure, const QFont& AFont, const QString& AText, const QRect& ARect,
                         Qt::Alignment AAlignment, Qt::TextElideMode AMode)
{
    const QFontMetrics metrics(AFont);
    TCellText cell{AText, {}};
    int width = AMeasure.Width(AFont, AText);
    if (width > ARect.width()) {
        // The cut may take a few characters too many; an ellipsis never overflows the cell.
        cell.Shown = metrics.elidedText(AText, AMode, ARect.width());
        width = AMeasure.Width(AFont, cell.Shown);
    }
    int x = ARect.left();
    if (AAlignment & Qt::AlignRight)
        x = ARect.left() + ARect.width() - width;
    else if (AAlignment & Qt::AlignHCenter)
        x = ARect.left() + (ARect.width() - width) / 2;
    const int y = ARect.top() + (ARect.height() - metrics.height()) / 2 + metrics.ascent();
    cell.Origin = {x, y};
    return cell;
}

void TCounterDelegate::paint(QPainter* APainter, const QStyleOptionViewItem& AOption, const QModelIndex& AIndex) const
{
    QStyleOptionViewItem option(AOption);
    initStyleOption(&option, AIndex);
    const QString text = option.text;
    option.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    if (option.state & QStyle::State_HasFocus || option.features & QStyleOptionViewItem::HasCheckIndicator ||
        option.features & QStyleOptionViewItem::HasDecoration) {
        style->drawControl(QStyle::CE_ItemViewItem, &option, APainter, widget);
    } else {
        // Without text, check, picture or focus the style's item is its background alone, and the
        // style's item painting lays out all three parts before it draws that.
        APainter->save();
        APainter->setClipRect(option.rect, Qt::IntersectClip);
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, APainter, widget);
        APainter->restore();
    }
    if (text.isEmpty())
        return;

    // The margin the styles keep between a cell's edges and its text.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect area = option.rect.adjusted(margin, 0, -margin, 0);
    const Qt::Alignment alignment = QStyle::visualAlignment(option.direction, option.displayAlignment);
    const TCellText cell = LayOutCellText(FText, option.font, text, area, alignment, option.textElideMode);

    QPalette::ColorGroup group = QPalette::Normal;
    if (!(option.state & QStyle::State_Enabled))
        group = QPalette::Disabled;
    else if (!(option.state & QStyle::State_Active))
        group = QPalette::Inactive;
    const QPalette::ColorRole role =
        (option.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
    APainter->save();
    APainter->setClipRect(option.rect, Qt::IntersectClip);
    APainter->setPen(option.palette.color(group, role));
    FText.Draw(*APainter, option.font, cell.Origin, cell.Shown);
    APainter->restore();
}

} // namespace qn
