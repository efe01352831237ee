#pragma once
// UTF-8 into UTF-16, for file names and the Windows layer's wide calls. Strict for names:
// one that is no UTF-8 opens by its ANSI bytes, not as some other file.
#include <string>
#include <string_view>

// False when text is no valid UTF-8 (a stray or missing continuation byte, a
// sequence cut short, an overlong form, a surrogate, a value beyond U+10FFFF);
// each such piece, the longest start of a valid sequence or one byte, is then
// one U+FFFD in utf16, as Unicode recommends.
bool Utf16FromUtf8(std::string_view text, std::u16string& utf16);
