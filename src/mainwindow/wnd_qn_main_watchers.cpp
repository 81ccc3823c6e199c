// The main window's interfaces: a panel per watched interface, the interface list and menu that
// choose them, and the per-second counters of the list.
#include "mainwindow/wnd_qn_main.h"

#include "mainwindow/adapter_image.h"
#include "mainwindow/intf_list_model.h"
#include "mainwindow/intf_tree.h"
#include "netdata/network_configuration.h"
#include "platform/interface_name.h"
#include "watcher/frm_qn_watcher.h"
#include "watcher/gradient_bar.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace qn {

namespace {

constexpr int WatcherHeight = 210;

// A panel belongs to an interface name, compared by the system's rule (exact bytes on Linux).
bool SameName(const std::string& A, const std::string& B)
{
    return SameInterfaceName(A, B);
}

} // namespace

int Twnd_qn_Main::FindAdapterByIntfIdx(std::uint32_t AIntfIdx) const
{
    return AIntfIdx > 0x7FFFFFFFu ? -1 : FNCC->FindAdapter(static_cast<std::int32_t>(AIntfIdx));
}

void Twnd_qn_Main::AddWatcher(const TAdapter& AData)
{
    Tfrm_qn_Watcher* found = nullptr;
    for (Tfrm_qn_Watcher* frame : FWatchers) {
        if (SameName(frame->Adapter.Name, AData.Name)) {
            // The panel keeps its figures and chart; only the record and the picture change.
            frame->Adapter = AData;
            frame->AdapterPresent = true;
            frame->Header->SetImageIndex(AData._ImageIndex);
            found = frame;
            break;
        }
    }
    if (const int i = FindAdapterByIntfIdx(AData.IntfIdx); i >= 0)
        FNCC->SetMark(i, true);
    if (found)
        return;

    QWidget* panels = ScrollBox->widget();
    auto* frame = new Tfrm_qn_Watcher(panels, nullptr, WatcherClock);
    FWatchers.push_back(frame);
    UpdateStartHint();
    frame->Initialize();
    frame->setFixedHeight(WatcherHeight);
    frame->setObjectName(UniqueWatcherName(AData.IntfIdx));
    // Stacked from the top in order of creation, above the stretch that keeps them there.
    auto* stack = static_cast<QVBoxLayout*>(panels->layout());
    stack->insertWidget(stack->count() - 1, frame);
    frame->Header->SetImages(&ilIntf16);
    frame->Header->SetImageIndex(AData._ImageIndex);
    frame->Adapter = AData;
    frame->Header->SetCaption(QString::fromStdString(AData.Name));
    frame->SetHeaderPopupMenu(PopupMenu1);
    frame->Header->installEventFilter(this);
    frame->Header->setToolTip(QString::fromStdString(AData.Alias));
    frame->SetChartPopupMenu(PopupMenu1);
    frame->OnProperties = [this](const TAdapter& AAdapter) {
        Guarded([this, &AAdapter] {
            if (ShowAdapterInfo)
                WithTopMostLifted([this, &AAdapter] { ShowAdapterInfo(this, AAdapter); });
        });
    };
    frame->Start();

    if (QAction* item = MonitorAction(AData.IntfIdx))
        item->setChecked(true);
    FTreeModel->SetChecked(FTreeModel->FindRow(AData.IntfIdx), true);
}

void Twnd_qn_Main::RemoveWatcher(const TAdapter& AData)
{
    RemoveWatcher(AData.IntfIdx);
}

void Twnd_qn_Main::RemoveWatcher(std::uint32_t AIndex)
{
    // A panel belongs to an interface name. The interface at AIndex removes the panel of its own
    // name, wherever that panel's index has moved (re-created, renamed into the name); a panel of a
    // vanished interface keeps its old index, which another interface may carry now. An index that
    // no present interface carries can only mean such a panel.
    const int i = FindAdapterByIntfIdx(AIndex);
    const auto watched = std::find_if(FWatchers.begin(), FWatchers.end(), [&](const Tfrm_qn_Watcher* AFrame) {
        if (i >= 0)
            return SameName(AFrame->Adapter.Name, FNCC->Adapters(i).Name);
        return AFrame->Adapter.IntfIdx == AIndex && FNCC->FindAdapter(AFrame->Adapter.Name) < 0;
    });
    if (i >= 0)
        FNCC->SetMark(i, false);
    if (watched == FWatchers.end())
        return;
    Tfrm_qn_Watcher* frame = *watched;
    FWatchers.erase(watched);
    UpdateStartHint();
    // Freed once control is back in the event loop: a dialog of the panel's own may still be on the
    // stack. Until then it neither ticks nor takes space.
    frame->Stop();
    frame->deleteLater();
    if (QAction* item = MonitorAction(AIndex))
        item->setChecked(false);
    FTreeModel->SetChecked(FTreeModel->FindRow(AIndex), false);
}

QString Twnd_qn_Main::UniqueWatcherName(std::uint32_t AIntfIdx) const
{
    const QString base = QStringLiteral("Watcher_%1").arg(AIntfIdx);
    const auto taken = [this](const QString& AName) {
        return std::any_of(FWatchers.begin(), FWatchers.end(),
                           [&](const Tfrm_qn_Watcher* AFrame) { return AFrame->objectName() == AName; });
    };
    QString name = base;
    for (int n = 2; taken(name); ++n)
        name = base + QStringLiteral("_%1").arg(n);
    return name;
}

void Twnd_qn_Main::RefreshWatchers()
{
    TLayoutManager& lm = *LayoutManager();
    TLayoutManagerValues& values = lm.StoredValues();
    for (int v = 0; v < values.Count(); ++v) {
        const int i = FNCC->FindAdapter(values.Items(v).Name());
        if (i >= 0)
            FNCC->SetMark(i, values.Items(v).AsBoolean());
    }
    // The file's line may stand for several names that differ only by case; this session's
    // choices are kept per exact name.
    for (const auto& [name, watched] : FChoices)
        if (const int i = FNCC->FindAdapter(name); i >= 0)
            FNCC->SetMark(i, watched);
    PruneStoredChoices(false);
    // Only an interface with a panel of its name has a panel to remove; the list and the menu
    // take their check marks from the marks right after.
    std::unordered_set<std::string> panelNames;
    for (const Tfrm_qn_Watcher* frame : FWatchers)
        panelNames.insert(InterfaceNameKey(frame->Adapter.Name));
    for (int i = 0; i < FNCC->AdapterCount(); ++i) {
        const TAdapter& a = FNCC->Adapters(i);
        FNCC->SetImageIndex(i, GetAdapterImageIndex(a._Typ, a._Status));
        if (FNCC->Mark(i))
            AddWatcher(a);
        else if (panelNames.count(InterfaceNameKey(a.Name)))
            RemoveWatcher(a);
    }
    RefreshWatcherImages();
}

void Twnd_qn_Main::RefreshWatcherImages()
{
    for (Tfrm_qn_Watcher* frame : FWatchers) {
        // A panel reads only while its name is at its index: after a rename in place or the reuse
        // of a vanished interface's index, that index belongs to another link.
        const int i = FNCC->FindAdapter(frame->Adapter.Name);
        const bool present = i >= 0 && FNCC->Adapters(i).IntfIdx == frame->Adapter.IntfIdx;
        frame->AdapterPresent = present;
        // The warning picture for an interface that is not there.
        frame->Header->SetImageIndex(present ? FNCC->ImageIndex(i) : 0);
    }
}

void Twnd_qn_Main::RefreshTree()
{
    const int focused = Tree->FocusedRow();
    const bool hadFocus = focused >= 0 && focused < FTreeModel->rowCount();
    const std::uint32_t focusedIdx = FTreeModel->IntfIdxAt(focused);
    FTreeModel->Rebuild(Tree->Tag() != 0);
    if (hadFocus)
        Tree->FocusRow(FTreeModel->FindRow(focusedIdx));
}

QAction* Twnd_qn_Main::MonitorAction(std::uint32_t AIntfIdx) const
{
    const auto it = FMonitorActions.find(AIntfIdx);
    return it != FMonitorActions.end() ? it->second : nullptr;
}

void Twnd_qn_Main::RefreshMonitorMenu()
{
    // The menu changes what changed: items of interfaces that left go, new ones are inserted in the
    // snapshot's order, staying ones keep their object and get the name and mark of now.
    std::unordered_map<std::uint32_t, int> wanted;
    for (int i = 0; i < FNCC->AdapterCount(); ++i)
        ++wanted[FNCC->Adapters(i).IntfIdx];
    const QList<QAction*> before = mmInterface->actions();
    std::vector<QAction*> kept;
    kept.reserve(static_cast<std::size_t>(before.size()));
    for (QAction* item : before) {
        const auto it = wanted.find(static_cast<std::uint32_t>(item->data().toLongLong()));
        if (it != wanted.end() && it->second > 0) {
            --it->second;
            kept.push_back(item);
        } else {
            mmInterface->removeAction(item);
            item->deleteLater();
        }
    }
    // The staying items must be in the snapshot's order; otherwise the menu is built anew.
    std::size_t k = 0;
    for (int i = 0; i < FNCC->AdapterCount() && k < kept.size(); ++i)
        if (static_cast<qlonglong>(FNCC->Adapters(i).IntfIdx) == kept[k]->data().toLongLong())
            ++k;
    if (k != kept.size()) {
        for (QAction* item : kept) {
            mmInterface->removeAction(item);
            item->deleteLater();
        }
        kept.clear();
    }
    FMonitorActions.clear();
    k = 0;
    for (int i = 0; i < FNCC->AdapterCount(); ++i) {
        const TAdapter& a = FNCC->Adapters(i);
        const QString name = QString::fromStdString(a.Name);
        QAction* item = nullptr;
        if (k < kept.size() && kept[k]->data().toLongLong() == static_cast<qlonglong>(a.IntfIdx)) {
            item = kept[k++];
            if (item->text() != name)
                item->setText(name);
        } else {
            item = new QAction(name, mmInterface);
            item->setData(static_cast<qlonglong>(a.IntfIdx));
            item->setCheckable(true);
            connect(item, &QAction::triggered, this, [this, item] { Guarded([this, item] { cmIntfClick(item); }); });
            mmInterface->insertAction(k < kept.size() ? kept[k] : nullptr, item);
        }
        if (item->isChecked() != a._Mark)
            item->setChecked(a._Mark);
        FMonitorActions.emplace(a.IntfIdx, item);
    }
}

void Twnd_qn_Main::cmIntfClick(QAction* AItem)
{
    const qlonglong tag = AItem->data().toLongLong();
    if (tag < 0)
        return;
    const int i = FindAdapterByIntfIdx(static_cast<std::uint32_t>(tag));
    if (i < 0)
        return;
    if (AItem->isChecked())
        AddWatcher(FNCC->Adapters(i));
    else
        RemoveWatcher(FNCC->Adapters(i).IntfIdx);
    StoreWatchChoice(FNCC->Adapters(i).Name, FNCC->Mark(i));
}

void Twnd_qn_Main::TreeChecked(int ARow, bool AChecked)
{
    const int i = FTreeModel->AdapterIndexAt(ARow);
    if (i < 0 || i >= FNCC->AdapterCount())
        return;
    // The panel first, as the Monitor menu does: a choice that cannot be stored still holds for
    // this run, and the row, the mark and the panels agree.
    FNCC->SetMark(i, AChecked);
    if (AChecked)
        AddWatcher(FNCC->Adapters(i));
    else
        RemoveWatcher(FNCC->Adapters(i));
    StoreWatchChoice(FNCC->Adapters(i).Name, AChecked);
}

void Twnd_qn_Main::TreeDblClick()
{
    const int row = Tree->FocusedRow();
    if (row < 0 || row >= FTreeModel->rowCount() || !ShowAdapterInfo)
        return;
    const int i = FTreeModel->AdapterIndexAt(row);
    if (i < 0 || i >= FNCC->AdapterCount())
        return;
    const TAdapter a = FNCC->Adapters(i); // the dialog may outlive a refresh of the snapshot
    WithTopMostLifted([this, &a] { ShowAdapterInfo(this, a); });
}

void Twnd_qn_Main::RefreshTraffic()
{
    // Only rows whose counters moved are repainted: an idle interface costs no painting.
    for (int r = 0; r < FTreeModel->rowCount(); ++r) {
        std::uint64_t in = 0, out = 0;
        FNCC->GetTraffic(FTreeModel->IntfIdxAt(r), in, out);
        FTreeModel->SetCounters(r, in, out);
    }
}

void Twnd_qn_Main::UpdateStartHint()
{
    lStartHint->setVisible(FWatchers.empty());
}

} // namespace qn
