// TWakeOnce: which wake is to be handled.
#include "mainwindow/session/wake_once.h"

namespace qn {

bool TWakeOnce::BusWake()
{
    const bool handle = !FHandled;
    FHandled = true;
    return handle;
}

bool TWakeOnce::ClockWake()
{
    FHandled = true;
    return true;
}

} // namespace qn
