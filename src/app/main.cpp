// Quarno's entry: version record, settings location, application object and the main window.
#include "chart/format_settings.h"
#include "layout/layout_manager_ini_storage.h"
#include "mainwindow/settings_storage.h"
#include "mainwindow/wnd_qn_main.h"
#include "platform/app_data.h"
#include "platform/settings_location.h"

#include <QApplication>
#include <QLocale>

#include <cstdlib>
#include <string>

namespace {

// Wayland gives applications no say over stacking, position or taskbar presence, which "Always
// Visible", the stored position and the caption-less mode need: run through XWayland unless the
// user chose a platform.
void PreferXWayland()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* x11 = std::getenv("DISPLAY");
    if ((!platform || !*platform) && wayland && *wayland && x11 && *x11)
        setenv("QT_QPA_PLATFORM", "xcb", 1);
}

void TakeFormatSettingsFromLocale()
{
    const QLocale locale = QLocale::system();
    qn::TFormatSettings settings;
    settings.DecimalSeparator = locale.decimalPoint().toStdString();
    settings.ThousandSeparator = locale.groupSeparator().toStdString();
    settings.ShortDateFormat = locale.dateFormat(QLocale::ShortFormat).toStdString();
    settings.LongTimeFormat = locale.timeFormat(QLocale::LongFormat).toStdString();
    settings.AmDesignator = locale.amText().toStdString();
    settings.PmDesignator = locale.pmText().toStdString();
    for (int m = 1; m <= 12; ++m) {
        settings.ShortMonthNames[m - 1] = locale.monthName(m, QLocale::ShortFormat).toStdString();
        settings.LongMonthNames[m - 1] = locale.monthName(m, QLocale::LongFormat).toStdString();
    }
    for (int d = 0; d < 7; ++d) {
        const int qtDay = d == 0 ? 7 : d; // Qt counts Monday = 1 ... Sunday = 7
        settings.ShortDayNames[d] = locale.dayName(qtDay, QLocale::ShortFormat).toStdString();
        settings.LongDayNames[d] = locale.dayName(qtDay, QLocale::LongFormat).toStdString();
    }
    qn::SetFormatSettings(settings);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string exe = qn::GetExecutablePath();
    const std::string company = "Veldo";
    const std::string product = "Quarno";
    qn::SettingsStorage()->SetFileName(qn::SettingsFilePathForThisProgram(company, product));

    PreferXWayland();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarno"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quarno"));
    QApplication::setDesktopFileName(QStringLiteral("org.veldo.Quarno"));
    // The window hides to the tray and dialogs may close while it is hidden: only "Exit" ends.
    QApplication::setQuitOnLastWindowClosed(false);
    TakeFormatSettingsFromLocale();

    qn::Twnd_qn_Main window;
    QObject::connect(&window, &qn::Twnd_qn_Main::Closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window.show();
    return app.exec();
}
