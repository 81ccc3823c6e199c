// Desktop entries read through GIO's GDesktopAppInfo.
#include "appview/desktop_entry.h"

#include <QFileInfo>

#include <map>

// GLib's headers use "signals" as a name, which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#pragma pop_macro("signals")

namespace qn {

namespace {

QIcon IconOf(GAppInfo* AInfo)
{
    GIcon* icon = g_app_info_get_icon(AInfo);
    if (!icon)
        return {};
    gchar* text = g_icon_to_string(icon);
    if (!text)
        return {};
    const QString name = QString::fromUtf8(text);
    g_free(text);
    if (QFileInfo(name).isAbsolute())
        return QIcon(name);
    return QIcon::fromTheme(name);
}

} // namespace

const TDesktopEntry& LookUpDesktopEntry(const std::string& AId)
{
    static std::map<std::string, TDesktopEntry> cache;
    const auto it = cache.find(AId);
    if (it != cache.end())
        return it->second;
    TDesktopEntry entry;
    entry.Name = QString::fromStdString(AId);
    const std::string file = AId + ".desktop";
    if (GDesktopAppInfo* info = g_desktop_app_info_new(file.c_str())) {
        entry.Found = true;
        if (const char* name = g_app_info_get_name(G_APP_INFO(info)))
            entry.Name = QString::fromUtf8(name);
        entry.Icon = IconOf(G_APP_INFO(info));
        g_object_unref(info);
    }
    return cache.emplace(AId, entry).first->second;
}

} // namespace qn
