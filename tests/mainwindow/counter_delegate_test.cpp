// Counter cells: where the text goes and when it is elided.
#include "mainwindow/interface_list/counter_delegate.h"

#include "widgetkit/design_font.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStandardItemModel>

#include <gtest/gtest.h>

namespace qn {
namespace {

TEST(CounterCellText, SitsAtTheAlignedEdgeAndIsElidedOnlyWhenTooWide)
{
    const QFont font = DesignFont();
    const QFontMetrics metrics(font);
    TFigureText measure;
    const QString text = QStringLiteral("1,234.56 MB");
    const int width = measure.Width(font, text);
    const QRect cell(10, 20, width + 40, 18);
    const int baseline = 20 + (18 - metrics.height()) / 2 + metrics.ascent();

    const TCellText right =
        LayOutCellText(measure, font, text, cell, Qt::AlignRight | Qt::AlignVCenter, Qt::ElideRight);
    EXPECT_EQ(right.Shown, text);
    EXPECT_EQ(right.Origin, QPoint(10 + width + 40 - width, baseline));
    EXPECT_EQ(LayOutCellText(measure, font, text, cell, Qt::AlignLeft, Qt::ElideRight).Origin.x(), 10);
    EXPECT_EQ(LayOutCellText(measure, font, text, cell, Qt::AlignHCenter, Qt::ElideRight).Origin.x(), 10 + 20);

    // Exactly wide enough: still whole.
    EXPECT_EQ(LayOutCellText(measure, font, text, QRect(0, 0, width, 18), Qt::AlignRight, Qt::ElideRight).Shown, text);
    // Narrower: cut with an ellipsis, the rest still right-aligned inside the cell.
    const QRect narrow(0, 0, width / 2, 18);
    const TCellText cut = LayOutCellText(measure, font, text, narrow, Qt::AlignRight, Qt::ElideRight);
    EXPECT_TRUE(cut.Shown.endsWith(QChar(0x2026))) << cut.Shown.toStdString();
    EXPECT_LE(measure.Width(font, cut.Shown), narrow.width());
    EXPECT_GE(cut.Origin.x(), narrow.left());
    EXPECT_EQ(cut.Origin.x() + measure.Width(font, cut.Shown), narrow.left() + narrow.width());
}

// A cell without text looks as the style's own item painting draws it, in every state it can be in.
TEST(CounterDelegate, ACellsBackgroundSelectionAndFocusAreTheStyles)
{
    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), QString(), Qt::DisplayRole);
    model.setData(model.index(0, 0), Qt::AlignRight, Qt::TextAlignmentRole);
    const QModelIndex index = model.index(0, 0);
    TCounterDelegate counters;
    QStyledItemDelegate styled;
    const auto paint = [&](const QAbstractItemDelegate& ADelegate, QStyle::State AState) {
        QImage image(90, 20, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        QStyleOptionViewItem option;
        option.rect = QRect(5, 2, 80, 16);
        option.state = AState;
        option.palette = QApplication::palette();
        option.font = DesignFont();
        option.showDecorationSelected = true;
        ADelegate.paint(&painter, option, index);
        return image;
    };
    const QStyle::State enabled = QStyle::State_Enabled;
    for (QStyle::State state : {enabled | QStyle::State_Active, enabled | QStyle::State_Active | QStyle::State_Selected,
                                enabled | QStyle::State_Selected,
                                enabled | QStyle::State_Active | QStyle::State_Selected | QStyle::State_HasFocus,
                                QStyle::State(QStyle::State_Selected)}) {
        EXPECT_EQ(paint(counters, state), paint(styled, state)) << "state " << state.toInt();
    }
    model.setData(index, QBrush(Qt::yellow), Qt::BackgroundRole);
    EXPECT_EQ(paint(counters, enabled | QStyle::State_Active), paint(styled, enabled | QStyle::State_Active));
    // The selection must show at all, or the comparison above says nothing.
    EXPECT_NE(paint(styled, enabled | QStyle::State_Active | QStyle::State_Selected),
              paint(styled, enabled | QStyle::State_Active));
}

} // namespace
} // namespace qn
