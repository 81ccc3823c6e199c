// The system's requests to end the program (logout, shutdown, a closed terminal, Ctrl+C), as a descriptor to read.
#pragma once

namespace qn {

// Catches SIGTERM, SIGHUP and SIGINT from now on. Each one writes its number as one byte into a
// pipe whose read end this returns; the event loop watches it and runs the program's ordinary
// ending. The handler does nothing else, so nothing unsafe runs inside a signal. A second of
// these signals while the first is still unread or being handled ends the process at once, as
// the signal would have without a handler (an ending that hangs must not keep the machine from
// shutting down). Calling it again returns the same descriptor. -1 where the system has no such
// signals or the pipe cannot be made; the program then ends on them as before.
int InstallTerminationSignals();

// The number of the signal waiting on ADescriptor, or 0 when none is waiting (never blocks).
int TakeTerminationSignal(int ADescriptor);

} // namespace qn
