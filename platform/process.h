#pragma once
// The process around the window: what it needs before the window, and what it
// tells of itself. Implemented once per system (platform/sdl2, platform/win32).
#include <string>

// The first thing main does: before the display connection or any file can
// take a number a closed standard stream left free, and before any progress
// text. On Linux the standard descriptors and the termination signals, on
// Windows the standard streams.
void PrepareProcess();

// For a window that shows nothing, in a run whose standard error nobody sees
// (a Windows program started from the desktop): lines, already written to
// standard error, in one message box owned by the window; returns when the
// user has closed it. Does nothing with a standard error, without a window or
// without lines, and so always on Linux.
void ShowStartupProblems(const std::string& lines);

// The running program's executable file in UTF-8, however long; empty when
// the system does not tell.
std::string ExecutablePath();

// The current directory in UTF-8, for messages that name where a file was
// looked for; any name the system allows, without throwing; "" when the
// system cannot tell it.
std::string CurrentDirectory();
