// TMainPersistence: the main window's stored properties, its watch choices and the persistence switch.
#include "mainwindow/window/main_persistence.h"

#include "layout/layout_manager_ini_storage.h"
#include "layout/lm_form.h"
#include "layout/settings_storage.h"
#include "mainwindow/frame/top_most_window.h"
#include "mainwindow/interface_list/intf_tree.h"
#include "mainwindow/interface_list/watch_choices.h"
#include "mainwindow/tray/traffic_tray_icon.h"
#include "mainwindow/window/main_components.h"

#include <QAction>

namespace qn {

TMainPersistence::TMainPersistence(TLMForm& AForm, const TMainComponents& AComponents, QAction* ASwitch,
                                   TNetworkConfiguration& ANCC)
    : FForm(AForm), FSwitch(ASwitch)
{
    TLayoutManager& lm = *AForm.LayoutManager();
    lm.SetStorage(SettingsStorage());
    lm.Add(AComponents.Tree, {"Visible", "Tag"}, {}, 0);
    lm.Add(AComponents.TMW, {"AlwaysOnTop", "Tag"});
    lm.Add(ASwitch, {"Checked"});
    lm.Add(AComponents.TrayIcon, {"ShowTraffic"});
    FChoices = std::make_unique<TWatchChoices>(lm.StoredValues());
    FChoices->Register(ANCC);
    AForm.SetOnBeforeSave([this, &ANCC](TLayoutManager*) { FChoices->Prune(ANCC, true); });
}

TMainPersistence::~TMainPersistence()
{
    FForm.SetOnBeforeSave({});
}

void TMainPersistence::Restored()
{
    FForm.SetLayoutReadOnly(!FSwitch->isChecked());
}

void TMainPersistence::SwitchChanged()
{
    // Decision: turning persistence off is itself remembered (and nothing else), else the next
    // start would restore the switch as on from the last save.
    FForm.SetLayoutReadOnly(!FSwitch->isChecked());
    TLayoutManager& lm = *FForm.LayoutManager();
    if (const int i = lm.FindComponent(FSwitch); i >= 0 && !FSwitch->isChecked())
        lm.Items(i).Save();
}

} // namespace qn
