// The Applications window's widgets and how a step's figures become its rows.
#include "appview/wnd_qn_apps.h"

#include "apptraffic/app_traffic.h"
#include "appview/app_traffic_feed.h"
#include "appview/desktop_entry.h"
#include "texts/quantity_format.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

namespace qn {

namespace {

enum TColumn
{
    colName,
    colDownload,
    colUpload,
    colDownloaded,
    colUploaded,
    colNote,
    colCount
};

QString Text(const std::string& AText)
{
    return QString::fromStdString(AText);
}

} // namespace

Twnd_qn_Apps::Twnd_qn_Apps(QWidget* AOwner, TAppTrafficFeed* AFeed) : TLMForm(AOwner, Qt::Window), FFeed(AFeed)
{
    setObjectName(QStringLiteral("wnd_qn_Apps"));
    setWindowTitle(tr("Applications"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    ReasonLabel = new QLabel(central);
    ReasonLabel->setObjectName(QStringLiteral("ReasonLabel"));
    ReasonLabel->setWordWrap(true);
    ReasonLabel->hide();
    AppList = new QTreeWidget(central);
    AppList->setObjectName(QStringLiteral("AppList"));
    AppList->setAccessibleName(tr("Applications"));
    AppList->setAccessibleDescription(tr("Traffic of each application now and this session, busiest first"));
    AppList->setRootIsDecorated(false);
    AppList->setColumnCount(colCount);
    AppList->setHeaderLabels(
        {tr("Application"), tr("Download"), tr("Upload"), tr("Downloaded"), tr("Uploaded"), tr("Note")});
    // Names and figures whole; the note takes what is left and shows in full as its tooltip.
    for (int c = colName; c < colNote; ++c)
        AppList->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    AppList->header()->setStretchLastSection(true);
    AppList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ShareLabel = new QLabel(central);
    ShareLabel->setObjectName(QStringLiteral("ShareLabel"));
    layout->addWidget(ReasonLabel);
    layout->addWidget(AppList);
    layout->addWidget(ShareLabel);
    setCentralWidget(central);
    resize(760, 320);
    SetLayoutControl(true);
    if (FFeed)
        FFeed->OnStep = [this] { ShowTraffic(FFeed->Monitor() ? &FFeed->Monitor()->Traffic() : nullptr); };
    ShowTraffic(FFeed && FFeed->Monitor() ? &FFeed->Monitor()->Traffic() : nullptr);
}

void Twnd_qn_Apps::ShowTraffic(const TAppTraffic* ATraffic)
{
    if (!ATraffic) {
        ReasonLabel->setText(tr("Counting per application is switched off (QUARNO_APPS=0)."));
        ReasonLabel->show();
        AppList->clear();
        ShareLabel->clear();
        return;
    }
    QString reason;
    switch (ATraffic->Limit()) {
    case TAttributionLimit::alNone:
        break;
    case TAttributionLimit::alNoSocketTable:
        reason = tr("This system does not tell which program a connection belongs to: all traffic is unattributed.");
        break;
    case TAttributionLimit::alNoHierarchy:
        reason = tr("No cgroup v2 hierarchy is mounted, so programs cannot be told apart: their traffic shows as "
                    "this session's.");
        break;
    case TAttributionLimit::alNoCgroupIds:
        reason = tr("The kernel does not say which cgroup made a connection (Linux 5.8 and later do): traffic "
                    "shows as this session's.");
        break;
    case TAttributionLimit::alNoUnits:
        reason = tr("The desktop does not start applications in units of their own, so their traffic shows as "
                    "this session's.");
        break;
    }
    ReasonLabel->setText(reason);
    ReasonLabel->setVisible(!reason.isEmpty());

    const std::vector<TAppRow>& rows = ATraffic->Rows();
    const int count = static_cast<int>(rows.size()) + 1;
    while (AppList->topLevelItemCount() > count)
        delete AppList->takeTopLevelItem(AppList->topLevelItemCount() - 1);
    while (AppList->topLevelItemCount() < count)
        new QTreeWidgetItem(AppList);
    const auto fill = [](QTreeWidgetItem* AItem, const TAppRow& ARow, const QString& AName, const QIcon& AIcon,
                         const QString& ANote) {
        AItem->setText(colName, AName);
        AItem->setIcon(colName, AIcon);
        AItem->setText(colDownload, Text(FormatTraffic(tmSpeed, ARow.RateIn)));
        AItem->setText(colUpload, Text(FormatTraffic(tmSpeed, ARow.RateOut)));
        AItem->setText(colDownloaded, Text(FormatBytes(static_cast<double>(ARow.TotalIn))));
        AItem->setText(colUploaded, Text(FormatBytes(static_cast<double>(ARow.TotalOut))));
        AItem->setText(colNote, ANote);
        AItem->setToolTip(colNote, ANote);
        for (int c = colDownload; c <= colUploaded; ++c)
            AItem->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TAppRow& row = rows[i];
        QString name;
        QIcon icon;
        switch (row.Unit.Kind) {
        case TUnitKind::ukApplication: {
            const TDesktopEntry& entry = LookUpDesktopEntry(row.Unit.Id);
            name = entry.Name;
            icon = entry.Icon;
            break;
        }
        case TUnitKind::ukService:
            name = Text(row.Unit.Id);
            break;
        case TUnitKind::ukSession:
            name = tr("Other programs of this session");
            break;
        case TUnitKind::ukUser:
            name = tr("User %1").arg(Text(row.Unit.Id));
            break;
        case TUnitKind::ukNone:
            name = Text(row.Unit.Id);
            break;
        }
        QTreeWidgetItem* item = AppList->topLevelItem(static_cast<int>(i));
        fill(item, row, name, icon, row.UsesUdp ? tr("Also uses UDP, which cannot be counted") : QString());
        item->setData(colName, Qt::UserRole, Text(row.Unit.Id));
    }
    QTreeWidgetItem* rest = AppList->topLevelItem(count - 1);
    fill(rest, ATraffic->Unattributed(), tr("Unattributed"), {},
         tr("UDP such as QUIC and calls, other protocols, containers and virtual machines, connections shorter "
            "than a second"));
    rest->setData(colName, Qt::UserRole, QString());

    const double share = ATraffic->AttributedShare();
    ShareLabel->setText(share < 0 ? tr("No traffic on the uplinks yet.")
                                  : tr("Applications account for %1% of the uplinks' traffic.")
                                        .arg(QString::number(std::floor(share * 100.0), 'f', 0)));
}

void ShowApplicationsWindow(QWidget* AOwner)
{
    auto* window = AOwner->findChild<Twnd_qn_Apps*>(QStringLiteral("wnd_qn_Apps"), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new Twnd_qn_Apps(AOwner, TAppTrafficFeed::Of(AOwner));
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace qn
