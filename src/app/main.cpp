// Quarno's entry: version record, settings location, application object and the main window.
#include "about/version_info.h"
#include "app/startup.h"
#include "layout/layout_manager_ini_storage.h"
#include "mainwindow/settings_storage.h"
#include "mainwindow/wnd_qn_main.h"
#include "platform/settings_location.h"

#include <QApplication>

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
    qn::SetUpApplication();

    qn::Twnd_qn_Main window;
    QObject::connect(&window, &qn::Twnd_qn_Main::Closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window.show();
    return app.exec();
}
