// The one settings storage of the process.
#pragma once

#include <memory>

namespace qn {

class TLayoutManagerINIStorage;

// Created on first use and kept until the process ends; main() gives it its file name before the
// main window exists. Shared with every layout-aware form.
std::shared_ptr<TLayoutManagerINIStorage> SettingsStorage();

} // namespace qn
