#pragma once
// Text between the program's UTF-8 and the wide text of the system's calls.
#include <string>

// A lone surrogate, which a Windows name may hold, becomes U+FFFD: the
// system's conversion replaces it unless asked to fail.
std::string Utf8FromWide(const std::wstring& text);
// Text that is no UTF-8 shows with U+FFFD for each broken piece (Utf16FromUtf8).
std::wstring WideFromUtf8(const std::string& text);
