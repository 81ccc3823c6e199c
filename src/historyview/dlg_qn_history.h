// Tdlg_qn_History: the traffic history report, a table and a bar chart per interface and period.
#pragma once

#include "history/history_period.h"
#include "history/history_store.h"
#include "history/interface_class.h"
#include "history/quota_status.h"

#include <QDialog>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabBar;
class QTableWidget;

namespace qn {

class THistoryChart;

// Reads the history file read-only each time the choice changes, so it shows what the recorder
// (this program or another running copy) has written up to its last minute. Rows are oldest
// first in the table and the chart alike. "All interfaces" is the uplinks (lScope names them);
// "Every interface" sums every recorded one, loopback, virtual and tunnel traffic included. With
// a data cap set (SetQuota), the top section shows the current period: used of limit, a bar,
// days left, the pace, what may be used per day from now on and the three applications that used
// the most of it. Below the table, the applications of the chosen row's day, month or year (an
// hour's: its day) on the uplinks, the most first, "Unattributed" last.
class Tdlg_qn_History : public QDialog
{
    Q_OBJECT

public:
    Tdlg_qn_History(QWidget* AOwner, std::string AFileName);

    // Reads the interfaces and the rows of the current choice again.
    void Refresh();
    // The cap to show; ALive is the recorder's status (current to its last read), else the file's.
    void SetQuota(const TQuotaSettings& ASettings, const std::optional<TQuotaStatus>& ALive = std::nullopt);
    const TQuotaStatus& QuotaStatus() const { return FQuotaStatus; }
    // The names the current choice sums.
    const std::vector<std::string>& ChosenNames() const { return FChosen; }
    // Writes the rows shown as CSV to AFileName; false (and AError) when it cannot be written.
    bool ExportCsv(const QString& AFileName, QString& AError) const;

    THistoryPeriod Period() const;
    const std::vector<THistoryRow>& Rows() const { return FRows; }
    const std::vector<THistoryAppRow>& AppRows() const { return FAppRows; }
    // The name a row of the applications is shown with.
    static QString AppName(const THistoryAppRow& ARow);

    QComboBox* cbInterface = nullptr;
    QLabel* lScope = nullptr;
    QLabel* lQuota = nullptr;
    QProgressBar* pbQuota = nullptr;
    QLabel* lQuotaPace = nullptr;
    QLabel* lQuotaApps = nullptr;
    QTabBar* tbPeriod = nullptr;
    THistoryChart* Chart = nullptr;
    QTableWidget* Table = nullptr;
    QLabel* lApps = nullptr;
    QTableWidget* AppTable = nullptr;
    QLabel* lState = nullptr;
    QPushButton* btExport = nullptr;
    QPushButton* btClose = nullptr;

    // Asks where to save the CSV file (a save dialog unless replaced); empty: cancelled.
    std::function<QString(QWidget* AParent, const QString& ASuggested)> AskFileName;
    // Reports a file that cannot be written (a message box unless replaced).
    std::function<void(const QString& AMessage)> ShowError;
    // The classes of the interfaces present now (the system's unless replaced).
    std::function<std::map<std::string, TInterfaceClass>()> PresentClasses;

private:
    void FillInterfaces();
    void FillRows();
    void FillApps();
    void btExportClick();

    void FillQuota();

    std::string FFileName;
    std::vector<THistoryRow> FRows;
    std::vector<THistoryAppRow> FAppRows;
    std::vector<std::string> FUplinks;
    std::vector<std::string> FChosen;
    std::map<std::string, TInterfaceClass> FPresent;
    TQuotaSettings FQuota;
    std::optional<TQuotaStatus> FQuotaLive;
    TQuotaStatus FQuotaStatus;
};

// Shows the report of AFileName modally over AOwner, centred on it, with the cap AQuota.
void ShowHistoryDialog(QWidget* AOwner, const std::string& AFileName, const TQuotaSettings& AQuota = {},
                       const std::optional<TQuotaStatus>& ALive = std::nullopt);

} // namespace qn
