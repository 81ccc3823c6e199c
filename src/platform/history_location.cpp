// History file location: beside the settings on removable media, else under the user's data folder.
#include "platform/history_location.h"

#include "platform/app_data.h"
#include "platform/portable_drive.h"
#include "platform/settings_location.h"

#include <filesystem>

namespace qn {

namespace {
constexpr const char* HistoryFileName = "history.sqlite";
}

std::string HistoryFilePath(const std::string& ASettingsFile, bool APortable, const std::string& ADataHome,
                            const std::string& ACompany, const std::string& AProduct)
{
    namespace fs = std::filesystem;
    const fs::path folder =
        APortable ? fs::path(ASettingsFile).parent_path() : fs::path(ProgramFolder(ADataHome, ACompany, AProduct));
    return (folder / HistoryFileName).string();
}

std::string HistoryFilePathForThisProgram(const std::string& ASettingsFile, const std::string& ACompany,
                                          const std::string& AProduct)
{
    return HistoryFilePath(ASettingsFile, IsPortableDrive(GetExecutablePath()), GetUserDataFolder(), ACompany,
                           AProduct);
}

} // namespace qn
