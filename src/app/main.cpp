// Quarno's entry: version record, settings location, application object and the main window.
#include "about/version_info.h"
#include "app/startup.h"
#include "history/history_messages.h"
#include "history/history_recording.h"
#include "layout/layout_manager_ini_storage.h"
#include "layout/settings_storage.h"
#include "mainwindow/window/wnd_qn_main.h"
#include "platform/clock.h"
#include "platform/history_location.h"
#include "platform/settings_location.h"
#include "platform/termination_signals.h"
#include "translations/plain_message.h"
#include "translations/ui_translator.h"
#include "widgetkit/warning_box.h"

#include <QApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    // First, so that a request to end that comes during start-up waits for the event loop.
    const int endRequests = qn::InstallTerminationSignals();

    // The version record first: the settings folder is named after its company and product.
    const qn::TVersionInfo& version = qn::ApplicationVersionInfo();
    const std::string company = version.CompanyName.empty() ? "Veldo" : version.CompanyName;
    const std::string product = version.ProductName.empty() ? "Quarno" : version.ProductName;
    const std::string settings = qn::SettingsFilePathForThisProgram(company, product);
    qn::SettingsStorage()->SetFileName(settings);

    if (const std::string platform = qn::ForcedQtPlatform(std::getenv("QT_QPA_PLATFORM"),
                                                          std::getenv("WAYLAND_DISPLAY"), std::getenv("DISPLAY"));
        !platform.empty())
        setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
    QApplication app(argc, argv);
    qn::InstallUiTranslators();
    qn::SetUpApplication();

    // The program's one clock: every part that reads the time is handed this one.
    qn::IClock& clock = qn::SystemClock();
    qn::Twnd_qn_Main window;
    window.Clock = &clock;
    QObject::connect(&window, &qn::Twnd_qn_Main::Closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    // Only the first running copy records; every copy shows the report.
    qn::THistoryRecording history(clock, qn::HistoryFilePathForThisProgram(settings, company, product));
    history.OnMessage = [&window](const std::string& AMessage) {
        // Told without waiting for an answer: the panels go on meanwhile.
        qn::ShowWarningBox(&window,
                           qn::TranslatePlainMessage(AMessage, qn::HistoryMessageContext, qn::HistoryMessageTemplates));
    };
    history.OnQuotaWarning = [&window](const qn::TQuotaWarning& AWarning) { window.NotifyQuota(AWarning); };
    history.Start();
    window.History = &history;
    window.HistoryFile = history.FileName();
    history.SetQuota(window.Quota());

    // Logout, shutdown, `kill`, a closed terminal and Ctrl+C end the program as File > Exit does;
    // the session manager's request to save writes what that ending writes.
    QSocketNotifier endNotifier(endRequests < 0 ? 0 : endRequests, QSocketNotifier::Read);
    endNotifier.setEnabled(endRequests >= 0);
    QObject::connect(&endNotifier, &QSocketNotifier::activated, &window, [&window, endRequests] {
        if (qn::TakeTerminationSignal(endRequests) != 0)
            window.EndSession();
    });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.SaveSession(); });

    window.show();
    const int result = app.exec();
    history.Stop();
    window.History = nullptr;
    return result;
}
