// TWatchedInterfaces: keeps which interfaces are watched in step wherever the window shows or keeps it.
#pragma once

#include <cstdint>
#include <functional>

class QAction;

namespace qn {

class IClock;
class TIntfListModel;
class TMonitorMenu;
class TNetworkConfiguration;
class TWatchChoices;
class TWatcherPanels;
struct TAdapter;

// The watched set shows in five places: the snapshot's marks, the panels, the "Monitor" menu's
// checks, the list's check boxes and the stored choices (TWatchChoices). Every change goes through
// here so that they agree: a refresh starts from the stored choices, and a choice made in the menu
// or the list (connected here, inside the guard) goes through Choose.
//
// Everything is borrowed from the window and must outlive this object. AClock gives the clock of
// each new panel (null is the system's). Everything runs on the GUI thread.
class TWatchedInterfaces
{
public:
    // The window's guard: runs a choice so that no exception crosses the event loop.
    using TGuard = std::function<void(const std::function<void()>& AWork)>;

    TWatchedInterfaces(TNetworkConfiguration& ANCC, TWatcherPanels& APanels, TMonitorMenu& AMenu, TIntfListModel& AList,
                       TWatchChoices& AChoices, std::function<IClock*()> AClock, const TGuard& AGuard);
    ~TWatchedInterfaces();
    TWatchedInterfaces(const TWatchedInterfaces&) = delete;
    TWatchedInterfaces& operator=(const TWatchedInterfaces&) = delete;

    // After each reading of the snapshot: the marks from the stored choices, each interface's
    // picture, a panel for every marked interface and none for an unmarked one, then every panel's
    // picture and presence (RefreshWatcherImages). The list and the menu are rebuilt from the marks afterwards by their
    // owners.
    void RefreshWatchers();
    // The user watches or stops watching the interface at AIndex of the snapshot; an index out of
    // range does nothing.
    void Choose(int AIndex, bool AWatched);
    // Watches AData for this run only: the mark, the panel (a new one, or the record of now for the
    // panel of its name), the menu's check and the list's; nothing is stored.
    void AddWatcher(const TAdapter& AData);
    // Stops watching the interface AIntfIdx for this run: the mark, its panel, the menu's check and
    // the list's; nothing is stored. Without a panel only the mark is cleared.
    void RemoveWatcher(std::uint32_t AIntfIdx);
    void RemoveWatcher(const TAdapter& AData);

private:
    // A "Monitor" item was chosen (its check already toggled).
    void cmIntfClick(QAction* Sender);
    // A list row's check box was changed by the user.
    void TreeChecked(int ARow, bool AChecked);

    TNetworkConfiguration& FNCC;
    TWatcherPanels& FPanels;
    TMonitorMenu& FMenu;
    TIntfListModel& FList;
    TWatchChoices& FChoices;
    std::function<IClock*()> FClock;
};

} // namespace qn
