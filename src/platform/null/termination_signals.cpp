// Without a port there are no termination signals to catch: the program ends on them as before.
#include "platform/termination_signals.h"

namespace qn {

int InstallTerminationSignals()
{
    return -1;
}

int TakeTerminationSignal(int)
{
    return 0;
}

} // namespace qn
