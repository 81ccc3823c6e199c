// TWatcherPanels: creating, stacking, updating and freeing the watcher panels.
#include "mainwindow/interface_list/watcher_panels.h"

#include "netdata/network_configuration.h"
#include "platform/interface_name.h"
#include "watcher/frm_qn_watcher.h"
#include "watcher/gradient_bar.h"
#include "widgetkit/svg_image_list.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace qn {

TWatcherPanels::TWatcherPanels(QWidget* AParent, TSvgImageList* AImages, QObject* AHeaderFilter)
    : FImages(AImages), FHeaderFilter(AHeaderFilter)
{
    FScrollBox = new QScrollArea(AParent);
    FScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    FScrollBox->setFrameShape(QFrame::NoFrame);
    FScrollBox->setWidgetResizable(true);
    FScrollBox->setContextMenuPolicy(Qt::CustomContextMenu);
    FArea = new QWidget(FScrollBox);
    FArea->setObjectName(QStringLiteral("ScrollBoxContents"));
    auto* stack = new QVBoxLayout(FArea);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    // A first start watches nothing: the empty area says how to begin.
    FStartHint = new QLabel(QCoreApplication::translate(
                                "qn::TWatcherPanels", "No interface is watched yet.\nTick one in View > Interface View "
                                                      "(Ctrl+I), or pick one in the Monitor menu."),
                            FArea);
    FStartHint->setObjectName(QStringLiteral("lStartHint"));
    FStartHint->setAlignment(Qt::AlignCenter);
    FStartHint->setWordWrap(true);
    FStartHint->setContentsMargins(12, 24, 12, 12);
    FStartHint->setForegroundRole(QPalette::PlaceholderText);
    stack->addWidget(FStartHint);
    stack->addStretch(1);
    FScrollBox->setWidget(FArea);
}

bool TWatcherPanels::Show(const TAdapter& AData)
{
    for (Tfrm_qn_Watcher* frame : FWatchers) {
        if (SameInterfaceName(frame->Adapter.Name, AData.Name)) {
            // The panel keeps its figures and chart; only the record and the picture change.
            frame->Adapter = AData;
            frame->AdapterPresent = true;
            frame->Header->SetImageIndex(AData._ImageIndex);
            return false;
        }
    }
    auto* frame = new Tfrm_qn_Watcher(FArea, nullptr, Clock);
    FWatchers.push_back(frame);
    FStartHint->setVisible(false);
    frame->Initialize();
    frame->setObjectName(UniqueName(AData.IntfIdx));
    auto* stack = static_cast<QVBoxLayout*>(FArea->layout());
    stack->insertWidget(stack->count() - 1, frame);
    frame->Header->SetImages(FImages);
    frame->Header->SetImageIndex(AData._ImageIndex);
    frame->Adapter = AData;
    frame->Header->SetCaption(QString::fromStdString(AData.Name));
    frame->SetHeaderPopupMenu(Popup);
    frame->Header->installEventFilter(FHeaderFilter);
    frame->Header->setToolTip(QString::fromStdString(AData.Alias));
    frame->SetChartPopupMenu(Popup);
    frame->OnProperties = [this](const TAdapter& AAdapter) {
        if (OnProperties)
            OnProperties(AAdapter);
    };
    frame->Start();
    return true;
}

bool TWatcherPanels::Remove(const TNetworkConfiguration& ANCC, std::uint32_t AIndex)
{
    // The interface at AIndex removes the panel of its own name, wherever that panel's index has
    // moved (re-created, renamed into the name); a panel of a vanished interface keeps its old
    // index, which another interface may carry now. An index that no present interface carries can
    // only mean such a panel.
    const int i = ANCC.FindAdapter(AIndex);
    const auto watched = std::find_if(FWatchers.begin(), FWatchers.end(), [&](const Tfrm_qn_Watcher* AFrame) {
        if (i >= 0)
            return SameInterfaceName(AFrame->Adapter.Name, ANCC.Adapters(i).Name);
        return AFrame->Adapter.IntfIdx == AIndex && ANCC.FindAdapter(AFrame->Adapter.Name) < 0;
    });
    if (watched == FWatchers.end())
        return false;
    Tfrm_qn_Watcher* frame = *watched;
    FWatchers.erase(watched);
    FStartHint->setVisible(FWatchers.empty());
    // Freed once control is back in the event loop: a dialog of the panel's own may still be on the
    // stack. Until then it neither ticks nor takes space.
    frame->Stop();
    frame->deleteLater();
    return true;
}

std::unordered_set<std::string> TWatcherPanels::NameKeys() const
{
    std::unordered_set<std::string> keys;
    for (const Tfrm_qn_Watcher* frame : FWatchers)
        keys.insert(InterfaceNameKey(frame->Adapter.Name));
    return keys;
}

void TWatcherPanels::RefreshWatcherImages(const TNetworkConfiguration& ANCC)
{
    for (Tfrm_qn_Watcher* frame : FWatchers) {
        // After a rename in place or the reuse of a vanished interface's index, that index belongs
        // to another link.
        const int i = ANCC.FindAdapter(frame->Adapter.Name);
        const bool present = i >= 0 && ANCC.Adapters(i).IntfIdx == frame->Adapter.IntfIdx;
        frame->AdapterPresent = present;
        frame->Header->SetImageIndex(present ? ANCC.ImageIndex(i) : 0);
    }
}

void TWatcherPanels::StartNewBaselines()
{
    for (Tfrm_qn_Watcher* frame : FWatchers)
        frame->StartNewBaseline();
}

bool TWatcherPanels::AnyMissing() const
{
    return std::any_of(FWatchers.begin(), FWatchers.end(),
                       [](const Tfrm_qn_Watcher* AFrame) { return !AFrame->AdapterPresent; });
}

QString TWatcherPanels::UniqueName(std::uint32_t AIntfIdx) const
{
    // "Watcher_%d", with a suffix while a remaining panel of a vanished interface carries the name.
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

} // namespace qn
