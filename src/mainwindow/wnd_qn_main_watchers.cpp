// The main window's interfaces: the watch choices, the panels, the list and the menu that show them.
#include "mainwindow/wnd_qn_main.h"

#include "mainwindow/adapter_image.h"
#include "mainwindow/intf_list_model.h"
#include "mainwindow/intf_tree.h"
#include "mainwindow/main_persistence.h"
#include "mainwindow/monitor_menu.h"
#include "mainwindow/watch_choices.h"
#include "mainwindow/watcher_panels.h"
#include "netdata/network_configuration.h"
#include "platform/interface_name.h"

#include <QAction>

namespace qn {

int Twnd_qn_Main::FindAdapterByIntfIdx(std::uint32_t AIntfIdx) const
{
    return AIntfIdx > 0x7FFFFFFFu ? -1 : FNCC->FindAdapter(static_cast<std::int32_t>(AIntfIdx));
}

const std::vector<Tfrm_qn_Watcher*>& Twnd_qn_Main::Watchers() const
{
    return FPanels->Panels();
}

void Twnd_qn_Main::AddWatcher(const TAdapter& AData)
{
    if (const int i = FindAdapterByIntfIdx(AData.IntfIdx); i >= 0)
        FNCC->SetMark(i, true);
    FPanels->Clock = Clock;
    if (!FPanels->Show(AData))
        return;
    FMonitorMenu->SetChecked(AData.IntfIdx, true);
    FTreeModel->SetChecked(FTreeModel->FindRow(AData.IntfIdx), true);
}

void Twnd_qn_Main::RemoveWatcher(std::uint32_t AIndex)
{
    if (const int i = FindAdapterByIntfIdx(AIndex); i >= 0)
        FNCC->SetMark(i, false);
    if (!FPanels->Remove(*FNCC, AIndex))
        return;
    FMonitorMenu->SetChecked(AIndex, false);
    FTreeModel->SetChecked(FTreeModel->FindRow(AIndex), false);
}

void Twnd_qn_Main::RefreshWatchers()
{
    FPersistence->Choices().Apply(*FNCC);
    // Only an interface with a panel of its name has a panel to remove; the list and the menu
    // take their check marks from the marks right after.
    const auto panelNames = FPanels->NameKeys();
    for (int i = 0; i < FNCC->AdapterCount(); ++i) {
        const TAdapter& a = FNCC->Adapters(i);
        FNCC->SetImageIndex(i, GetAdapterImageIndex(a._Typ, a._Status));
        if (FNCC->Mark(i))
            AddWatcher(a);
        else if (panelNames.count(InterfaceNameKey(a.Name)))
            RemoveWatcher(a.IntfIdx);
    }
    FPanels->RefreshPresence(*FNCC);
}

void Twnd_qn_Main::ChooseWatch(int AIndex, bool AWatched)
{
    if (AIndex < 0 || AIndex >= FNCC->AdapterCount())
        return;
    FNCC->SetMark(AIndex, AWatched);
    // The panel first: a choice that cannot be stored still holds for this run, and the row, the
    // mark and the panels agree.
    if (AWatched)
        AddWatcher(FNCC->Adapters(AIndex));
    else
        RemoveWatcher(FNCC->Adapters(AIndex).IntfIdx);
    FPersistence->Choices().Store(*FNCC, FNCC->Adapters(AIndex).Name, AWatched);
}

void Twnd_qn_Main::cmIntfClick(QAction* AItem)
{
    const qlonglong tag = AItem->data().toLongLong();
    if (tag >= 0)
        ChooseWatch(FindAdapterByIntfIdx(static_cast<std::uint32_t>(tag)), AItem->isChecked());
}

void Twnd_qn_Main::TreeDblClick()
{
    const int i = FTreeModel->AdapterIndexAt(Tree->FocusedRow());
    if (i < 0 || i >= FNCC->AdapterCount())
        return;
    const TAdapter a = FNCC->Adapters(i); // the dialog may outlive a refresh of the snapshot
    ShowProperties(a);
}

} // namespace qn
