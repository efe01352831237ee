#pragma once
// The start-up lines for someone who cannot see standard error. Implemented
// once per system (platform/sdl2, platform/win32).
#include <string>

// For a run whose standard error nobody sees (a Windows program started from
// the desktop) and a window that shows nothing: shows lines, the start-up
// lines written to standard error already, together in one message box owned
// by the window, and returns when the user has closed it. With a standard
// error, without a window or without lines it does nothing; so does the SDL
// layer, whose standard error is always there to be read.
void ShowStartupProblems(const std::string& lines);
