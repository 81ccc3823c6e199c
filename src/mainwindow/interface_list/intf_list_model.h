// The interface list's rows: one per listed interface of the snapshot, with its counters and check box.
#pragma once

#include <QAbstractTableModel>
#include <QFont>

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace qn {

class TSvgImageList;
class TNetworkConfiguration;

// Per-row data. IntfIdx is the row's identity across rebuilds; Index is the interface's position
// in the snapshot the rows were built from, so the rows are only valid with that snapshot.
struct TIntfNodeData
{
    std::uint32_t IntfIdx = 0;
    std::uint64_t InOctets = 0;
    std::uint64_t OutOctets = 0;
    // The counters as last shown, to tell whether a change shows.
    std::string InShown, OutShown;
    std::uint16_t Index = 0;
    bool Checked = false;
};

// A flat three-column model ("Interface", "Download", "Upload") over a snapshot it does not own.
// Names, pictures and the bold best interface are read from the snapshot at each paint; the
// counters are the row's own. Only a check-box change made through the view raises OnChecked;
// SetChecked and Rebuild change check boxes silently.
class TIntfListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        ColInterface = 0,
        ColDownload = 1,
        ColUpload = 2,
        ColumnCount = 3
    };

    TIntfListModel(const TNetworkConfiguration* ASnapshot, const TSvgImageList* AImages, QObject* AParent = nullptr);

    int rowCount(const QModelIndex& AParent = QModelIndex()) const override;
    int columnCount(const QModelIndex& AParent = QModelIndex()) const override;
    QVariant data(const QModelIndex& AIndex, int ARole = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& AIndex, const QVariant& AValue, int ARole = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& AIndex) const override;
    QVariant headerData(int ASection, Qt::Orientation AOrientation, int ARole = Qt::DisplayRole) const override;

    // Brings the rows to the snapshot's interfaces (only the operational ones when
    // AOperationalOnly), their check boxes from the marks. Rows whose interface stays keep their
    // counters; rows of interfaces that left are removed and new ones inserted (counters at 0), so
    // the view keeps its selection and scroll position; names and pictures repaint once. A change
    // of the rows' order (not made by the kernel's index order) resets the model instead.
    void Rebuild(bool AOperationalOnly);
    // The interface index of ARow, or 0 for a row that does not exist.
    std::uint32_t IntfIdxAt(int ARow) const;
    // The snapshot position of ARow's interface, or -1 for a row that does not exist.
    int AdapterIndexAt(int ARow) const;

    // The first row with AIntfIdx, or -1 (a map look-up).
    int FindRow(std::uint32_t AIntfIdx) const;
    // Sets a row's check box without raising OnChecked.
    void SetChecked(int ARow, bool AChecked);
    // Sets the counters of ARow; only counters that moved repaint the row's two counter columns.
    void SetCounters(int ARow, std::uint64_t AIn, std::uint64_t AOut);
    // Sets every row's counters from the snapshot's current reading (SetCounters per row).
    void RefreshCounters();

    // The user changed the check box of ARow.
    std::function<void(int ARow, bool AChecked)> OnChecked;

private:
    const TNetworkConfiguration* FSnapshot;
    const TSvgImageList* FImages;
    void IndexRows();

    std::vector<TIntfNodeData> FRows;
    std::unordered_map<std::uint32_t, int> FRowOf; // IntfIdx to its first row
};

} // namespace qn
