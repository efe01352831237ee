#pragma once
#include <string>

// The full path of the running program's executable file, however long;
// empty when the system does not tell.
std::string ExecutablePath();
