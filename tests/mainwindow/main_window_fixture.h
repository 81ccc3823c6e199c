// The main window's widget tests: the real window offscreen over a scripted IP helper service with
// three interfaces, fixed caption and desktop metrics, a desktop whose tray comes and goes as the
// test says (none at first, as offscreen), and a settings file in a temporary folder.
#pragma once

#include "layout/layout_manager_ini_storage.h"
#include "layout/settings_storage.h"
#include "mainwindow/frame/window_metrics.h"
#include "mainwindow/session/desktop_shell.h"
#include "mainwindow/window/wnd_qn_main.h"
#include "support/caption_metrics_guard.h"
#include "support/desktop_metrics_guard.h"
#include "support/error_handler_guard.h"
#include "support/fake_ip_helper.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QRect>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace qn::test {

inline constexpr TCaptionMetrics Metrics{20, 15, 18};
inline constexpr QRect WorkArea(0, 0, 1280, 1000);

class TMainWindowFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        FFile = FDir.filePath(QStringLiteral("Veldo/Quarno/quarno.ini")).toStdString();
        SettingsStorage()->SetFileName(FFile);
        FMetrics.emplace(Metrics);
        FDesktop.emplace(WorkArea, WorkArea);
        FShell.emplace(TDesktopShell{[this] {
                                         ++FTrayLooks;
                                         return FTrayAvailable;
                                     },
                                     [this] { return std::exchange(FTrayAnnounced, false); },
                                     [this](QWidget* AWindow, bool ASkip) {
                                         if (AWindow == FWindow.get())
                                             FSkipTaskbar = ASkip;
                                     }});
        FErrors.emplace();

        FFake.emplace();
        AddInterface(2, "eth0", IF_TYPE_ETHERNET_CSMACD, IF_OPER_STATUS_OPERATIONAL);
        AddInterface(3, "eth1", IF_TYPE_ETHERNET_CSMACD, IF_OPER_STATUS_DISCONNECTED);
        AddInterface(5, "wlan0", IF_TYPE_IEEE80211, IF_OPER_STATUS_OPERATIONAL);
    }

    void TearDown() override
    {
        FWindow.reset();
        FFake.reset();
        FMetrics.reset();
        FDesktop.reset();
        FShell.reset();
        const QStringList errors = FErrors->Messages;
        FErrors.reset();
        TLMForm::SetMainForm(nullptr);
        EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
    }

    TFakeInterface& AddInterface(DWORD AIndex, const std::string& AName, UINT AType, DWORD AStatus)
    {
        TFakeInterface i;
        i.Index = AIndex;
        i.Name = AName;
        i.Description = AName + " adapter";
        i.Type = AType;
        i.OperStatus = AStatus;
        i.Mac = {0x02, 0, 0, 0, 0, static_cast<BYTE>(AIndex)};
        const std::string ip = "10.0.0." + std::to_string(AIndex);
        i.Addresses = {{ip, "255.255.255.0"}};
        FFake->Interfaces.push_back(i);
        FFake->AddAddress(ip.c_str(), "255.255.255.0", AIndex);
        return FFake->Interfaces.back();
    }

    // A new window (the old one goes first), shown; BeforeShow runs just before it is shown.
    Twnd_qn_Main& Start()
    {
        FWindow.reset();
        TLMForm::SetMainForm(nullptr);
        FWindow = std::make_unique<Twnd_qn_Main>();
        BeforeShow(*FWindow);
        FWindow->show();
        return *FWindow;
    }

    virtual void BeforeShow(Twnd_qn_Main&) {}

    // A change the notifier reports: the window arms its coalescing timer, and the refresh it
    // gives is run at once instead of 250 ms later.
    void NoticeChange(Twnd_qn_Main& AWindow)
    {
        AWindow.NetworkChangeNotifierChange(AWindow.NCN(), 0);
        ASSERT_TRUE(AWindow.RefreshTimer->isActive());
        AWindow.RefreshTimerTimer();
        EXPECT_FALSE(AWindow.RefreshTimer->isActive());
    }

    void Stop()
    {
        FWindow.reset();
        TLMForm::SetMainForm(nullptr);
    }

    void WriteSettings(const char* AText)
    {
        const QString file = QString::fromStdString(FFile);
        QDir().mkpath(QFileInfo(file).path());
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(AText);
    }

    // The item a user finds by its caption (mnemonics aside) in the menu bar's menu ATitle, or in the
    // pop-up menu of the list and the panels when ATitle is empty. None throws, failing the test.
    QAction& MenuItem(const QString& ATitle, const QString& ACaption)
    {
        const QMenu* menu = ATitle.isEmpty() ? FWindow->PopupMenu1 : nullptr;
        for (const QAction* a : FWindow->MainMenu->actions())
            if (!menu && a->menu() && QString(a->text()).remove(QLatin1Char('&')) == ATitle)
                menu = a->menu();
        for (QAction* a : menu ? menu->actions() : QList<QAction*>())
            if (QString(a->text()).remove(QLatin1Char('&')) == ACaption)
                return *a;
        throw std::invalid_argument("no menu item \"" + ACaption.toStdString() + "\" in \"" + ATitle.toStdString() +
                                    "\"");
    }

    std::string Setting(const std::string& ASection, const std::string& AKey)
    {
        TLayoutManagerINIStorage ini(FFile);
        return ini.ReadString(ASection, AKey, "<none>");
    }

    QTemporaryDir FDir;
    std::string FFile;
    std::optional<TFakeIpHelper> FFake;
    std::unique_ptr<Twnd_qn_Main> FWindow;
    // What would have been shown in message boxes.
    std::optional<TErrorHandlerGuard> FErrors;
    std::optional<TCaptionMetricsGuard> FMetrics;
    std::optional<TDesktopMetricsGuard> FDesktop;
    std::optional<TDesktopShellGuard> FShell;
    bool FTrayAvailable = false;
    int FTrayLooks = 0;
    // A tray's start message, taken by the next look.
    bool FTrayAnnounced = false;
    // What the window last asked of the taskbar: true = no entry; empty = nothing asked yet.
    std::optional<bool> FSkipTaskbar;
};

} // namespace qn::test
