#pragma once
// One 640 x 480 window with a double-buffered OpenGL context, the keyboard
// sampled once per frame, pausing, and requests to end the program from
// outside. Implemented once per window system (platform/sdl2, platform/win32),
// whose types stay out of this header.

// The window's client area as the viewer opens it.
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// ScreenOpen's arguments as the viewer gives them.
constexpr int kModeVga = 18;          // the only mode: a 640 x 480 client area
constexpr int kColourDepth32 = 32;    // every depth gives 32-bit RGBA
constexpr int kOnePage = 0;           // any count below 1 is one page
constexpr int kFlagFullScreen = 1;
constexpr int kFlagOpenGl = 2;
constexpr int kAnyRefreshRate = 0;

// Opens the window and makes its OpenGL context current on the calling thread.
// Returns 0 when the window is open, non-zero otherwise (ScreenError says why).
// Tries the request twice as given, then twice in full screen.
int ScreenOpen(int mode, int colourDepth, int pageCount, int flags, int refreshRate);

// Why the last ScreenOpen failed, for the viewer's message.
const char* ScreenError();

// Presents the frame, samples the keyboard into the key-state table when the
// window is active, then takes every waiting window event (on Windows every
// message of the thread) without waiting.
void ScreenFlip();

// -1 while the key with this scancode (0..127) was held at the last sample, else 0.
int KeyDown(int scancode);

// One plain sleep of the calling thread.
void SleepFor(int milliseconds);

// Closes the window and restores the display mode and the screen saver.
// Does nothing when no window is open; the viewer calls it on every way out.
void ScreenClose();

// True, with the size in pixels of what the window shows, when it changed
// since the last call (an opening counts as 640 x 480): tiling window managers,
// and desktops that give full screen their whole output, make it another size.
bool ScreenSizeChanged(int& width, int& height);

// Whether a window is open, and whether it is in its full-screen mode.
bool ScreenIsOpen();
bool ScreenIsFullScreen();

// 0, or 128 + SIGINT, SIGTERM or SIGHUP caught since PrepareProcess on Linux
// (a second one ends the program at once). Always 0 on Windows, where nothing
// but the refused close requests could ask.
int TerminationStatus();
