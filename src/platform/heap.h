// How the process's heap gives memory back to the system.
#pragma once

namespace qn {

// Makes freed memory go back to the system soon: large blocks (pictures, long scratch lists) come
// straight from the system and return to it when freed, and free space at the heap's end is
// handed back. Call once at start-up, before the first window; doing nothing is a valid stand-in.
void KeepHeapCompact();

} // namespace qn
