// The per-user application-data folder and the running executable's own path.
#pragma once

#include <string>

namespace qn {

// The user's configuration folder: $XDG_CONFIG_HOME when it is set to an absolute path, else
// $HOME/.config (the home folder taken from the password database when HOME is unset). Always ends
// with a '/'. The folder is not created.
std::string GetAppDataFolder();

// The user's data folder: $XDG_DATA_HOME when it is set to an absolute path, else
// $HOME/.local/share. Always ends with a '/'. The folder is not created.
std::string GetUserDataFolder();

// The full path of the running executable, or an empty string when the system does not say.
std::string GetExecutablePath();

} // namespace qn
