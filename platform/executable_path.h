#pragma once
// The running program's own file. Implemented once per system (platform/sdl2,
// platform/win32).
#include <string>

// The full path of the running program's executable file in UTF-8, however
// long; empty when the system does not tell.
std::string ExecutablePath();
