// TCounterDelegate: paints the interface list's counter cells with one text measurement.
#pragma once

#include "widgetkit/figure_text.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <QStyledItemDelegate>

namespace qn {

// Where a single-line text goes in a cell: the text as shown (elided with AMode when it is wider
// than ARect) and the left end of its base line, aligned horizontally by AAlignment and centred
// vertically. AMeasure measures in AFont.
struct TCellText
{
    QString Shown;
    QPoint Origin;
};
TCellText LayOutCellText(TFigureText& AMeasure, const QFont& AFont, const QString& AText, const QRect& ARect,
                         Qt::Alignment AAlignment, Qt::TextElideMode AMode);

// The counters change every second. The style's item painting shapes the text three times (size,
// elision, drawing); this delegate lets the style draw the cell without its text, so the
// background, selection and focus look the same, and lays out and draws the text once.
class TCounterDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* APainter, const QStyleOptionViewItem& AOption, const QModelIndex& AIndex) const override;

private:
    mutable TFigureText FText;
};

} // namespace qn
