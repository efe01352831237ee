#pragma once
// UTF-8 into UTF-16, for file names and for the Windows layer's wide calls.
// Strict for names: a name that is no valid UTF-8 is opened by its bytes in
// the ANSI code page, so that it opens no other file than its own.
#include <string>
#include <string_view>

// Decodes text as UTF-8 into UTF-16 code units. False when it is no valid
// UTF-8: a stray or missing continuation byte, a sequence cut short, an
// overlong form, a surrogate, or a value beyond U+10FFFF. Each such piece (the
// longest start of a valid sequence, or one byte) is then one U+FFFD in utf16,
// as Unicode recommends.
bool Utf16FromUtf8(std::string_view text, std::u16string& utf16);
