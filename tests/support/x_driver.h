#pragma once
// Plays the user on the X server through a connection of its own: keys through
// XTEST, close requests, another window that takes the focus, and what the
// user would see: window titles, pixels, the display mode, the screen saver.
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

// A connection to the X server; its X types stay inside x_driver.cpp, whose
// macros (None, Bool, Status) would clash with test frameworks.
struct XDriver;
using WindowId = unsigned long;

struct WindowGeometry {
  int x;  // of the client area, relative to the root window
  int y;
  int width;
  int height;
  bool viewable;
};

struct WindowPixels {
  int width;
  int height;
  std::vector<uint32_t> rgb;  // 0xRRGGBB, row by row from the top
};

// A connection to the display named by DISPLAY; nullptr when there is none.
XDriver* OpenDriverDisplay();
void CloseDriverDisplay(XDriver* driver);

// The top-level window that the process marked with its pid, waiting up to
// timeoutMs for it to appear and be viewable; 0 when none did.
WindowId FindWindowOfProcess(XDriver* driver, pid_t pid, int timeoutMs);
// Every viewable top-level window that the process marked, bottom to top.
std::vector<WindowId> WindowsOfProcess(XDriver* driver, pid_t pid);

// The process that marked a viewable top-level window with this title, for a
// program started by another (Wine's cmd) whose pid is not known; waits up to
// timeoutMs for one, 0 when none came.
pid_t ProcessShowingWindowTitled(XDriver* driver, const std::string& title, int timeoutMs);

// Waits up to timeoutMs for the window to hold the keyboard focus.
bool WaitForFocus(XDriver* driver, WindowId window, int timeoutMs);

std::string WindowTitle(XDriver* driver, WindowId window);
// The window that this one belongs to (a dialog's owner), or 0.
WindowId OwnerOf(XDriver* driver, WindowId window);
// Where the window's picture is, without a frame that Wine draws inside the
// window when no window manager does.
WindowGeometry GetWindowGeometry(XDriver* driver, WindowId window);
// The smallest and largest size the window tells the window manager it takes;
// false when it names none.
bool GetWindowSizeLimits(XDriver* driver, WindowId window, int& minWidth, int& minHeight, int& maxWidth,
                         int& maxHeight);
// The pixels of that picture.
WindowPixels ReadWindowPixels(XDriver* driver, WindowId window);
// Pixels that are not black, and pixels that differ between two reads.
std::size_t LitPixels(const WindowPixels& pixels);
std::size_t DifferentPixels(const WindowPixels& a, const WindowPixels& b);

// Keys by keysym name ("Left", "KP_4", "Alt_L"), pressed and released through
// XTEST on the key's own keycode; Num Lock is not touched.
void PressKey(XDriver* driver, const char* keysymName);
void ReleaseKey(XDriver* driver, const char* keysymName);
// Holds a key for holdMs, long enough for a frame loop to sample it.
void HoldKey(XDriver* driver, const char* keysymName, int holdMs);
// Releases every key the server sees down, so no key outlives a test.
void ReleaseAllKeys(XDriver* driver);
int KeycodeOf(XDriver* driver, const char* keysymName);
// Presses and releases a keycode directly, whatever the mapping says.
void PressKeycode(XDriver* driver, int keycode);
void ReleaseKeycode(XDriver* driver, int keycode);

bool NumLockOn(XDriver* driver);
void SetNumLock(XDriver* driver, bool on);

// Replaces the keysyms of a keycode (all levels) with one keysym; returns the
// keysyms it had, for RestoreKeysyms.
std::vector<unsigned long> RemapKeycode(XDriver* driver, int keycode, const char* keysymName);
void RestoreKeysyms(XDriver* driver, int keycode, const std::vector<unsigned long>& keysyms);

// What a window manager sends for the close box, the window menu and Alt+F4.
void SendCloseRequest(XDriver* driver, WindowId window);
// What a window manager sets when the user maximises the window.
void MarkMaximised(XDriver* driver, WindowId window);

// What a window manager does to minimise a window and to bring it back.
void MinimiseWindow(XDriver* driver, WindowId window);
void RestoreWindow(XDriver* driver, WindowId window);

// A small window of the driver's own that takes the keyboard focus.
WindowId TakeFocus(XDriver* driver);
void GiveFocus(XDriver* driver, WindowId window);
void DestroyDriverWindow(XDriver* driver, WindowId window);

// The size of the picture the display shows now (its current mode).
void GetDisplayModeSize(XDriver* driver, int& width, int& height);
// Waits up to timeoutMs for the display to show a picture of this size.
bool WaitForDisplayMode(XDriver* driver, int width, int height, int timeoutMs);
// Whether the display's output offers a mode of exactly this size.
bool DisplayOffersMode(XDriver* driver, int width, int height);
// Takes the output's modes of this size away and returns them, or gives them
// back. For testing a display that refuses the mode.
std::vector<unsigned long> RemoveDisplayModes(XDriver* driver, int width, int height);
void RestoreDisplayModes(XDriver* driver, const std::vector<unsigned long>& modes);

// Sets the server's screen-saver timeout in seconds (0: never) and returns the
// one it replaces; ScreenSaverShowing tells whether the saver shows now.
int SetScreenSaverTimeout(XDriver* driver, int seconds);
bool ScreenSaverShowing(XDriver* driver);

void SleepMs(int milliseconds);
