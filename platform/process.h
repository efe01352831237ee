#pragma once
// The process around the window. Implemented once per system (platform/sdl2, platform/win32).
#include <string>

// main's first call, before any file, display connection or progress text can
// take a closed standard stream's place: the standard streams, and on Linux
// the termination signals.
void PrepareProcess();

// For an empty window in a run without standard error (a Windows program started
// from the desktop): lines, already on standard error, in one message box owned
// by the window, until the user closes it. Otherwise, and on Linux, nothing.
void ShowStartupProblems(const std::string& lines);

// The running program's file in UTF-8, however long; "" when the system does not tell.
std::string ExecutablePath();

// The current directory in UTF-8, any name the system allows, for messages that
// say where a file was looked for; "" when the system cannot tell, never a throw.
std::string CurrentDirectory();
