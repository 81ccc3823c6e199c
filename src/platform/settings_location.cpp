// Settings file location: next to the executable on removable media, else under the app-data folder.
#include "platform/settings_location.h"

#include "platform/app_data.h"
#include "platform/portable_drive.h"

#include <filesystem>

namespace qn {

std::string ProgramFolder(const std::string& ABase, const std::string& ACompany, const std::string& AProduct)
{
    std::filesystem::path folder(ABase);
    if (!ACompany.empty())
        folder /= ACompany;
    if (!AProduct.empty())
        folder /= AProduct;
    return folder.string();
}

std::string SettingsFilePath(const std::string& AExePath, bool APortable, const std::string& AAppData,
                             const std::string& ACompany, const std::string& AProduct)
{
    namespace fs = std::filesystem;
    const fs::path exe(AExePath);
    fs::path file = exe.filename();
    if (file.empty())
        file = "quarno";
    file.replace_extension(".ini");
    const fs::path folder = APortable ? exe.parent_path() : fs::path(ProgramFolder(AAppData, ACompany, AProduct));
    return (folder / file).string();
}

std::string SettingsFilePathForThisProgram(const std::string& ACompany, const std::string& AProduct)
{
    const std::string exe = GetExecutablePath();
    return SettingsFilePath(exe, IsPortableDrive(exe), GetAppDataFolder(), ACompany, AProduct);
}

} // namespace qn
