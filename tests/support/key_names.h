#pragma once
// The X keysym name of each key of the key map ("q", "KP_4", "Alt_L"), for
// tests that describe the map's rows or press its keys through XTEST.
#include "platform/key_map.h"

// "" for Key::None.
const char* KeysymName(Key key);
