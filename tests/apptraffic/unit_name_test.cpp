// How unit names become applications, services and the session.
#include "apptraffic/unit_name.h"

#include <gtest/gtest.h>

namespace qn {
namespace {

TEST(UnitName, NamesTheDeepestUnitOfAPath)
{
    struct TCase
    {
        const char* Path;
        TUnitKind Kind;
        const char* Id;
    } cases[] = {
        {"/user.slice/user-1000.slice/user@1000.service/app.slice/app-gnome-firefox-4242.scope",
         TUnitKind::ukApplication, "firefox"},
        {"/user.slice/user-1000.slice/user@1000.service/app.slice/app-gnome-org.gnome.Terminal-77.scope",
         TUnitKind::ukApplication, "org.gnome.Terminal"},
        {"/user.slice/user-1000.slice/user@1000.service/app.slice/app-firefox-4242.scope", TUnitKind::ukApplication,
         "firefox"},
        {"/app.slice/app-flatpak-org.mozilla.firefox-3344.scope", TUnitKind::ukApplication, "org.mozilla.firefox"},
        {"/app.slice/app-org.kde.konsole@0a1b2c.service", TUnitKind::ukApplication, "org.kde.konsole"},
        {"/app.slice/app-gnome-org.gnome.Nautilus@12.service", TUnitKind::ukApplication, "org.gnome.Nautilus"},
        {"/app.slice/app-google\\x2dchrome-99.scope", TUnitKind::ukApplication, "google-chrome"},
        {"/app.slice/app-gnome-1234.scope", TUnitKind::ukApplication, "gnome"},
        {"/app.slice/app-thunderbird.service", TUnitKind::ukApplication, "thunderbird"},
        {"/system.slice/NetworkManager.service", TUnitKind::ukService, "NetworkManager"},
        {"/system.slice/system-getty.slice/getty@tty1.service", TUnitKind::ukService, "getty@tty1"},
        {"/user.slice/user-1000.slice/user@1000.service/session.slice/pipewire.service", TUnitKind::ukService,
         "pipewire"},
        {"/user.slice/user-1000.slice/session-3.scope", TUnitKind::ukSession, "session"},
        {"/user.slice/user-1000.slice/user@1000.service/app.slice/vte-spawn-1f2e.scope", TUnitKind::ukSession,
         "session"},
        {"/user.slice/user-1000.slice/user@1000.service/init.scope", TUnitKind::ukSession, "session"},
        {"/user.slice/user-1000.slice/user@1000.service", TUnitKind::ukSession, "session"},
        {"/", TUnitKind::ukNone, ""},
        {"/user.slice", TUnitKind::ukNone, ""},
        {"", TUnitKind::ukNone, ""},
        {"/app-.scope", TUnitKind::ukSession, "session"},
        {"/.service", TUnitKind::ukNone, ""},
    };
    for (const TCase& c : cases) {
        const TUnitIdentity unit = IdentifyCgroup(c.Path);
        EXPECT_EQ(unit.Kind, c.Kind) << c.Path;
        EXPECT_EQ(unit.Id, c.Id) << c.Path;
    }
}

} // namespace
} // namespace qn
