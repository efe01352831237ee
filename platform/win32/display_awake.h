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

// Puts the saved screen-saver setting back, once, from any thread: for the
// console's handler when a second Ctrl+C ends the program before main's own
// clean-up. The display request ends with the program by itself.
void RestoreScreenSaver();
