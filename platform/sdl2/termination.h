#pragma once
// Termination signals (SIGINT, SIGTERM, SIGHUP) are only noted: the viewer ends
// at its next frame, its window closed and display mode restored; a second one
// ends it at once. SIGPIPE is ignored: a reader of the progress text that goes
// away must not end the viewer (the log stops writing instead).

// Installs the handlers; at the process's start (PrepareProcess).
void CatchTerminationSignals();

// The signal noted since, or 0.
int CaughtTerminationSignal();
