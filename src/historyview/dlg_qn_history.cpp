// The traffic history dialog: interface chooser, period tabs, bar chart, table and CSV export.
#include "historyview/dlg_qn_history.h"

#include "history/history_report.h"
#include "historyview/history_chart.h"
#include "historyview/quota_text.h"
#include "texts/quantity_format.h"
#include "widgetkit/design_font.h"

#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
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

// What an entry of the chooser sums (the item's data role + 1).
enum TChoice
{
    chUplinks,
    chEvery,
    chOne,
};
constexpr int ChoiceRole = Qt::UserRole + 1;

} // namespace

Tdlg_qn_History::Tdlg_qn_History(QWidget* AOwner, std::string AFileName)
    : QDialog(AOwner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      FFileName(std::move(AFileName))
{
    setObjectName(QStringLiteral("dlg_qn_History"));
    setWindowTitle(tr("Traffic History"));
    setFont(DesignFont(11));
    resize(520, 700);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    cbInterface = new QComboBox(this);
    cbInterface->setObjectName(QStringLiteral("cbInterface"));
    cbInterface->setMinimumContentsLength(16);
    tbPeriod = new QTabBar(this);
    tbPeriod->setObjectName(QStringLiteral("tbPeriod"));
    for (const QString& caption : {tr("Hours"), tr("Days"), tr("Months"), tr("Years")})
        tbPeriod->addTab(caption);
    tbPeriod->setCurrentIndex(1);
    top->addWidget(cbInterface);
    top->addStretch(1);
    top->addWidget(tbPeriod);
    layout->addLayout(top);
    lScope = new QLabel(this);
    lScope->setObjectName(QStringLiteral("lScope"));
    lScope->setWordWrap(true);
    layout->addWidget(lScope);

    lQuota = new QLabel(this);
    lQuota->setObjectName(QStringLiteral("lQuota"));
    lQuota->setWordWrap(true);
    pbQuota = new QProgressBar(this);
    pbQuota->setObjectName(QStringLiteral("pbQuota"));
    pbQuota->setRange(0, 1000);
    pbQuota->setTextVisible(true);
    lQuotaPace = new QLabel(this);
    lQuotaPace->setObjectName(QStringLiteral("lQuotaPace"));
    lQuotaPace->setWordWrap(true);
    layout->addWidget(lQuota);
    layout->addWidget(pbQuota);
    lQuotaApps = new QLabel(this);
    lQuotaApps->setObjectName(QStringLiteral("lQuotaApps"));
    lQuotaApps->setWordWrap(true);
    layout->addWidget(lQuotaPace);
    layout->addWidget(lQuotaApps);

    Chart = new THistoryChart(this);
    Chart->setObjectName(QStringLiteral("Chart"));
    Chart->setFixedHeight(150);
    layout->addWidget(Chart);

    Table = new QTableWidget(0, 4, this);
    Table->setObjectName(QStringLiteral("Table"));
    Table->setHorizontalHeaderLabels({tr("Period"), tr("Download"), tr("Upload"), tr("Total")});
    // Narrow columns elide their captions; the hint holds them whole.
    for (int c = 0; c < Table->columnCount(); ++c)
        Table->horizontalHeaderItem(c)->setToolTip(Table->horizontalHeaderItem(c)->text());
    Table->verticalHeader()->setVisible(false);
    Table->verticalHeader()->setDefaultSectionSize(20);
    Table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(Table, 1);

    lApps = new QLabel(this);
    lApps->setObjectName(QStringLiteral("lApps"));
    layout->addWidget(lApps);
    AppTable = new QTableWidget(0, 4, this);
    AppTable->setObjectName(QStringLiteral("AppTable"));
    AppTable->setHorizontalHeaderLabels({tr("Application"), tr("Download"), tr("Upload"), tr("Total")});
    AppTable->verticalHeader()->setVisible(false);
    AppTable->verticalHeader()->setDefaultSectionSize(20);
    AppTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    AppTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    AppTable->setColumnWidth(0, 200);
    AppTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    AppTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AppTable->setAccessibleName(tr("Applications"));
    lApps->setBuddy(AppTable);
    layout->addWidget(AppTable, 1);

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
    PresentClasses = [] { return PresentInterfaceClasses(); };

    connect(btClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(btExport, &QPushButton::clicked, this, &Tdlg_qn_History::btExportClick);
    connect(cbInterface, &QComboBox::currentIndexChanged, this, [this] { FillRows(); });
    connect(tbPeriod, &QTabBar::currentChanged, this, [this] { FillRows(); });
    connect(Table, &QTableWidget::itemSelectionChanged, this, [this] { FillApps(); });
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
    FillQuota();
}

void Tdlg_qn_History::SetQuota(const TQuotaSettings& ASettings, const std::optional<TQuotaStatus>& ALive)
{
    FQuota = ASettings;
    FQuotaLive = ALive;
    FillQuota();
}

void Tdlg_qn_History::FillQuota()
{
    const bool on = FQuota.Enabled();
    pbQuota->setVisible(on);
    lQuotaPace->setVisible(on);
    lQuotaApps->setVisible(on);
    FQuotaStatus = {};
    if (!on) {
        lQuota->setText(tr("No data cap is set (View > Data Cap...)."));
        return;
    }
    if (FQuotaLive) {
        FQuotaStatus = *FQuotaLive;
    } else {
        THistoryStore store;
        std::string error;
        const std::int64_t now = QDateTime::currentSecsSinceEpoch();
        if (store.OpenReadOnly(FFileName, error))
            FQuotaStatus = StoredQuotaStatus(store, FQuota, QuotaInterfaces(FQuota, store, FPresent), now);
        else
            FQuotaStatus = QuotaStatusOf(FQuota, QuotaWindowAt(FQuota, now), 0, now, 0);
    }
    QString text = tr("Data cap this %1").arg(QString::fromStdString(QuotaPeriodLine(FQuota, FQuotaStatus)));
    if (const std::string partial = QuotaPartialLine(FQuotaStatus); !partial.empty())
        text += QStringLiteral("\n") + QString::fromStdString(partial);
    lQuota->setText(text);
    pbQuota->setValue(static_cast<int>(std::min(FQuotaStatus.Percent, 100.0) * 10));
    pbQuota->setFormat(QString::fromStdString(QuotaUsedLine(FQuotaStatus)));
    // Past the cap the bar turns red, so that a full bar is not mistaken for one that is fine.
    pbQuota->setStyleSheet(FQuotaStatus.Over() ? QStringLiteral("QProgressBar::chunk { background: #c0392b; }")
                                               : QString());
    lQuotaPace->setText(QString::fromStdString(QuotaPaceLine(FQuotaStatus)));

    THistoryStore store;
    std::string error;
    QStringList top;
    if (store.OpenReadOnly(FFileName, error))
        for (const THistoryAppRow& row : QuotaTopApps(store, FQuota, FQuotaStatus))
            top << tr("%1 (%2)").arg(AppName(row), Bytes(QuotaCounted(FQuota, row)));
    lQuotaApps->setText(top.isEmpty() ? tr("No application has been recorded in this period yet.")
                                      : tr("Most used by: %1.").arg(top.join(QStringLiteral(", "))));
}

QString Tdlg_qn_History::AppName(const THistoryAppRow& ARow)
{
    switch (ARow.Kind) {
    case 0:
        return tr("Unattributed");
    case 3:
        return tr("Other programs of this session");
    case 4:
        return tr("User %1").arg(QString::fromStdString(ARow.Id));
    default:
        return QString::fromStdString(ARow.Name.empty() ? ARow.Id : ARow.Name);
    }
}

void Tdlg_qn_History::FillApps()
{
    FAppRows.clear();
    const THistoryPeriod period = Period();
    const QList<QTableWidgetItem*> chosen = Table->selectedItems();
    const int r = chosen.isEmpty() ? static_cast<int>(FRows.size()) - 1 : chosen.front()->row();
    if (r < 0 || r >= static_cast<int>(FRows.size())) {
        lApps->setText(tr("Applications: no period chosen."));
        AppTable->setRowCount(0);
        return;
    }
    const std::int64_t key = FRows[static_cast<std::size_t>(r)].Key;
    const auto [first, last] = DaysOfPeriod(period, key);
    THistoryStore store;
    std::string error;
    if (store.OpenReadOnly(FFileName, error))
        FAppRows = store.QueryApps(first, last);
    const QString when = QString::fromStdString(
        period == THistoryPeriod::hpHour ? PeriodText(THistoryPeriod::hpDay, first) : PeriodText(period, key));
    lApps->setText(FAppRows.empty() ? tr("Applications on the uplinks, %1: none recorded.").arg(when)
                                    : tr("Applications on the uplinks, %1:").arg(when));
    AppTable->setRowCount(static_cast<int>(FAppRows.size()));
    for (int i = 0; i < static_cast<int>(FAppRows.size()); ++i) {
        const THistoryAppRow& row = FAppRows[static_cast<std::size_t>(i)];
        QTableWidgetItem* name = Cell(AppName(row), false);
        name->setToolTip(row.Kind == 0 ? tr("UDP such as QUIC and calls, other protocols, containers and virtual "
                                            "machines, connections shorter than a second")
                                       : QString::fromStdString(row.Id));
        AppTable->setItem(i, 0, name);
        AppTable->setItem(i, 1, Cell(Bytes(row.Download), true));
        AppTable->setItem(i, 2, Cell(Bytes(row.Upload), true));
        AppTable->setItem(i, 3, Cell(Bytes(row.Total()), true));
    }
}

void Tdlg_qn_History::FillInterfaces()
{
    const QByteArray chosen = cbInterface->currentData().toByteArray();
    THistoryStore store;
    std::string error;
    std::vector<std::string> names;
    const int chosenKind = cbInterface->currentIndex() >= 0 ? cbInterface->currentData(ChoiceRole).toInt() : chUplinks;
    std::map<std::string, TInterfaceClass> recorded;
    if (store.OpenReadOnly(FFileName, error)) {
        names = store.InterfaceNames();
        recorded = store.InterfaceClasses();
    }
    FPresent = PresentClasses ? PresentClasses() : std::map<std::string, TInterfaceClass>{};
    FUplinks = UplinkNames(names, recorded, FPresent);
    const QSignalBlocker block(cbInterface);
    cbInterface->clear();
    cbInterface->addItem(tr("All interfaces"), QByteArray());
    cbInterface->setItemData(0, chUplinks, ChoiceRole);
    cbInterface->addItem(tr("Every interface"), QByteArray());
    cbInterface->setItemData(1, chEvery, ChoiceRole);
    for (const std::string& name : names) {
        TInterfaceClass c = TInterfaceClass::icUnknown;
        if (const auto now = FPresent.find(name); now != FPresent.end())
            c = now->second;
        else if (const auto was = recorded.find(name); was != recorded.end())
            c = was->second;
        const QString label =
            c == TInterfaceClass::icUnknown
                ? QString::fromStdString(name)
                : QStringLiteral("%1 (%2)").arg(QString::fromStdString(name), tr(InterfaceClassName(c)));
        cbInterface->addItem(label, QByteArray::fromStdString(name));
        cbInterface->setItemData(cbInterface->count() - 1, chOne, ChoiceRole);
    }
    int again = chosenKind == chEvery ? 1 : 0;
    if (chosenKind == chOne && !chosen.isEmpty())
        again = std::max(0, cbInterface->findData(chosen));
    cbInterface->setCurrentIndex(again);
    QStringList uplinks;
    for (const std::string& name : FUplinks)
        uplinks << QString::fromStdString(name);
    lScope->setText(uplinks.isEmpty()
                        ? tr("All interfaces: the uplinks (none has traffic yet); loopback, virtual and tunnel "
                             "interfaces are not counted.")
                        : tr("All interfaces: the uplinks %1; loopback, virtual and tunnel interfaces are not "
                             "counted.")
                              .arg(uplinks.join(QStringLiteral(", "))));
}

void Tdlg_qn_History::FillRows()
{
    THistoryStore store;
    std::string error;
    FRows.clear();
    const int kind = cbInterface->currentData(ChoiceRole).toInt();
    const std::string name = cbInterface->currentData().toByteArray().toStdString();
    FChosen.clear();
    if (kind == chUplinks)
        FChosen = FUplinks;
    else if (kind == chOne)
        FChosen = {name};
    if (store.OpenReadOnly(FFileName, error)) {
        if (kind == chEvery)
            FChosen = store.InterfaceNames();
        FRows = store.QueryNames(Period(), FChosen);
        lState->setText(FRows.empty() ? tr("No traffic recorded yet.") : QString());
    } else {
        lState->setText(tr("No traffic recorded yet."));
    }
    const THistoryPeriod period = Period();
    // A row chosen among other periods' rows means nothing here: the newest is shown again.
    {
        const QSignalBlocker block(Table);
        Table->clearSelection();
    }
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
    FillApps();
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
    const int kind = cbInterface->currentData(ChoiceRole).toInt();
    const QString interface = kind == chOne
                                  ? QString::fromStdString(cbInterface->currentData().toByteArray().toStdString())
                              : kind == chEvery ? QStringLiteral("every")
                                                : QStringLiteral("all");
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

void ShowHistoryDialog(QWidget* AOwner, const std::string& AFileName, const TQuotaSettings& AQuota,
                       const std::optional<TQuotaStatus>& ALive)
{
    Tdlg_qn_History dialog(AOwner, AFileName);
    dialog.SetQuota(AQuota, ALive);
    if (AOwner) {
        const QRect owner = AOwner->frameGeometry();
        dialog.move(owner.center() - dialog.rect().center());
    }
    dialog.exec();
}

} // namespace qn
