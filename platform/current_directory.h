#pragma once
// The process's current directory, for messages that name where a file was
// looked for. Implemented once per system (platform/sdl2, platform/win32).
#include <string>

// The directory as UTF-8 text, for any name the system allows, without
// throwing; "" when the system cannot tell it.
std::string CurrentDirectory();
