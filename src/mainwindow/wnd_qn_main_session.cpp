// The main window across the user's day: the end of the session, and the machine's sleep and wake.
#include "mainwindow/wnd_qn_main.h"

#include "mainwindow/history_recording.h"
#include "mainwindow/sleep_watch.h"
#include "mainwindow/watcher_panels.h"

#include <QAction>

namespace qn {

void Twnd_qn_Main::EndSession()
{
    // Exactly what File > Exit does: the close, after which the program writes the history and
    // saves the layout on its way out.
    acExit->trigger();
}

void Twnd_qn_Main::SaveSession()
{
    // The save of a move or resize is due anyway; a layout that is read-only saves nothing.
    FlushPendingSave();
    Guarded([this] { LayoutManager()->Save(); });
    if (History)
        History->WriteNow();
}

void Twnd_qn_Main::SetUpSleepWatch()
{
    FSleepWatch = std::make_unique<TSleepWatch>(this);
    FSleepWatch->OnSleep = [this] { Guarded([this] { PrepareForSleep(); }); };
    FSleepWatch->OnResume = [this] { Guarded([this] { ResumeFromSleep(); }); };
    FSleepWatch->Missing = [this] { return FPanels->AnyMissing(); };
    FSleepWatch->OnLook = [this] { Guarded([this] { RefreshData(); }); };
}

int Twnd_qn_Main::ResumeCount() const
{
    return FSleepWatch->ResumeCount();
}

void Twnd_qn_Main::PrepareForSleep()
{
    // The traffic up to the sleep is counted now; the links may be gone or new after the wake.
    FPanels->StartNewBaselines();
    if (History)
        History->WriteNow();
}

void Twnd_qn_Main::ResumeFromSleep()
{
    FSleepWatch->Woken();
    RefreshData();
    FPanels->StartNewBaselines();
    if (History)
        History->WriteNow();
    FSleepWatch->StartLooks();
}

} // namespace qn
