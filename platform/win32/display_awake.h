#pragma once
// The display stays on while the window is open: the screen saver is off, and
// the system is asked not to turn the display off or lock, which the
// screen-saver setting alone no longer prevents on current Windows.

// Saves the screen-saver setting found, turns the screen saver off and asks
// for the display to stay on. On the thread that opens the window: the
// request belongs to that thread.
void KeepDisplayOn();

// Takes the request back and puts the saved setting back. On the same thread.
void LetDisplayOff();
