#include "model/text_reading.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <algorithm>
#include <cstring>
#include <limits>
#include <system_error>

namespace {

// Large enough that reading costs little per line, small enough to stay in
// the cache and to come from the heap rather than from fresh pages.
constexpr std::size_t kBlockSize = std::size_t{1} << 16;

bool Refill(LineReader& reader) {
  if (reader.fileDrained || reader.file == nullptr) return false;
  reader.position = 0;
  reader.filled = std::fread(reader.block.get(), 1, kBlockSize, reader.file);
  // Reads past a line's end stay within the padding behind the data: keep it defined.
  std::memset(reader.block.get() + reader.filled, 0, kLinePadding);
  // A regular file gives a short read only at its end or on an error; either
  // way nothing more is to come.
  if (reader.filled < kBlockSize) reader.fileDrained = true;
  return reader.filled > 0;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// White space that a decimal number may be preceded by.
bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

int RadixOf(char c) {
  switch (c) {
    case 'B': case 'b': return 2;
    case 'H': case 'h': return 16;
    case 'O': case 'o': return 8;
    default: return 0;
  }
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

double ParseRadix(std::string_view digits, int radix) {
  uint64_t value = 0;
  for (char c : digits) {
    int digit = DigitValue(c);
    if (digit >= radix) break;
    value = value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(digit);  // wraps
  }
  int64_t asSigned;
  std::memcpy(&asSigned, &value, sizeof asSigned);  // the bit pattern, read as signed
  return static_cast<double>(asSigned);
}

// The power of ten of the leading digit of an unsigned decimal of the checked
// form, saturated far beyond the range of a double.
int64_t DecimalExponent(const char* first, const char* last) {
  constexpr int64_t kFar = 1000000;
  int64_t power = 0;
  int64_t fractionDigits = 0;
  bool seenNonZero = false;
  bool inFraction = false;
  const char* at = first;
  for (; at != last && (IsDigit(*at) || *at == '.'); ++at) {
    if (*at == '.') {
      inFraction = true;
      continue;
    }
    if (inFraction) ++fractionDigits;
    if (!seenNonZero && *at != '0') {
      seenNonZero = true;
      power = inFraction ? -fractionDigits : 0;
    } else if (seenNonZero && !inFraction) {
      ++power;
    }
  }
  if (!seenNonZero) return -kFar;
  int64_t written = 0;
  bool negative = false;
  if (at != last) {  // the exponent letter, then an optional sign and digits
    ++at;
    if (at != last && (*at == '+' || *at == '-')) negative = *at++ == '-';
    for (; at != last; ++at) written = std::min(kFar, written * 10 + (*at - '0'));
  }
  return power + (negative ? -written : written);
}

// Converts an unsigned decimal of the checked form: digits, an optional point
// and fraction, an optional exponent whose letter is e or E. The same bytes
// give the same double on every system and under every locale.
double ConvertDecimal(const char* first, const char* last) {
  double value = 0.0;
  std::from_chars_result result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc()) return value;
  // Out of range: the correctly rounded value is infinity, or 0 below half
  // the smallest subnormal. Which one the leading digit's power of ten tells,
  // so far out of range that its sign decides.
  return DecimalExponent(first, last) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

double ParseDecimal(std::string_view text) {
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size && IsWhiteSpace(text[i])) ++i;
  bool negative = false;
  if (i < size && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t numberStart = i;
  std::size_t digitCount = 0;
  while (i < size && IsDigit(text[i])) ++i, ++digitCount;
  if (i < size && text[i] == '.') {
    ++i;
    while (i < size && IsDigit(text[i])) ++i, ++digitCount;
  }
  if (digitCount == 0) return 0.0;

  // The exponent belongs to the number only when at least one digit follows
  // its letter and optional sign.
  std::size_t numberEnd = i;
  std::size_t exponentLetter = std::string_view::npos;
  if (i < size && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    if (j < size && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t exponentDigits = j;
    while (j < size && IsDigit(text[j])) ++j;
    if (j > exponentDigits) {
      exponentLetter = i;
      numberEnd = j;
    }
  }

  double value;
  const char* first = text.data() + numberStart;
  const char* last = text.data() + numberEnd;
  if (exponentLetter != std::string_view::npos && (text[exponentLetter] == 'd' || text[exponentLetter] == 'D')) {
    // from_chars knows only e and E: convert a copy with the letter replaced.
    thread_local std::string scratch;
    scratch.assign(first, last);
    scratch[exponentLetter - numberStart] = 'e';
    value = ConvertDecimal(scratch.data(), scratch.data() + scratch.size());
  } else {
    value = ConvertDecimal(first, last);
  }
  return negative ? -value : value;
}

}  // namespace

void StartReading(LineReader& reader, std::FILE* file) {
  reader.file = file;
  if (!reader.block) reader.block.reset(new char[kBlockSize + kLinePadding]);
  reader.position = 0;
  reader.filled = 0;
  reader.fileDrained = false;
}

bool AtEndOfText(LineReader& reader) {
  if (reader.position < reader.filled) return false;
  return !Refill(reader);
}

PaddedText ReadTextLine(LineReader& reader) {
  const char* begin = reader.block.get() + reader.position;
  std::size_t available = reader.filled - reader.position;
  const void* lineFeed = std::memchr(begin, '\n', available);
  if (lineFeed != nullptr) {
    std::size_t length = static_cast<std::size_t>(static_cast<const char*>(lineFeed) - begin);
    reader.position += length + 1;
    if (length > 0 && begin[length - 1] == '\r') --length;
    return PaddedText(std::string_view(begin, length));
  }

  // The line goes on in the next block, or ends the file without a line feed.
  std::string& line = reader.spill;
  line.assign(begin, available);
  reader.position = reader.filled;
  while (Refill(reader)) {
    begin = reader.block.get();
    lineFeed = std::memchr(begin, '\n', reader.filled);
    if (lineFeed != nullptr) {
      const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(lineFeed) - begin);
      line.append(begin, length);
      reader.position = length + 1;
      break;
    }
    line.append(begin, reader.filled);
    reader.position = reader.filled;
  }
  // A CR right before the LF, or as the file's very last byte, is a line end too.
  if (!line.empty() && line.back() == '\r') line.pop_back();
  const std::size_t length = line.size();
  line.append(kLinePadding, '\0');
  return PaddedText(std::string_view(line.data(), length));
}

PaddedText PaddedCopy(std::string_view text, std::string& storage) {
  storage.assign(text);
  storage.append(kLinePadding, '\0');
  return PaddedText(std::string_view(storage.data(), text.size()));
}

double ParseNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i == text.size()) return 0.0;
  if (text.size() - i >= 2 && text[i] == '&') {
    const int radix = RadixOf(text[i + 1]);
    if (radix != 0) return ParseRadix(text.substr(i + 2), radix);
  }
  return ParseDecimal(text.substr(i));
}

void AppendDecimal(std::string& text, int64_t value) {
  char digits[24];
  std::to_chars_result result = std::to_chars(digits, digits + sizeof digits, value);
  text.append(digits, result.ptr);
}

int32_t RoundToIndex(double value) {
  constexpr double kMax = std::numeric_limits<int32_t>::max();
  constexpr double kMin = std::numeric_limits<int32_t>::min();
  if (std::isnan(value)) return 0;
  // Saturate before converting: a double outside the int32 range must never
  // be converted to one.
  if (value >= kMax) return std::numeric_limits<int32_t>::max();
  if (value <= kMin) return std::numeric_limits<int32_t>::min();
  const double below = std::floor(value);
  const double fraction = value - below;  // exact for doubles of this size
  int64_t rounded = static_cast<int64_t>(below);
  if (fraction > 0.5 || (fraction == 0.5 && (rounded & 1) != 0)) ++rounded;
  return static_cast<int32_t>(rounded);
}

float RoundToFloat(double value) {
  // Halfway between the largest float and the next power of two: from there
  // on the nearest float is infinity. Below it the conversion rounds normally.
  constexpr double kOverflow = static_cast<double>(FLT_MAX) + 0x1p103;
  if (value >= kOverflow) return std::numeric_limits<float>::infinity();
  if (value <= -kOverflow) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}
