#include "platform/utf16.h"

#include <cstdint>

namespace {

// A lead byte: the length of the sequence it begins (0 for none) and the
// range of its second byte, which rules out overlong forms, surrogates and
// values beyond U+10FFFF.
struct Lead {
  std::size_t length;
  unsigned char low;
  unsigned char high;
};

Lead LeadOf(unsigned char byte) {
  if (byte < 0x80) return {1, 0, 0};
  if (byte >= 0xC2 && byte <= 0xDF) return {2, 0x80, 0xBF};
  if (byte == 0xE0) return {3, 0xA0, 0xBF};
  if (byte == 0xED) return {3, 0x80, 0x9F};
  if (byte >= 0xE1 && byte <= 0xEF) return {3, 0x80, 0xBF};
  if (byte == 0xF0) return {4, 0x90, 0xBF};
  if (byte >= 0xF1 && byte <= 0xF3) return {4, 0x80, 0xBF};
  if (byte == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};  // a continuation byte without its lead, 0xC0, 0xC1 or 0xF5..0xFF
}

}  // namespace

bool Utf16FromUtf8(std::string_view text, std::u16string& utf16) {
  utf16.clear();
  bool valid = true;
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const Lead form = LeadOf(lead);
    std::size_t taken = 1;
    uint32_t value = form.length == 1 ? lead : lead & (0x7Fu >> form.length);  // the lead's value bits
    for (; taken < form.length && i + taken < text.size(); ++taken) {
      const unsigned char byte = static_cast<unsigned char>(text[i + taken]);
      if (byte < (taken == 1 ? form.low : 0x80) || byte > (taken == 1 ? form.high : 0xBF)) break;
      value = value << 6 | (byte & 0x3Fu);
    }
    i += taken;
    if (taken != form.length) {
      // The byte that broke the sequence may begin the next one.
      utf16 += u'\uFFFD';
      valid = false;
    } else if (value < 0x10000) {
      utf16 += static_cast<char16_t>(value);
    } else {
      value -= 0x10000;
      utf16 += static_cast<char16_t>(0xD800 + (value >> 10));
      utf16 += static_cast<char16_t>(0xDC00 + (value & 0x3FFu));
    }
  }
  return valid;
}
