#pragma once
#include <string>

// "<what> failed: <the system's message> (error <code>)" for the calling
// thread's last error, for the reason of a failed opening.
std::string SystemFailure(const char* what);
