#pragma once
// The key map's keys as Windows virtual keys.
#include "platform/key_map.h"

// The virtual key of a key, 0 for Key::None. A virtual key names what a key
// means in the active layout, so Key::Q is wherever that layout puts Q.
int VirtualKeyOf(Key key);
