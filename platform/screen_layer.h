#pragma once
// Between each window system's layer (platform/sdl2, platform/win32) and the
// screen code both share (platform/screen.cpp); nothing else includes it.
#include <string>

#include "platform/key_states.h"

// Defined by each layer.

// One attempt at opening the window, windowed or in full screen, with every
// key not held. On failure it has given its reason to FailOpening and undone
// everything it did.
bool TryOpening(bool fullScreen);
// After the attempts; opened says whether one of them opened the window.
void EndOpening(bool opened);
// Closes the open window and restores the display mode and the screen saver.
void TearDownWindow();

// The steps of ScreenFlip, on an open window.
void PresentFrame();
// Writes the keys held now into the key-state table.
void SampleKeyboard();
// Takes every waiting event or message of the window system without waiting.
void TakeWaitingEvents();

// What the shared operations read of the layer's window.
struct WindowState {
  bool open;
  bool fullScreen;
  bool active;            // in the foreground and not minimised: only then is the keyboard read
  const KeyStates* keys;  // the table the last sample wrote
  int drawableWidth;      // in pixels, as the window system last told it
  int drawableHeight;
};
WindowState CurrentWindow();

// Defined by the shared code, for the layers.

// Keeps the first reason of a ScreenOpen's attempts; returns false.
bool FailOpening(const std::string& reason);
