#pragma once
#include <string>

// The full path of the running program's executable file in UTF-8, however
// long; empty when the system does not tell.
std::string ExecutablePath();
