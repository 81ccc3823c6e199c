// Interface list view: focus handling by row and the double click on a row.
#include "mainwindow/intf_tree.h"

#include <QMouseEvent>

namespace qn {

TIntfTree::TIntfTree(QWidget* AParent) : QTreeView(AParent) {}

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

void TIntfTree::mouseDoubleClickEvent(QMouseEvent* AEvent)
{
    QTreeView::mouseDoubleClickEvent(AEvent);
    if (AEvent->button() == Qt::LeftButton && OnDblClick)
        OnDblClick();
}

} // namespace qn
