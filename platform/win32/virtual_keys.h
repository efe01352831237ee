#pragma once
// The key map's keys as Windows virtual keys.
#include "platform/key_map.h"

// The virtual key of a key in the thread's current layout, 0 for Key::None.
// A virtual key names what a key means in the layout, so Key::Q is wherever
// that layout puts Q; a letter that no key of the layout gives is the key at
// usPlace, the scan code of its place on a US keyboard (its key map row's).
// Asks the layout each time, so a change of layout counts from the next call.
int VirtualKeyOf(Key key, int usPlace);
