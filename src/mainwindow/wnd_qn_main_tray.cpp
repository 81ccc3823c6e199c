// The main window's tray side, handed to TTrayDock.
#include "mainwindow/wnd_qn_main.h"

#include "mainwindow/tray_dock.h"

namespace qn {

void Twnd_qn_Main::TrayIconClick()
{
    FTrayDock->Restore();
}

bool Twnd_qn_Main::TrayDocked() const
{
    return FTrayDock->Docked();
}

void Twnd_qn_Main::setVisible(bool AVisible)
{
    if (AVisible && !isVisible())
        FSizeBeforeRestore = size();
    TLMForm::setVisible(AVisible);
}

void Twnd_qn_Main::showEvent(QShowEvent* AEvent)
{
    FTrayDock->Showing();
    TLMForm::showEvent(AEvent);
    FTrayDock->Shown();
}

} // namespace qn
