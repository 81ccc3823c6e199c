// No per-user folder and no executable path are known: settings go beside the working folder.
#include "platform/app_data.h"

namespace qn {

std::string GetAppDataFolder()
{
    return "./";
}

std::string GetUserDataFolder()
{
    return "./";
}

std::string GetExecutablePath()
{
    return {};
}

} // namespace qn
