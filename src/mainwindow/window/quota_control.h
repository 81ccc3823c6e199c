// TQuotaControl: the data cap of the settings file's [Quota] section, its dialog and its warnings.
#pragma once

#include "history/quota_settings.h"
#include "history/quota_status.h"

#include <functional>
#include <optional>
#include <string>

class QString;
class QWidget;

namespace qn {

class TDesktopNotifier;
class THistoryRecording;
class TLayoutManagerINIStorage;
class TTrayDock;
struct TQuotaWarning;

// The cap is read and written key by key in the file, whatever the persistence switch: it is no
// layout. A write replaces the file once for the whole section and throws before anything changed.
// The recorder, when there is one (null records nothing), is told the cap at each read and write.
// The window parents the dialog, the messages and the notifier; it and the tray dock are borrowed
// and must outlive this object.
class TQuotaControl
{
public:
    TQuotaControl(QWidget* AWindow, TTrayDock& ATray);

    const TQuotaSettings& Settings() const { return FSettings; }
    // Reads the section; a bad value reaches ShowMessage once per reading.
    void Load(TLayoutManagerINIStorage& AStorage, THistoryRecording* AHistory);
    // "Data Cap...": EditSettings edits a copy of the cap; an accepted one is written at once.
    void Edit(TLayoutManagerINIStorage& AStorage, THistoryRecording* AHistory);
    // Tells the user of a warning: the desktop's notification service, else the tray.
    void Notify(const TQuotaWarning& AWarning);
    TDesktopNotifier* Notifier() const { return FNotifier; }
    // The recorder's cap figures while AHistory records, current to its last read; none while the
    // cap changed, or a period began, since its last check.
    std::optional<TQuotaStatus> Live(const THistoryRecording* AHistory) const;

    // The "Data Cap" dialog unless replaced; true when the user accepted.
    std::function<bool(QWidget* AParent, TQuotaSettings& ASettings)> EditSettings;
    // A warning box over the window, told without waiting for an answer as the history's messages are.
    std::function<void(const QString& AMessage)> ShowMessage;

private:
    void Store(TLayoutManagerINIStorage& AStorage, const TQuotaSettings& ASettings);

    QWidget* FWindow;
    TDesktopNotifier* FNotifier;
    TQuotaSettings FSettings;
};

} // namespace qn
