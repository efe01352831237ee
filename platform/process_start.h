#pragma once
// What the process needs before its window, set up once by main before
// anything else: on Linux the standard descriptors and the termination
// signals, on Windows the standard streams. Implemented once per system
// (platform/sdl2, platform/win32).

// The first thing main does: before the display connection or any file takes
// a number that a closed standard stream left free, and before any progress
// text is written.
void PrepareProcess();
