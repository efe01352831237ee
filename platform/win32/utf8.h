#pragma once
// Text between the program's UTF-8 and the wide text of the system's calls.
#include <string>

std::string Utf8FromWide(const std::wstring& text);
std::wstring WideFromUtf8(const std::string& text);
