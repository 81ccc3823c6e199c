// The traffic history dialog: interface chooser, period tabs, bar chart, table and CSV export.
#include "historyview/dlg_qn_history.h"

#include "history/history_report.h"
#include "historyview/history_chart.h"
#include "layout/design_font.h"
#include "watcher/quantity_format.h"

#include <QComboBox>
#include <QDate>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qn {

namespace {

constexpr THistoryPeriod Periods[] = {THistoryPeriod::hpHour, THistoryPeriod::hpDay, THistoryPeriod::hpMonth,
                                      THistoryPeriod::hpYear};

QTableWidgetItem* Cell(const QString& AText, bool ARight)
{
    auto* item = new QTableWidgetItem(AText);
    item->setTextAlignment((ARight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QString Bytes(std::uint64_t AValue)
{
    return QString::fromStdString(FormatBytes(static_cast<double>(AValue)));
}

} // namespace

Tdlg_qn_History::Tdlg_qn_History(QWidget* AOwner, std::string AFileName)
    : QDialog(AOwner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      FFileName(std::move(AFileName))
{
    setObjectName(QStringLiteral("dlg_qn_History"));
    setWindowTitle(tr("Traffic History"));
    setFont(DesignFont(11));
    resize(520, 480);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    cbInterface = new QComboBox(this);
    cbInterface->setObjectName(QStringLiteral("cbInterface"));
    cbInterface->setMinimumContentsLength(16);
    tbPeriod = new QTabBar(this);
    tbPeriod->setObjectName(QStringLiteral("tbPeriod"));
    for (const char* caption : {"Hours", "Days", "Months", "Years"})
        tbPeriod->addTab(tr(caption));
    tbPeriod->setCurrentIndex(1);
    top->addWidget(cbInterface);
    top->addStretch(1);
    top->addWidget(tbPeriod);
    layout->addLayout(top);

    Chart = new THistoryChart(this);
    Chart->setObjectName(QStringLiteral("Chart"));
    Chart->setFixedHeight(150);
    layout->addWidget(Chart);

    Table = new QTableWidget(0, 4, this);
    Table->setObjectName(QStringLiteral("Table"));
    Table->setHorizontalHeaderLabels({tr("Period"), tr("Download"), tr("Upload"), tr("Total")});
    Table->verticalHeader()->setVisible(false);
    Table->verticalHeader()->setDefaultSectionSize(20);
    Table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(Table, 1);

    auto* bottom = new QHBoxLayout;
    lState = new QLabel(this);
    lState->setObjectName(QStringLiteral("lState"));
    btExport = new QPushButton(tr("Export CSV..."), this);
    btExport->setObjectName(QStringLiteral("btExport"));
    btClose = new QPushButton(tr("Close"), this);
    btClose->setObjectName(QStringLiteral("btClose"));
    btClose->setDefault(true);
    bottom->addWidget(lState, 1);
    bottom->addWidget(btExport);
    bottom->addWidget(btClose);
    layout->addLayout(bottom);

    AskFileName = [](QWidget* AParent, const QString& ASuggested) {
        return QFileDialog::getSaveFileName(AParent, tr("Export CSV"), ASuggested, tr("CSV files (*.csv)"));
    };
    ShowError = [this](const QString& AMessage) { QMessageBox::warning(this, windowTitle(), AMessage); };

    connect(btClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(btExport, &QPushButton::clicked, this, &Tdlg_qn_History::btExportClick);
    connect(cbInterface, &QComboBox::currentIndexChanged, this, [this] { FillRows(); });
    connect(tbPeriod, &QTabBar::currentChanged, this, [this] { FillRows(); });
    Refresh();
}

THistoryPeriod Tdlg_qn_History::Period() const
{
    const int i = tbPeriod->currentIndex();
    return i >= 0 && i < 4 ? Periods[i] : THistoryPeriod::hpDay;
}

void Tdlg_qn_History::Refresh()
{
    FillInterfaces();
    FillRows();
}

void Tdlg_qn_History::FillInterfaces()
{
    const QByteArray chosen = cbInterface->currentData().toByteArray();
    THistoryStore store;
    std::string error;
    std::vector<std::string> names;
    if (store.OpenReadOnly(FFileName, error))
        names = store.InterfaceNames();
    const QSignalBlocker block(cbInterface);
    cbInterface->clear();
    cbInterface->addItem(tr("All interfaces"), QByteArray());
    for (const std::string& name : names)
        cbInterface->addItem(QString::fromStdString(name), QByteArray::fromStdString(name));
    const int again = chosen.isEmpty() ? 0 : cbInterface->findData(chosen);
    cbInterface->setCurrentIndex(again >= 0 ? again : 0);
}

void Tdlg_qn_History::FillRows()
{
    THistoryStore store;
    std::string error;
    FRows.clear();
    if (store.OpenReadOnly(FFileName, error)) {
        FRows = store.Query(Period(), cbInterface->currentData().toByteArray().toStdString());
        lState->setText(FRows.empty() ? tr("No traffic recorded yet.") : QString());
    } else {
        lState->setText(tr("No traffic recorded yet."));
    }
    const THistoryPeriod period = Period();
    Table->setRowCount(static_cast<int>(FRows.size()));
    for (int r = 0; r < static_cast<int>(FRows.size()); ++r) {
        const THistoryRow& row = FRows[static_cast<std::size_t>(r)];
        Table->setItem(r, 0, Cell(QString::fromStdString(PeriodText(period, row.Key, true)), false));
        Table->setItem(r, 1, Cell(Bytes(row.Download), true));
        Table->setItem(r, 2, Cell(Bytes(row.Upload), true));
        Table->setItem(r, 3, Cell(Bytes(row.Total()), true));
    }
    Table->scrollToBottom();
    Chart->SetRows(FRows, period);
    btExport->setEnabled(!FRows.empty());
}

bool Tdlg_qn_History::ExportCsv(const QString& AFileName, QString& AError) const
{
    QSaveFile file(AFileName);
    const std::string text = HistoryCsv(Period(), FRows);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.commit()) {
        AError = tr("Unable to write to %1").arg(AFileName);
        return false;
    }
    return true;
}

void Tdlg_qn_History::btExportClick()
{
    const QString interface = cbInterface->currentIndex() > 0 ? cbInterface->currentText() : QStringLiteral("all");
    const QString suggested =
        QStringLiteral("traffic-%1-%2-%3.csv")
            .arg(interface, QString::fromLatin1(PeriodName(Period())), QDate::currentDate().toString(Qt::ISODate));
    const QString name = AskFileName ? AskFileName(this, suggested) : QString();
    if (name.isEmpty())
        return;
    QString error;
    if (!ExportCsv(name, error) && ShowError)
        ShowError(error);
}

void ShowHistoryDialog(QWidget* AOwner, const std::string& AFileName)
{
    Tdlg_qn_History dialog(AOwner, AFileName);
    if (AOwner) {
        const QRect owner = AOwner->frameGeometry();
        dialog.move(owner.center() - dialog.rect().center());
    }
    dialog.exec();
}

} // namespace qn
