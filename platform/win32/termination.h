#pragma once
// Requests from the console to end the program: Ctrl+C, Ctrl+Break, and
// closing the console window. The system runs the handler on a thread of its
// own, which only notes the request; the viewer ends at its next frame with
// the window closed and the display mode restored. A second Ctrl+C or
// Ctrl+Break ends the program at once, with the screen-saver setting and the
// display mode put back first.
//
// Exit statuses, as the Linux build gives them for the matching signals:
// 130 for Ctrl+C and Ctrl+Break (SIGINT), 129 for the console closed (SIGHUP).

// Takes the console of the process that started the viewer, if it has one and
// the viewer has none (a windowed program gets no console of its own), and
// installs the handler. Calling it again changes nothing.
void CatchConsoleEvents();

// The exit status of the request noted since, or 0.
int ConsoleEventStatus();
