// Interface list model: texts from the snapshot and the row counters, check boxes, the bold best row.
#include "mainwindow/interface_list/intf_list_model.h"

#include "netdata/network_configuration.h"
#include "texts/quantity_format.h"
#include "widgetkit/svg_image_list.h"

#include <utility>

namespace qn {

namespace {

// What a counter cell shows: the text SetCounters made, or the counter formatted when it made none yet.
std::string ShownText(const std::string& AText, std::uint64_t AOctets)
{
    return AText.empty() ? FormatBytes(static_cast<double>(AOctets)) : AText;
}

} // namespace

TIntfListModel::TIntfListModel(const TNetworkConfiguration* ASnapshot, const TSvgImageList* AImages, QObject* AParent)
    : QAbstractTableModel(AParent), FSnapshot(ASnapshot), FImages(AImages)
{
}

int TIntfListModel::rowCount(const QModelIndex& AParent) const
{
    return AParent.isValid() ? 0 : static_cast<int>(FRows.size());
}

int TIntfListModel::columnCount(const QModelIndex& AParent) const
{
    return AParent.isValid() ? 0 : ColumnCount;
}

QVariant TIntfListModel::data(const QModelIndex& AIndex, int ARole) const
{
    if (!AIndex.isValid() || AIndex.row() >= rowCount())
        return {};
    const TIntfNodeData& row = FRows[static_cast<std::size_t>(AIndex.row())];
    // A row outlives nothing: it is rebuilt with every snapshot refresh, but guard the index anyway.
    const bool present = row.Index < FSnapshot->AdapterCount();
    switch (ARole) {
    case Qt::DisplayRole:
        switch (AIndex.column()) {
        case ColInterface:
            return present ? QString::fromStdString(FSnapshot->Adapters(row.Index).Name) : QString();
        // The texts SetCounters made (the number format is set once, at start).
        case ColDownload:
            return QString::fromStdString(ShownText(row.InShown, row.InOctets));
        case ColUpload:
            return QString::fromStdString(ShownText(row.OutShown, row.OutOctets));
        }
        break;
    case Qt::DecorationRole:
        if (AIndex.column() == ColInterface && present && FImages)
            return FImages->Icon(FSnapshot->ImageIndex(row.Index));
        break;
    case Qt::CheckStateRole:
        if (AIndex.column() == ColInterface)
            return row.Checked ? Qt::Checked : Qt::Unchecked;
        break;
    case Qt::FontRole:
        if (row.IntfIdx == FSnapshot->BestInterfaceIdx()) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        break;
    case Qt::TextAlignmentRole:
        return AIndex.column() == ColInterface ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                               : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

bool TIntfListModel::setData(const QModelIndex& AIndex, const QVariant& AValue, int ARole)
{
    if (!AIndex.isValid() || AIndex.column() != ColInterface || ARole != Qt::CheckStateRole)
        return false;
    const bool checked = AValue.toInt() == Qt::Checked;
    TIntfNodeData& row = FRows[static_cast<std::size_t>(AIndex.row())];
    if (row.Checked == checked)
        return true;
    row.Checked = checked;
    emit dataChanged(index(AIndex.row(), 0), index(AIndex.row(), 0), {Qt::CheckStateRole});
    if (OnChecked)
        OnChecked(AIndex.row(), checked);
    return true;
}

Qt::ItemFlags TIntfListModel::flags(const QModelIndex& AIndex) const
{
    if (!AIndex.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (AIndex.column() == ColInterface)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant TIntfListModel::headerData(int ASection, Qt::Orientation AOrientation, int ARole) const
{
    if (AOrientation != Qt::Horizontal)
        return {};
    // The hint holds the caption whole where a narrow column elides it.
    if (ARole == Qt::DisplayRole || ARole == Qt::ToolTipRole) {
        switch (ASection) {
        case ColInterface:
            return tr("Interface");
        case ColDownload:
            return tr("Download");
        case ColUpload:
            return tr("Upload");
        }
    }
    if (ARole == Qt::TextAlignmentRole)
        return ASection == ColInterface ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                        : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

void TIntfListModel::Rebuild(bool AOperationalOnly)
{
    // Interfaces whose status is below this are not operational.
    constexpr std::uint32_t OperationalStatus = 4;
    std::vector<TIntfNodeData> wanted;
    wanted.reserve(static_cast<std::size_t>(FSnapshot->AdapterCount()));
    std::unordered_map<std::uint32_t, int> wantedCount;
    for (int i = 0; i < FSnapshot->AdapterCount(); ++i) {
        const TAdapter& a = FSnapshot->Adapters(static_cast<std::uint16_t>(i));
        if (AOperationalOnly && a._Status < OperationalStatus)
            continue;
        TIntfNodeData row;
        row.IntfIdx = a.IntfIdx;
        row.Index = static_cast<std::uint16_t>(i);
        row.Checked = a._Mark;
        wanted.push_back(row);
        ++wantedCount[a.IntfIdx];
    }

    // Rows that leave, removed back to front in runs.
    for (int r = static_cast<int>(FRows.size()) - 1; r >= 0; --r) {
        if (wantedCount.count(FRows[static_cast<std::size_t>(r)].IntfIdx))
            continue;
        int first = r;
        while (first > 0 && !wantedCount.count(FRows[static_cast<std::size_t>(first - 1)].IntfIdx))
            --first;
        beginRemoveRows(QModelIndex(), first, r);
        FRows.erase(FRows.begin() + first, FRows.begin() + r + 1);
        endRemoveRows();
        r = first;
    }

    // The staying rows must come in the wanted order; then only insertions remain.
    std::size_t k = 0;
    for (std::size_t i = 0; i < wanted.size() && k < FRows.size(); ++i)
        if (wanted[i].IntfIdx == FRows[k].IntfIdx)
            ++k;
    if (k != FRows.size()) {
        beginResetModel();
        FRows = std::move(wanted);
        IndexRows();
        endResetModel();
        return;
    }
    k = 0;
    for (std::size_t i = 0; i < wanted.size();) {
        if (k < FRows.size() && FRows[k].IntfIdx == wanted[i].IntfIdx) {
            FRows[k].Index = wanted[i].Index;
            FRows[k].Checked = wanted[i].Checked;
            ++k;
            ++i;
            continue;
        }
        // A run of new rows before the next staying one.
        std::size_t end = i;
        while (end < wanted.size() && !(k < FRows.size() && FRows[k].IntfIdx == wanted[end].IntfIdx))
            ++end;
        const int at = static_cast<int>(k);
        beginInsertRows(QModelIndex(), at, at + static_cast<int>(end - i) - 1);
        FRows.insert(FRows.begin() + static_cast<std::ptrdiff_t>(k), wanted.begin() + static_cast<std::ptrdiff_t>(i),
                     wanted.begin() + static_cast<std::ptrdiff_t>(end));
        endInsertRows();
        k += end - i;
        i = end;
    }
    IndexRows();
    // Names, pictures, check boxes and the bold row are read from the snapshot: one repaint.
    if (!FRows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

void TIntfListModel::IndexRows()
{
    FRowOf.clear();
    FRowOf.reserve(FRows.size());
    for (std::size_t i = 0; i < FRows.size(); ++i)
        FRowOf.emplace(FRows[i].IntfIdx, static_cast<int>(i));
}

int TIntfListModel::FindRow(std::uint32_t AIntfIdx) const
{
    const auto it = FRowOf.find(AIntfIdx);
    return it != FRowOf.end() ? it->second : -1;
}

void TIntfListModel::SetChecked(int ARow, bool AChecked)
{
    if (ARow < 0 || ARow >= rowCount())
        return;
    FRows[static_cast<std::size_t>(ARow)].Checked = AChecked;
    emit dataChanged(index(ARow, 0), index(ARow, 0), {Qt::CheckStateRole});
}

std::uint32_t TIntfListModel::IntfIdxAt(int ARow) const
{
    return ARow >= 0 && ARow < rowCount() ? FRows[static_cast<std::size_t>(ARow)].IntfIdx : 0;
}

int TIntfListModel::AdapterIndexAt(int ARow) const
{
    return ARow >= 0 && ARow < rowCount() ? FRows[static_cast<std::size_t>(ARow)].Index : -1;
}

void TIntfListModel::RefreshCounters()
{
    // Only rows whose counters moved are repainted: an idle interface costs no painting.
    for (int r = 0; r < rowCount(); ++r) {
        std::uint64_t in = 0, out = 0;
        FSnapshot->GetTraffic(IntfIdxAt(r), in, out);
        SetCounters(r, in, out);
    }
}

void TIntfListModel::SetCounters(int ARow, std::uint64_t AIn, std::uint64_t AOut)
{
    if (ARow < 0 || ARow >= rowCount())
        return;
    TIntfNodeData& row = FRows[static_cast<std::size_t>(ARow)];
    if (row.InOctets == AIn && row.OutOctets == AOut)
        return;
    // A total shown as "1.23 GB" moves its text once in ten megabytes: the cells are painted again
    // only when what they show changed.
    // One signal per changed cell: while a screen reader is on, the view takes Qt's own way, which
    // repaints a single cell alone but the whole list for a range of them.
    std::string in = FormatBytes(static_cast<double>(AIn));
    std::string out = FormatBytes(static_cast<double>(AOut));
    const bool inChanged = in != ShownText(row.InShown, row.InOctets);
    const bool outChanged = out != ShownText(row.OutShown, row.OutOctets);
    row.InOctets = AIn;
    row.OutOctets = AOut;
    row.InShown = std::move(in);
    row.OutShown = std::move(out);
    if (inChanged)
        emit dataChanged(index(ARow, ColDownload), index(ARow, ColDownload), {Qt::DisplayRole});
    if (outChanged)
        emit dataChanged(index(ARow, ColUpload), index(ARow, ColUpload), {Qt::DisplayRole});
}

} // namespace qn
