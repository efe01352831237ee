#pragma once
// File names are bytes as the files give them. Windows opens a name that is
// valid UTF-8 by what it spells, through its UTF-16 calls; strict decoding
// keeps a name in another code page from opening some other file.
#include <string>
#include <string_view>

// Decodes text as UTF-8 into UTF-16 code units. False when it is no valid
// UTF-8: a stray or missing continuation byte, a sequence cut short, an
// overlong form, a surrogate, or a value beyond U+10FFFF. utf16 is then
// unspecified.
bool Utf16FromUtf8(std::string_view text, std::u16string& utf16);
