#pragma once
// Questions about the window that the viewer never asks; for tests.

// Whether a window is open (between a successful ScreenOpen and ScreenClose).
bool ScreenIsOpen();

// Whether the open window is in its 640 x 480 full-screen display mode.
bool ScreenIsFullScreen();
