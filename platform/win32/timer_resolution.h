#pragma once
// The system timer's tick while the window is open. Windows wakes a sleeping
// thread on its tick, 15.6 ms by default, so the frame's 17 ms pause would
// last two ticks, about 31 ms, and the model would turn at about 60 % of its
// speed on Linux. With 1 ms ticks one plain sleep lasts about what it asks.

// Asks for 1 ms ticks; calling it again while raised changes nothing.
void RaiseTimerResolution();

// Gives the ticks back to the system; nothing when they were not raised.
void RestoreTimerResolution();
