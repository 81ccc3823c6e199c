// The per-user folders from the shell (CSIDL_APPDATA, CSIDL_LOCAL_APPDATA) and the module's own path.
#include "platform/app_data.h"

#include "platform/windows/sdk.h"
#include "platform/windows/wide_path.h"

#include <shlobj.h>

namespace qn {

namespace {

std::string ShellFolder(int AFolder)
{
    wchar_t path[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, AFolder, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
        return {};
    std::string out = win::Narrow(path);
    if (!out.empty() && out.back() != '\\' && out.back() != '/')
        out += '\\';
    return out;
}

} // namespace

std::string GetAppDataFolder()
{
    return ShellFolder(CSIDL_APPDATA);
}

std::string GetUserDataFolder()
{
    return ShellFolder(CSIDL_LOCAL_APPDATA);
}

std::string GetExecutablePath()
{
    // Long paths need more than MAX_PATH; grow until the name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (int tries = 0; tries < 6; ++tries) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            path.resize(n);
            return win::Narrow(path);
        }
        path.resize(path.size() * 2);
    }
    return {};
}

} // namespace qn
