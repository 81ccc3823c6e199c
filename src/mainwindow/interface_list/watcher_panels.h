// TWatcherPanels: the life cycle of the watcher panels, one per watched interface name.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

class QLabel;
class QMenu;
class QObject;
class QScrollArea;
class QWidget;

namespace qn {

class IClock;
class TNetworkConfiguration;
class TSvgImageList;
class Tfrm_qn_Watcher;
struct TAdapter;

// The panels of the watcher area. A panel belongs to an interface name (compared by the system's
// rule): it is created when the name is first watched, keeps its figures and chart while the
// interface comes and goes, and is freed once control is back in the event loop after its name is
// no longer watched. Panels keep their design height, are as wide as the area and stacked from its top in
// order of creation, above the stretch that keeps them there; the start hint shows while there is
// none. The images, the menu and the header's event filter are borrowed from the window and must
// outlive this object. Everything runs on the GUI thread.
class TWatcherPanels
{
public:
    // Creates the scroll box with its contents and the start hint as children of AParent.
    TWatcherPanels(QWidget* AParent, TSvgImageList* AImages, QObject* AHeaderFilter);

    // The area (its contents are the panels' parent) and the hint shown while there is no panel.
    QScrollArea* Area() const { return FScrollBox; }
    QLabel* StartHint() const { return FStartHint; }
    // The pop-up menu of the panels' headers and charts.
    QMenu* Popup = nullptr;
    // The panels in order of creation; each is owned by the area.
    const std::vector<Tfrm_qn_Watcher*>& Panels() const { return FWatchers; }
    // The clock of the panels created from now on; null is the system's.
    IClock* Clock = nullptr;
    // A panel's "Properties" button.
    std::function<void(const TAdapter& AAdapter)> OnProperties;

    // Shows AData in the panel of its name, which gets the record and the picture of now; creates
    // and starts one when there is none. Returns whether it created one.
    bool Show(const TAdapter& AData);
    // Removes the panel that the interface at AIndex stands for (see the rule in the .cpp); returns
    // whether there was one.
    bool Remove(const TNetworkConfiguration& ANCC, std::uint32_t AIndex);
    // InterfaceNameKey of every panel's name.
    std::unordered_set<std::string> NameKeys() const;
    // Each panel's header picture of now: its interface's, or the warning picture when no interface
    // of its name is at its index; a panel reads only while one is.
    void RefreshWatcherImages(const TNetworkConfiguration& ANCC);
    // Every panel counts its traffic so far and starts a new baseline (sleep and wake).
    void StartNewBaselines();
    // Whether a panel's interface is not in the snapshot.
    bool AnyMissing() const;

private:
    QString UniqueName(std::uint32_t AIntfIdx) const;

    QScrollArea* FScrollBox;
    QWidget* FArea;
    QLabel* FStartHint;
    TSvgImageList* FImages;
    QObject* FHeaderFilter;
    std::vector<Tfrm_qn_Watcher*> FWatchers;
};

} // namespace qn
