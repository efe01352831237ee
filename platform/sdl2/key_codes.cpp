#include "platform/sdl2/key_codes.h"

namespace {

// Indexed by Key, in the enumeration's order. Key codes, not SDL scan codes:
// a key code is what a key means in the current layout, and the keyboard
// sampling resolves it to wherever that key lies now.
constexpr SDL_Keycode kKeycodes[static_cast<int>(Key::Count)] = {
    SDLK_UNKNOWN,
    SDLK_ESCAPE,
    SDLK_1, SDLK_2, SDLK_3, SDLK_4, SDLK_5, SDLK_6, SDLK_7, SDLK_8, SDLK_9, SDLK_0,
    SDLK_MINUS, SDLK_EQUALS, SDLK_BACKSPACE, SDLK_TAB,
    SDLK_q, SDLK_w, SDLK_e, SDLK_r, SDLK_t, SDLK_y, SDLK_u, SDLK_i, SDLK_o, SDLK_p,
    SDLK_LEFTBRACKET, SDLK_RIGHTBRACKET, SDLK_RETURN, SDLK_LCTRL, SDLK_RCTRL,
    SDLK_a, SDLK_s, SDLK_d, SDLK_f, SDLK_g, SDLK_h, SDLK_j, SDLK_k, SDLK_l,
    SDLK_SEMICOLON, SDLK_QUOTE, SDLK_BACKQUOTE, SDLK_LSHIFT, SDLK_RSHIFT, SDLK_BACKSLASH,
    SDLK_z, SDLK_x, SDLK_c, SDLK_v, SDLK_b, SDLK_n, SDLK_m,
    SDLK_COMMA, SDLK_PERIOD, SDLK_SLASH, SDLK_LALT, SDLK_RALT, SDLK_SPACE, SDLK_CAPSLOCK,
    SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F4, SDLK_F5, SDLK_F6, SDLK_F7, SDLK_F8, SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12,
    SDLK_NUMLOCKCLEAR, SDLK_SCROLLLOCK,
    SDLK_HOME, SDLK_UP, SDLK_PAGEUP, SDLK_LEFT, SDLK_RIGHT, SDLK_END, SDLK_DOWN, SDLK_PAGEDOWN, SDLK_INSERT,
    SDLK_DELETE,
    SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4, SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9,
    SDLK_KP_PERIOD, SDLK_KP_PLUS, SDLK_KP_MINUS, SDLK_KP_MULTIPLY, SDLK_KP_DIVIDE, SDLK_KP_ENTER,
    SDLK_LGUI, SDLK_RGUI, SDLK_APPLICATION,
};

}  // namespace

SDL_Keycode SdlKeycodeOf(Key key) { return kKeycodes[static_cast<int>(key)]; }
