#pragma once
// The key map's keys as Windows virtual keys.
#include "platform/key_map.h"

// The virtual key of a key in the thread's current layout (0 for Key::None):
// Key::Q is wherever the layout puts Q, and a letter that no key of the layout
// gives is the key at usPlace, its US place (its key map row's scancode).
// Reads the layout: call it when the layout changes.
int VirtualKeyOf(Key key, int usPlace);
