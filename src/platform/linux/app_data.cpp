// The per-user configuration folder (XDG rules) and the executable's path from /proc.
#include "platform/app_data.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <pwd.h>
#include <unistd.h>

namespace qn {

namespace {

std::string WithSlash(std::string APath)
{
    if (APath.empty() || APath.back() != '/')
        APath += '/';
    return APath;
}

std::string HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return "/";
}

} // namespace

std::string GetAppDataFolder()
{
    // XDG: a relative value is invalid and must be ignored.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/')
        return WithSlash(xdg);
    return WithSlash(WithSlash(HomeFolder()) + ".config");
}

std::string GetUserDataFolder()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/')
        return WithSlash(xdg);
    return WithSlash(WithSlash(HomeFolder()) + ".local/share");
}

std::string GetExecutablePath()
{
    std::error_code ec;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : path.string();
}

} // namespace qn
