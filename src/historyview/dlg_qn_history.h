// Tdlg_qn_History: the traffic history report, a table and a bar chart per interface and period.
#pragma once

#include "history/history_period.h"
#include "history/history_store.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTabBar;
class QTableWidget;

namespace qn {

class THistoryChart;

// Reads the history file read-only each time the choice changes, so it shows what the recorder
// (this program or another running copy) has written up to its last minute. Rows are oldest
// first in the table and the chart alike.
class Tdlg_qn_History : public QDialog
{
    Q_OBJECT

public:
    Tdlg_qn_History(QWidget* AOwner, std::string AFileName);

    // Reads the interfaces and the rows of the current choice again.
    void Refresh();
    // Writes the rows shown as CSV to AFileName; false (and AError) when it cannot be written.
    bool ExportCsv(const QString& AFileName, QString& AError) const;

    THistoryPeriod Period() const;
    const std::vector<THistoryRow>& Rows() const { return FRows; }

    QComboBox* cbInterface = nullptr;
    QTabBar* tbPeriod = nullptr;
    THistoryChart* Chart = nullptr;
    QTableWidget* Table = nullptr;
    QLabel* lState = nullptr;
    QPushButton* btExport = nullptr;
    QPushButton* btClose = nullptr;

    // Asks where to save the CSV file (a save dialog unless replaced); empty: cancelled.
    std::function<QString(QWidget* AParent, const QString& ASuggested)> AskFileName;
    // Reports a file that cannot be written (a message box unless replaced).
    std::function<void(const QString& AMessage)> ShowError;

private:
    void FillInterfaces();
    void FillRows();
    void btExportClick();

    std::string FFileName;
    std::vector<THistoryRow> FRows;
};

// Shows the report of AFileName modally over AOwner, centred on it.
void ShowHistoryDialog(QWidget* AOwner, const std::string& AFileName);

} // namespace qn
