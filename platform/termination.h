#pragma once
// Termination signals (SIGINT, SIGTERM, SIGHUP) are only noted when they
// arrive; the program ends at its next frame with its exit actions run, so the
// window closes and the display mode is restored. A second signal ends the
// program at once.

// Installs the handlers. Calling it again changes nothing.
void CatchTerminationSignals();

// The signal noted since, or 0.
int CaughtTerminationSignal();
