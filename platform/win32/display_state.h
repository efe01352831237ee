#pragma once
// What the open window takes of the system, each given back when it closes:
// the display's mode, the display kept on, the timer's tick.
#include <windows.h>

// Changes the display to width x height at bitsPerPixel; false when the
// display refuses the mode.
bool ChangeDisplayMode(int width, int height, int bitsPerPixel);
// Gives the display the desktop's mode back when it was changed.
void RestoreDesktopMode();

// Saves the screen-saver setting, turns it off and asks for the display to stay
// on, which the setting alone no longer ensures on current Windows. On the
// thread that opens the window: the request belongs to that thread.
void KeepDisplayOn();
// Takes the request back and puts the saved setting back. On the same thread.
void LetDisplayOff();

// 1 ms ticks, as a sleep ends on a tick: at the default 15.6 ms the frame's 17 ms
// pause lasts two, and the model turns at 60 % of its speed on Linux. Raising twice changes nothing.
void RaiseTimerResolution();
// Gives the ticks back to the system; nothing when they were not raised.
void RestoreTimerResolution();

// The open window or nullptr, to own what the layer shows beside it (screen.cpp).
HWND ScreenWindow();
