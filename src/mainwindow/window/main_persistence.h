// TMainPersistence: what the main window keeps between starts, and its persistence switch.
#pragma once

#include <memory>

class QAction;

namespace qn {

class TLMForm;
class TNetworkConfiguration;
class TWatchChoices;
struct TMainComponents;

// Registers with the form's layout manager, whose storage becomes SettingsStorage(): the list's
// shown state and filter (Tree: Visible, Tag), the top-most state and the caption choice (TMW:
// AlwaysOnTop, Tag), the switch itself ("Persistent layout and settings": Checked) and the tray's
// traffic (TrayIcon: ShowTraffic). The watch choices (TWatchChoices) are the manager's named values,
// pruned before each save.
//
// The layout is read-only while the switch is off; the watch choices and the data cap are written
// at once whatever it says. The form, the components, the switch and the snapshot are borrowed and
// must outlive this object.
class TMainPersistence
{
public:
    TMainPersistence(TLMForm& AForm, const TMainComponents& AComponents, QAction* ASwitch, TNetworkConfiguration& ANCC);
    ~TMainPersistence();

    TWatchChoices& Choices() { return *FChoices; }
    // After each restore: the layout is writable exactly while the restored switch is on.
    void Restored();
    // The user flipped the switch.
    void SwitchChanged();

private:
    TLMForm& FForm;
    QAction* FSwitch;
    std::unique_ptr<TWatchChoices> FChoices;
};

} // namespace qn
