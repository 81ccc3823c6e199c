// Interface list view: focus handling by row, the rebuild for the filter and the double click on a row.
#include "mainwindow/interface_list/intf_tree.h"

#include "mainwindow/interface_list/counter_delegate.h"
#include "mainwindow/interface_list/intf_list_model.h"

#include <QAccessible>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVarLengthArray>

namespace qn {

namespace {

// Where a counter cell stands in its row, from the shown columns beside it, as the view tells styles
// that round a selected row's ends. The first column is the tree's.
QStyleOptionViewItem::ViewItemPosition CellPosition(const QHeaderView& AColumns, int AColumn)
{
    const auto shownBeside = [&AColumns](int AVisual, int AStep) {
        for (int v = AVisual + AStep; v >= 0 && v < AColumns.count(); v += AStep)
            if (!AColumns.isSectionHidden(AColumns.logicalIndex(v)))
                return AColumns.logicalIndex(v);
        return -1;
    };
    const int visual = AColumns.visualIndex(AColumn);
    const int before = shownBeside(visual, -1), after = shownBeside(visual, 1);
    if (before == -1)
        return after == 0 ? QStyleOptionViewItem::OnlyOne : QStyleOptionViewItem::Beginning;
    return after <= 0 ? QStyleOptionViewItem::End : QStyleOptionViewItem::Middle;
}

} // namespace

TIntfTree::TIntfTree(QWidget* AParent) : QTreeView(AParent) {}

void TIntfTree::ApplyDesign(int AHeight, QSize AIconSize)
{
    setFixedHeight(AHeight);
    setFrameShape(QFrame::NoFrame);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(AIconSize);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void TIntfTree::ApplyColumnDesign()
{
    QHeaderView* columns = header();
    columns->setSectionsMovable(true);
    columns->setStretchLastSection(false);
    columns->resizeSection(TIntfListModel::ColInterface, 275);
    columns->resizeSection(TIntfListModel::ColDownload, 100);
    columns->resizeSection(TIntfListModel::ColUpload, 100);
    columns->setSectionResizeMode(TIntfListModel::ColInterface, QHeaderView::Stretch);
    columns->setSectionResizeMode(TIntfListModel::ColDownload, QHeaderView::Interactive);
    columns->setSectionResizeMode(TIntfListModel::ColUpload, QHeaderView::Interactive);
    auto* counters = new TCounterDelegate(this);
    setItemDelegateForColumn(TIntfListModel::ColDownload, counters);
    setItemDelegateForColumn(TIntfListModel::ColUpload, counters);
}

int TIntfTree::FocusedRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TIntfTree::FocusRow(int ARow)
{
    if (!model() || ARow < 0 || ARow >= model()->rowCount())
        return;
    const QModelIndex index = model()->index(ARow, 0);
    setCurrentIndex(index); // also selects the whole row
    scrollTo(index, QAbstractItemView::EnsureVisible);
}

void TIntfTree::Rebuild()
{
    auto* list = qobject_cast<TIntfListModel*>(model());
    if (!list)
        return;
    const int focused = FocusedRow();
    if (focused >= 0 && focused < list->rowCount())
        FFocusedIdx = list->IntfIdxAt(focused);
    else if (focused >= 0)
        FFocusedIdx = 0;
    list->Rebuild(OnlyOperational());
    if (FFocusedIdx == 0)
        return;
    const int row = list->FindRow(FFocusedIdx);
    if (row >= 0) {
        FocusRow(row);
        return;
    }
    // The focused interface left the list. The removal moved the focus to a neighbour, on which
    // Return would show another interface's properties: no row has the focus until the user
    // chooses one, or the interface comes back.
    if (selectionModel()) {
        selectionModel()->clearCurrentIndex();
        selectionModel()->clearSelection();
    }
}

void TIntfTree::mouseDoubleClickEvent(QMouseEvent* AEvent)
{
    QTreeView::mouseDoubleClickEvent(AEvent);
    if (AEvent->button() == Qt::LeftButton && OnDblClick)
        OnDblClick();
}

void TIntfTree::keyPressEvent(QKeyEvent* AEvent)
{
    if ((AEvent->key() == Qt::Key_Return || AEvent->key() == Qt::Key_Enter) && currentIndex().isValid() && OnDblClick) {
        OnDblClick();
        return;
    }
    QTreeView::keyPressEvent(AEvent);
}

void TIntfTree::dataChanged(const QModelIndex& ATopLeft, const QModelIndex& ABottomRight, const QList<int>& ARoles)
{
    // The counters change every second. A new text in a column right of the first cannot change
    // the uniform row height, yet the tree view measures the row again at every change (shaping
    // every text in it) and may repaint the whole list; such a change repaints only its cells.
    const bool textOnly = ARoles.size() == 1 && ARoles.front() == Qt::DisplayRole;
    if (!textOnly || !uniformRowHeights() || ATopLeft.column() == 0 || ATopLeft.parent().isValid() ||
        QAccessible::isActive() || !model()) {
        QTreeView::dataChanged(ATopLeft, ABottomRight, ARoles);
        return;
    }
    QRect dirty;
    for (int r = ATopLeft.row(); r <= ABottomRight.row(); ++r)
        for (int c = ATopLeft.column(); c <= ABottomRight.column(); ++c)
            dirty |= visualRect(model()->index(r, c));
    if (!dirty.isEmpty())
        viewport()->update(dirty);
}

void TIntfTree::paintEvent(QPaintEvent* AEvent)
{
    if (!PaintCounterCells(AEvent->region()))
        QTreeView::paintEvent(AEvent);
}

bool TIntfTree::PaintCounterCells(const QRegion& ARegion)
{
    // The counters change every second, and the view's paint asks the display server where the
    // pointer is each time (for a branch under it; this list has none). A paint of counter cells
    // alone draws them here as the view draws a row's cells. What only the view knows is left to
    // it: the pointer over the list, the focus frame across the current row, alternate rows,
    // editing, dragging.
    const QAbstractItemModel* list = model();
    if (!list || list->columnCount() != TIntfListModel::ColumnCount || alternatingRowColors() ||
        viewport()->underMouse() || state() != NoState || !selectionModel())
        return false;
    const QHeaderView& columns = *header();
    const QRect bounds = ARegion.boundingRect();
    QVarLengthArray<QModelIndex, 8> cells;
    QRegion covered;
    for (int column : {int(TIntfListModel::ColDownload), int(TIntfListModel::ColUpload)}) {
        if (columns.isSectionHidden(column))
            continue;
        const int x = columnViewportPosition(column);
        const QModelIndex first = indexAt({x, bounds.top()});
        if (!first.isValid())
            continue;
        const QModelIndex last = indexAt({x, bounds.bottom()});
        const int lastRow = last.isValid() ? last.row() : list->rowCount() - 1;
        for (int row = first.row(); row <= lastRow; ++row) {
            const QModelIndex index = list->index(row, column);
            const QRect cell = visualRect(index);
            if (!ARegion.intersects(cell))
                continue;
            covered += cell;
            cells.append(index);
        }
    }
    if (cells.isEmpty() || !ARegion.subtracted(covered).isEmpty())
        return false;
    const int focused = hasFocus() && currentIndex().isValid() ? currentIndex().row() : -1;
    for (const QModelIndex& index : cells)
        if (index.row() == focused)
            return false;

    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.showDecorationSelected = true; // whole rows are selected
    const QStyle::State state = option.state;
    for (const QModelIndex& index : cells) {
        option.rect = visualRect(index);
        option.viewItemPosition = CellPosition(columns, index.column());
        option.state = state;
        if (selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (option.state & QStyle::State_Enabled) {
            QPalette::ColorGroup group = QPalette::Inactive;
            if (!(list->flags(index) & Qt::ItemIsEnabled)) {
                option.state &= ~QStyle::State_Enabled;
                group = QPalette::Disabled;
            } else if (option.state & QStyle::State_Active) {
                group = QPalette::Active;
            }
            option.palette.setCurrentColorGroup(group);
        }
        // The row's background under the cell without the selection, which the cell draws.
        const QStyle::State selected = option.state & QStyle::State_Selected;
        option.state &= ~QStyle::State_Selected;
        style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &option, &painter, this);
        option.state |= selected;
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
    ++FCounterCellPaints;
    return true;
}

} // namespace qn
