// Quarno's entry: version record, settings location, application object and the main window.
#include "about/version_info.h"
#include "app/startup.h"
#include "layout/layout_manager_ini_storage.h"
#include "mainwindow/image_list.h"
#include "mainwindow/settings_storage.h"
#include "mainwindow/wnd_qn_main.h"
#include "platform/settings_location.h"

#include <QApplication>
#include <QLocale>

#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    // The version record first: the settings folder is named after its company and product.
    const qn::TVersionInfo& version = qn::ApplicationVersionInfo();
    const std::string company = version.CompanyName.empty() ? "Veldo" : version.CompanyName;
    const std::string product = version.ProductName.empty() ? "Quarno" : version.ProductName;
    qn::SettingsStorage()->SetFileName(qn::SettingsFilePathForThisProgram(company, product));

    if (const std::string platform = qn::ForcedQtPlatform(std::getenv("QT_QPA_PLATFORM"),
                                                          std::getenv("WAYLAND_DISPLAY"), std::getenv("DISPLAY"));
        !platform.empty())
        setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarno"));
    // No display name: Qt would append it to every window title ("Properties — Quarno").
    QApplication::setDesktopFileName(QStringLiteral("org.veldo.Quarno"));
    QApplication::setWindowIcon(qn::ApplicationIcon());
    // The window hides to the tray and dialogs may close while it is hidden: only "Exit" ends.
    QApplication::setQuitOnLastWindowClosed(false);
    qn::SetFormatSettings(qn::FormatSettingsFromLocale(QLocale::system()));
    QApplication::setStyle(new qn::THintTimingStyle);

    qn::Twnd_qn_Main window;
    QObject::connect(&window, &qn::Twnd_qn_Main::Closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window.show();
    return app.exec();
}
