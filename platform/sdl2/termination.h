#pragma once
// Signals. Termination signals (SIGINT, SIGTERM, SIGHUP) are only noted when
// they arrive; the viewer ends at its next frame with the window closed and
// the display mode restored. A second one ends the program at once. SIGPIPE
// is ignored: a reader of the progress text that goes away must not end the
// viewer (the log stops writing instead).

// Installs the handlers; at the process's start (PrepareProcess).
void CatchTerminationSignals();

// The signal noted since, or 0.
int CaughtTerminationSignal();
