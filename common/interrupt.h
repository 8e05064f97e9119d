#pragma once
// Ctrl+C and a polite kill (SIGINT, SIGTERM) ask a running command-line
// operation to stop at its next safe point instead of ending the process in
// the middle of a copy. Part of the platform layer.

namespace ferwis {

// From now on the first SIGINT or SIGTERM is only remembered; a second one
// ends the process as usual.
void catch_interrupt_signals();

// The signal that asked to stop, 0 while none did.
int interrupt_signal();

} // namespace ferwis
