// Where the traffic history database of the program lives.
#pragma once

#include <string>

namespace qn {

// The history file: beside the settings file ASettingsFile when APortable (the program runs from
// removable media), else ADataHome/ACompany/AProduct/history.sqlite. ADataHome ends with '/'.
// Empty company or product names are left out of the path.
std::string HistoryFilePath(const std::string& ASettingsFile, bool APortable, const std::string& ADataHome,
                            const std::string& ACompany, const std::string& AProduct);

// The same for the running program, with its settings file ASettingsFile.
std::string HistoryFilePathForThisProgram(const std::string& ASettingsFile, const std::string& ACompany,
                                          const std::string& AProduct);

} // namespace qn
