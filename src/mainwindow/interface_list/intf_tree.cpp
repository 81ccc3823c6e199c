// Interface list view: focus handling by row, the rebuild for the filter and the double click on a row.
#include "mainwindow/interface_list/intf_tree.h"

#include "mainwindow/interface_list/counter_delegate.h"
#include "mainwindow/interface_list/intf_list_model.h"

#include <QAccessible>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace qn {

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

} // namespace qn
