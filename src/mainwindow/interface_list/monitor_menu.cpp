// TMonitorMenu: rebuilding the "Monitor" menu from the snapshot with the fewest changes.
#include "mainwindow/interface_list/monitor_menu.h"

#include "netdata/network_configuration.h"

#include <QAction>
#include <QMenu>

#include <vector>

namespace qn {

QAction* TMonitorMenu::Item(std::uint32_t AIntfIdx) const
{
    const auto it = FItems.find(AIntfIdx);
    return it != FItems.end() ? it->second : nullptr;
}

void TMonitorMenu::SetChecked(std::uint32_t AIntfIdx, bool AChecked) const
{
    if (QAction* item = Item(AIntfIdx))
        item->setChecked(AChecked);
}

void TMonitorMenu::Refresh(const TNetworkConfiguration& ANCC)
{
    std::unordered_map<std::uint32_t, int> wanted;
    for (int i = 0; i < ANCC.AdapterCount(); ++i)
        ++wanted[ANCC.Adapters(i).IntfIdx];
    const QList<QAction*> before = FMenu->actions();
    std::vector<QAction*> kept;
    kept.reserve(static_cast<std::size_t>(before.size()));
    for (QAction* item : before) {
        const auto it = wanted.find(static_cast<std::uint32_t>(item->data().toLongLong()));
        if (it != wanted.end() && it->second > 0) {
            --it->second;
            kept.push_back(item);
        } else {
            FMenu->removeAction(item);
            item->deleteLater();
        }
    }
    // The staying items must be in the snapshot's order; otherwise the menu is built anew.
    std::size_t k = 0;
    for (int i = 0; i < ANCC.AdapterCount() && k < kept.size(); ++i)
        if (static_cast<qlonglong>(ANCC.Adapters(i).IntfIdx) == kept[k]->data().toLongLong())
            ++k;
    if (k != kept.size()) {
        for (QAction* item : kept) {
            FMenu->removeAction(item);
            item->deleteLater();
        }
        kept.clear();
    }
    FItems.clear();
    k = 0;
    for (int i = 0; i < ANCC.AdapterCount(); ++i) {
        const TAdapter& a = ANCC.Adapters(i);
        const QString name = QString::fromStdString(a.Name);
        QAction* item = nullptr;
        if (k < kept.size() && kept[k]->data().toLongLong() == static_cast<qlonglong>(a.IntfIdx)) {
            item = kept[k++];
            if (item->text() != name)
                item->setText(name);
        } else {
            item = new QAction(name, FMenu);
            item->setData(static_cast<qlonglong>(a.IntfIdx));
            item->setCheckable(true);
            QObject::connect(item, &QAction::triggered, FMenu, [this, item] {
                if (OnChoose)
                    OnChoose(item);
            });
            FMenu->insertAction(k < kept.size() ? kept[k] : nullptr, item);
        }
        if (item->isChecked() != a._Mark)
            item->setChecked(a._Mark);
        FItems.emplace(a.IntfIdx, item);
    }
}

} // namespace qn
