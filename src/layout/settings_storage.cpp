// The process-wide INI settings storage.
#include "layout/settings_storage.h"

#include "layout/layout_manager_ini_storage.h"

namespace qn {

std::shared_ptr<TLayoutManagerINIStorage> SettingsStorage()
{
    static const auto storage = std::make_shared<TLayoutManagerINIStorage>();
    return storage;
}

} // namespace qn
