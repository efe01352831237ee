#pragma once
// The platform layer: one 640 x 480 window with a double-buffered OpenGL
// context, the keyboard sampled once per frame, pausing, and the closing of
// the window at program end. No SDL type appears in this header.

// Opens the window and makes its OpenGL context current on the calling thread.
// mode 18 is a 640 x 480 client area; flags: 1 full screen, 2 OpenGL window.
// Returns 0 when the window is open, non-zero otherwise (ScreenError says why).
int ScreenOpen(int mode, int colourDepth, int pageCount, int flags, int refreshRate);

// Why the last ScreenOpen failed, for the viewer's message.
const char* ScreenError();

// Presents the frame, samples the keyboard into the key-state table when the
// window is active, then takes every waiting window event without waiting.
void ScreenFlip();

// -1 while the key with this scancode (0..127) was held at the last sample, else 0.
int KeyDown(int scancode);

// One plain sleep of the calling thread.
void SleepFor(int milliseconds);

// Closes the window and restores the display. Runs by itself at program end.
void ScreenClose();
