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
    for (int i = 0; i < FNCC->AdapterCount(); ++i)
        if (FNCC->Adapters(i).IntfIdx == AIntfIdx)
            return i;
    return -1;
}

void Twnd_qn_Main::AddWatcher(TAdapter AData)
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

    for (QAction* item : mmInterface->actions()) {
        if (item->data().toLongLong() == static_cast<qlonglong>(AData.IntfIdx)) {
            item->setChecked(true);
            break;
        }
    }
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
    for (QAction* item : mmInterface->actions()) {
        if (item->data().toLongLong() == static_cast<qlonglong>(AIndex)) {
            item->setChecked(false);
            break;
        }
    }
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
    for (int i = 0; i < FNCC->AdapterCount(); ++i) {
        const TAdapter a = FNCC->Adapters(i);
        FNCC->SetImageIndex(i, GetAdapterImageIndex(a._Typ, a._Status));
        if (FNCC->Mark(i))
            AddWatcher(FNCC->Adapters(i));
        else
            RemoveWatcher(FNCC->Adapters(i));
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

void Twnd_qn_Main::RefreshMonitorMenu()
{
    for (QAction* item : mmInterface->actions()) {
        mmInterface->removeAction(item);
        item->deleteLater();
    }
    for (int i = 0; i < FNCC->AdapterCount(); ++i) {
        const TAdapter a = FNCC->Adapters(i);
        auto* item = new QAction(QString::fromStdString(a.Name), mmInterface);
        item->setData(static_cast<qlonglong>(a.IntfIdx));
        item->setCheckable(true);
        item->setChecked(a._Mark);
        connect(item, &QAction::triggered, this, [this, item] { Guarded([this, item] { cmIntfClick(item); }); });
        mmInterface->addAction(item);
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
        RemoveWatcher(FNCC->Adapters(i));
    StoreWatchChoice(FNCC->Adapters(i).Name, FNCC->Mark(i));
}

void Twnd_qn_Main::TreeChecked(int ARow, bool AChecked)
{
    const int i = FTreeModel->AdapterIndexAt(ARow);
    if (i < 0 || i >= FNCC->AdapterCount())
        return;
    FNCC->SetMark(i, AChecked);
    StoreWatchChoice(FNCC->Adapters(i).Name, AChecked);
    if (AChecked)
        AddWatcher(FNCC->Adapters(i));
    else
        RemoveWatcher(FNCC->Adapters(i));
}

void Twnd_qn_Main::TreeDblClick()
{
    const int row = Tree->FocusedRow();
    if (row < 0 || row >= FTreeModel->rowCount() || !ShowAdapterInfo)
        return;
    const int i = FTreeModel->AdapterIndexAt(row);
    if (i < 0 || i >= FNCC->AdapterCount())
        return;
    const TAdapter a = FNCC->Adapters(i);
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
