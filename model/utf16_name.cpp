#include "model/utf16_name.h"

#include <cstdint>

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

bool Utf16FromUtf8(std::string_view text, std::u16string& utf16) {
  utf16.clear();
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    uint32_t value = 0;
    uint32_t smallest = 0;  // below it the same value has a shorter form
    if (lead < 0x80) {
      length = 1;
      value = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      value = lead & 0x1Fu;
      smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      value = lead & 0x0Fu;
      smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      value = lead & 0x07u;
      smallest = 0x10000;
    } else {
      return false;  // a continuation byte without its lead, or 0xF8..0xFF
    }
    if (text.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const unsigned char byte = static_cast<unsigned char>(text[i + k]);
      if (!IsContinuation(byte)) return false;
      value = value << 6 | (byte & 0x3Fu);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    if (value < 0x10000) {
      utf16 += static_cast<char16_t>(value);
    } else {
      value -= 0x10000;
      utf16 += static_cast<char16_t>(0xD800 + (value >> 10));
      utf16 += static_cast<char16_t>(0xDC00 + (value & 0x3FFu));
    }
    i += length;
  }
  return true;
}
