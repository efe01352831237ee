#pragma once
// The display's mode: 640 x 480 for full screen, and the desktop's own mode
// back. Whether it was changed is kept where the console's handler thread can
// read it, so that a second Ctrl+C, which ends the program before main's own
// clean-up, still gives the desktop its mode back.

// Changes the display to width x height at bitsPerPixel; false when the
// display refuses the mode.
bool ChangeDisplayMode(int width, int height, int bitsPerPixel);

// Gives the display the desktop's mode back when it was changed; from any
// thread.
void RestoreDesktopMode();
