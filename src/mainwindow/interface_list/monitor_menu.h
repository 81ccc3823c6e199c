// TMonitorMenu: the "Monitor" menu's items, one checkable item per interface of the snapshot.
#pragma once

#include <cstdint>
#include <functional>
#include <unordered_map>

class QAction;
class QMenu;

namespace qn {

class TNetworkConfiguration;

// Keeps the menu in step with the snapshot: each item carries its interface's index as data and
// its mark as the check. The menu is borrowed and owns the items.
class TMonitorMenu
{
public:
    explicit TMonitorMenu(QMenu* AMenu) : FMenu(AMenu) {}

    // The user chose an item (its check already toggled).
    std::function<void(QAction* AItem)> OnChoose;

    // Items of interfaces that left go, new ones are inserted in the snapshot's order, staying ones
    // keep their object and get the name and mark of now.
    void Refresh(const TNetworkConfiguration& ANCC);
    // The item of AIntfIdx, or null.
    QAction* Item(std::uint32_t AIntfIdx) const;
    void SetChecked(std::uint32_t AIntfIdx, bool AChecked) const;

private:
    QMenu* FMenu;
    std::unordered_map<std::uint32_t, QAction*> FItems;
};

} // namespace qn
