// Where the settings file of the program lives.
#pragma once

#include <string>

namespace qn {

// ABase/ACompany/AProduct: the program's own folder under a per-user base folder. Empty company
// or product names are left out rather than making empty folders.
std::string ProgramFolder(const std::string& ABase, const std::string& ACompany, const std::string& AProduct);

// The settings file for the executable AExePath: in the executable's own folder when APortable
// (the program runs from removable media), else in AAppData/ACompany/AProduct/; the file name is
// the executable's name with its extension (if any) replaced by ".ini". AAppData ends with '/'.
// Empty company or product names are left out of the path rather than making empty folders.
std::string SettingsFilePath(const std::string& AExePath, bool APortable, const std::string& AAppData,
                             const std::string& ACompany, const std::string& AProduct);

// The same for the running program: its own path, the portable-drive test and the user's
// application-data folder.
std::string SettingsFilePathForThisProgram(const std::string& ACompany, const std::string& AProduct);

} // namespace qn
