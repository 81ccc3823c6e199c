// The system's requests to end the program (logout, shutdown, a closed terminal, Ctrl+C), as a descriptor to read.
#pragma once

namespace qn {

// The longest an ending begun by a signal may take before the watchdog ends the process.
inline constexpr unsigned TerminationWatchdogSeconds = 5;

// Catches SIGTERM, SIGHUP and SIGINT from now on. The first one writes its number as one byte into
// a pipe whose read end this returns; the event loop watches it and runs the program's ordinary
// ending. Later ones do nothing: a session manager sends SIGTERM and SIGHUP back to back, and
// the ending must not be cut short. The first also starts a watchdog (SIGALRM, which the program
// uses for nothing else): an ending still running after TerminationWatchdogSeconds is ended the
// way the first signal would have ended it without a handler, so a stuck disk cannot keep a
// logout waiting. The handlers do nothing unsafe inside a signal. Calling it again returns the
// same descriptor. -1 where the system has no such signals or the pipe cannot be made; the program
// then ends on them as before.
int InstallTerminationSignals();

// The number of the signal waiting on ADescriptor, or 0 when none is waiting (never blocks).
int TakeTerminationSignal(int ADescriptor);

} // namespace qn
