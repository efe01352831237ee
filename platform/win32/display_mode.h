#pragma once
// The display's mode: 640 x 480 for full screen, and the desktop's own mode
// back.

// Changes the display to width x height at bitsPerPixel; false when the
// display refuses the mode.
bool ChangeDisplayMode(int width, int height, int bitsPerPixel);

// Gives the display the desktop's mode back when it was changed.
void RestoreDesktopMode();
