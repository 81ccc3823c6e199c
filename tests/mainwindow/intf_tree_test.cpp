// The interface list's view: counter cells painted on their own look as the view paints them.
#include "mainwindow/interface_list/intf_tree.h"

#include "mainwindow/interface_list/intf_list_model.h"

#include <QHeaderView>
#include <QImage>
#include <QItemSelectionModel>
#include <QStandardItemModel>

#include <gtest/gtest.h>

namespace qn {
namespace {

constexpr int Down = TIntfListModel::ColDownload;
constexpr int Up = TIntfListModel::ColUpload;

struct TListOnScreen
{
    QStandardItemModel Model{4, TIntfListModel::ColumnCount}; // rows and room below them
    TIntfTree Tree;
    int Round = 0; // makes each new counter text differ from the last

    TListOnScreen()
    {
        for (int row = 0; row < Model.rowCount(); ++row) {
            Model.setData(Model.index(row, 0), QStringLiteral("eth%1").arg(row));
            Model.setData(Model.index(row, 0), Qt::Checked, Qt::CheckStateRole);
            Model.item(row, 0)->setCheckable(true);
            for (int column : {Down, Up}) {
                Model.setData(Model.index(row, column), QStringLiteral("%1.00 MB").arg(row * 10 + column));
                Model.setData(Model.index(row, column), int(Qt::AlignRight | Qt::AlignVCenter), Qt::TextAlignmentRole);
            }
        }
        Tree.setModel(&Model);
        Tree.ApplyDesign(150, QSize(16, 16));
        Tree.ApplyColumnDesign();
        Tree.resize(480, 150);
        Tree.show();
    }

    QImage Whole()
    {
        QImage image(Tree.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::magenta);
        Tree.viewport()->render(&image);
        return image;
    }

    QRect Cell(int ARow, int AColumn) const { return Tree.visualRect(Model.index(ARow, AColumn)); }

    // What a paint of AArea alone makes of the picture ABefore, the counters changed meanwhile.
    QImage Repainted(QImage ABefore, const QRegion& AArea)
    {
        Tree.viewport()->render(&ABefore, AArea.boundingRect().topLeft(), AArea);
        return ABefore;
    }

    // Changes the counters of the cells in AArea and checks that painting AArea alone gives the
    // picture a whole paint gives; AOwn: whether the list painted them itself.
    void Check(const char* AWhat, const QList<QPair<int, int>>& ACells, bool AOwn, const QRegion& AExtra = {})
    {
        const QImage before = Whole();
        QRegion area = AExtra;
        for (const auto& [row, column] : ACells) {
            Model.setData(Model.index(row, column), QStringLiteral("%1.%2%3 GB").arg(++Round).arg(row).arg(column));
            area += Cell(row, column);
        }
        const int own = Tree.CounterCellPaints();
        const QImage partly = Repainted(before, area);
        EXPECT_EQ(Tree.CounterCellPaints() - own, AOwn ? 1 : 0) << AWhat;
        const QImage whole = Whole();
        EXPECT_NE(before, whole) << AWhat << ": the new counters must show";
        EXPECT_EQ(partly, whole) << AWhat;
    }
};

TEST(IntfTreeCounterCells, PaintedAloneTheyLookAsInTheViewsOwnPaint)
{
    TListOnScreen list;
    list.Check("two cells", {{1, Down}, {3, Up}}, true);
    list.Check("a whole row's counters", {{2, Down}, {2, Up}}, true);

    list.Tree.selectionModel()->select(list.Model.index(2, 0),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list.Check("the selected row and one below", {{2, Down}, {2, Up}, {3, Up}}, true);

    // The user moved the upload column to the front; then hid the download column.
    list.Tree.header()->moveSection(list.Tree.header()->visualIndex(Up), 0);
    list.Check("the columns moved", {{2, Up}, {1, Down}}, true);
    list.Tree.header()->hideSection(Down);
    list.Check("a column hidden", {{2, Up}, {0, Up}}, true);
    list.Tree.header()->showSection(Down);

    // Beyond the counter cells the view paints as always.
    list.Check("a cell and part of a name", {{1, Down}}, false, list.Cell(1, 0).adjusted(0, 0, -40, 0));
    list.Check("below the last row", {{3, Up}}, false, QRect(0, list.Cell(3, 0).bottom() + 1, 480, 8));
}

} // namespace
} // namespace qn
