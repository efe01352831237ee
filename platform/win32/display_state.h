#pragma once
// What the open window holds of the system besides itself: the display's
// mode, the display kept on, and the timer's tick. Each is given back when
// the window closes.
#include <windows.h>

// Changes the display to width x height at bitsPerPixel; false when the
// display refuses the mode.
bool ChangeDisplayMode(int width, int height, int bitsPerPixel);
// Gives the display the desktop's mode back when it was changed.
void RestoreDesktopMode();

// The screen saver off and the display asked to stay on, which the
// screen-saver setting alone no longer ensures on current Windows; the
// setting found is saved. On the thread that opens the window: the request
// belongs to that thread.
void KeepDisplayOn();
// Takes the request back and puts the saved setting back. On the same thread.
void LetDisplayOff();

// Windows wakes a sleeping thread on its timer's tick, 15.6 ms by default: the
// frame's 17 ms pause would last two ticks, and the model would turn at about
// 60 % of its speed on Linux. With 1 ms ticks a sleep lasts about what it asks.
// Raising again while raised changes nothing.
void RaiseTimerResolution();
// Gives the ticks back to the system; nothing when they were not raised.
void RestoreTimerResolution();

// The open window, or nullptr: the owner of what the layer shows besides it.
// Defined in screen.cpp.
HWND ScreenWindow();
