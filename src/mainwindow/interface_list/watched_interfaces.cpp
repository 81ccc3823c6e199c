// TWatchedInterfaces: the one path by which an interface becomes watched or stops being watched.
#include "mainwindow/interface_list/watched_interfaces.h"

#include "mainwindow/interface_list/adapter_image.h"
#include "mainwindow/interface_list/intf_list_model.h"
#include "mainwindow/interface_list/monitor_menu.h"
#include "mainwindow/interface_list/watch_choices.h"
#include "mainwindow/interface_list/watcher_panels.h"
#include "netdata/network_configuration.h"
#include "platform/interface_name.h"

#include <QAction>

#include <utility>

namespace qn {

TWatchedInterfaces::TWatchedInterfaces(TNetworkConfiguration& ANCC, TWatcherPanels& APanels, TMonitorMenu& AMenu,
                                       TIntfListModel& AList, TWatchChoices& AChoices, std::function<IClock*()> AClock,
                                       const TGuard& AGuard)
    : FNCC(ANCC), FPanels(APanels), FMenu(AMenu), FList(AList), FChoices(AChoices), FClock(std::move(AClock))
{
    FMenu.OnChoose = [this, AGuard](QAction* AItem) { AGuard([this, AItem] { cmIntfClick(AItem); }); };
    FList.OnChecked = [this, AGuard](int ARow, bool AChecked) { AGuard([=, this] { TreeChecked(ARow, AChecked); }); };
}

TWatchedInterfaces::~TWatchedInterfaces()
{
    FMenu.OnChoose = {};
    FList.OnChecked = {};
}

void TWatchedInterfaces::cmIntfClick(QAction* Sender)
{
    const qlonglong tag = Sender->data().toLongLong();
    if (tag >= 0)
        Choose(FNCC.FindAdapter(static_cast<std::uint32_t>(tag)), Sender->isChecked());
}

void TWatchedInterfaces::TreeChecked(int ARow, bool AChecked)
{
    Choose(FList.AdapterIndexAt(ARow), AChecked);
}

void TWatchedInterfaces::AddWatcher(const TAdapter& AData)
{
    if (const int i = FNCC.FindAdapter(AData.IntfIdx); i >= 0)
        FNCC.SetMark(i, true);
    FPanels.Clock = FClock();
    if (!FPanels.Show(AData))
        return;
    FMenu.SetChecked(AData.IntfIdx, true);
    FList.SetChecked(FList.FindRow(AData.IntfIdx), true);
}

void TWatchedInterfaces::RemoveWatcher(std::uint32_t AIntfIdx)
{
    if (const int i = FNCC.FindAdapter(AIntfIdx); i >= 0)
        FNCC.SetMark(i, false);
    if (!FPanels.Remove(FNCC, AIntfIdx))
        return;
    FMenu.SetChecked(AIntfIdx, false);
    FList.SetChecked(FList.FindRow(AIntfIdx), false);
}

void TWatchedInterfaces::RemoveWatcher(const TAdapter& AData)
{
    RemoveWatcher(AData.IntfIdx);
}

void TWatchedInterfaces::RefreshWatchers()
{
    FChoices.Apply(FNCC);
    // Only an interface with a panel of its name has a panel to remove; the list and the menu
    // take their check marks from the marks right after.
    const auto panelNames = FPanels.NameKeys();
    for (int i = 0; i < FNCC.AdapterCount(); ++i) {
        const TAdapter& a = FNCC.Adapters(i);
        FNCC.SetImageIndex(i, GetAdapterImageIndex(a._Typ, a._Status));
        if (FNCC.Mark(i))
            AddWatcher(a);
        else if (panelNames.count(InterfaceNameKey(a.Name)))
            RemoveWatcher(a.IntfIdx);
    }
    FPanels.RefreshWatcherImages(FNCC);
}

void TWatchedInterfaces::Choose(int AIndex, bool AWatched)
{
    if (AIndex < 0 || AIndex >= FNCC.AdapterCount())
        return;
    FNCC.SetMark(AIndex, AWatched);
    // The panel first: a choice that cannot be stored still holds for this run, and the row, the
    // mark and the panels agree.
    if (AWatched)
        AddWatcher(FNCC.Adapters(AIndex));
    else
        RemoveWatcher(FNCC.Adapters(AIndex).IntfIdx);
    FChoices.Store(FNCC, FNCC.Adapters(AIndex).Name, AWatched);
}

} // namespace qn
