#pragma once
// The reading rules that the model and material readers share: lines, fields
// and numbers. Pure code over a FILE* and text views; no display needed.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

// Every line that ReadTextLine hands out is followed by at least this many
// readable bytes, so that the scans below and the copies of fields may move
// whole words past a field's end without a byte-by-byte tail.
constexpr std::size_t kLinePadding = 16;

struct LineReader;
struct PendingLog;
class PaddedText;
PaddedText ReadTextLine(LineReader& reader);

// A line from ReadTextLine, or a part of one, with kLinePadding readable bytes
// after its end: the readers' inner loops scan and copy whole words past a
// field's end, which only that room makes safe. So only the line reader and
// PaddedCopy make one, a part stays within its line, and only the field loops
// may use the word scans.
class PaddedText {
 public:
  std::size_t size() const { return text.size(); }
  const char* data() const { return text.data(); }
  operator std::string_view() const { return text; }

  // The bytes from start on, at most count of them; empty from the end on.
  PaddedText Part(std::size_t start, std::size_t count = std::string_view::npos) const {
    start = start < text.size() ? start : text.size();
    const std::size_t rest = text.size() - start;
    return PaddedText(std::string_view(text.data() + start, count < rest ? count : rest));
  }

 private:
  explicit PaddedText(std::string_view line) : text(line) {}
  friend PaddedText ReadTextLine(LineReader& reader);
  friend PaddedText PaddedCopy(std::string_view text, std::string& storage);
  template <typename Separators, typename Handle>
  friend void SplitFields(PaddedText text, std::size_t start, Separators, Handle&& handle);
  template <typename Separators>
  friend void PutFields(PendingLog& log, PaddedText text, std::size_t start);
  friend void PutCorners(PendingLog& log, PaddedText line);

  // The first separator in [first, last), or last; both within this text.
  // Looks at eight bytes at a time and may read up to eight bytes past last:
  // progress text repeats every byte of a large file, so this scan is the
  // readers' inner loop.
  template <typename Separators>
#if defined(__GNUC__)
  [[gnu::always_inline]]
#endif
  static const char* FindSeparator(const char* first, const char* last) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    for (;;) {
      uint64_t word;
      std::memcpy(&word, first, sizeof word);
      if (const uint64_t marks = Separators::Mark(word)) {
        const char* separator = first + (__builtin_ctzll(marks) >> 3);
        return separator < last ? separator : last;
      }
      first += 8;
      if (first >= last) return last;
    }
#else
    while (first != last && !Separators::Is(*first)) ++first;
    return first;
#endif
  }

  // Copies the bytes of [first, last) up to the first separator to out, and
  // returns where it stopped: at that separator, or last. Reads like
  // FindSeparator, and may write up to eight bytes past what it copies.
  template <typename Separators>
#if defined(__GNUC__)
  [[gnu::always_inline]]
#endif
  static const char* CopyUntilSeparator(const char* first, const char* last, char* out) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    for (;;) {
      uint64_t word;
      std::memcpy(&word, first, sizeof word);
      std::memcpy(out, &word, sizeof word);
      if (const uint64_t marks = Separators::Mark(word)) {
        const char* separator = first + (__builtin_ctzll(marks) >> 3);
        return separator < last ? separator : last;
      }
      first += 8;
      out += 8;
      if (first >= last) return last;
    }
#else
    while (first != last && !Separators::Is(*first)) *out++ = *first++;
    return first;
#endif
  }

  std::string_view text;
};

// Reads a file in large blocks and hands it out line by line.
struct LineReader {
  std::FILE* file = nullptr;
  std::unique_ptr<char[]> block;  // kLinePadding bytes longer than a block
  std::size_t position = 0;  // next unread byte in block
  std::size_t filled = 0;    // bytes of block that hold file data
  bool fileDrained = false;  // the last read came back short: nothing more to come
  std::string spill;         // a line that crosses blocks is gathered here, with its padding
};

// Starts reading file from its current position. The reader does not own it.
void StartReading(LineReader& reader, std::FILE* file);

// The end-of-file test, made before each line: true once every byte of the
// file has been consumed.
bool AtEndOfText(LineReader& reader);

// The next line, valid until the next call of this or AtEndOfText. It ends at
// LF; the LF, a CR right before it and a CR that is the file's last byte are
// dropped, every other byte kept. Most lines are handed out in place, uncopied.
PaddedText ReadTextLine(LineReader& reader);

// text copied into storage with the padding behind it, for text that comes
// from elsewhere than a file; valid while storage is unchanged.
PaddedText PaddedCopy(std::string_view text, std::string& storage);

// True when text begins with prefix, byte for byte.
inline bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// The numbered kinds of line are read as if a space followed every line: so
// a line is of the kind when it begins with the keyword and a space, or is
// the keyword alone (a line of that kind without fields).
inline bool IsLineOfKind(std::string_view line, std::string_view keyword) {
  return StartsWith(line, keyword) && (line.size() == keyword.size() || line[keyword.size()] == ' ');
}

// Separator sets. Is tests one byte; Mark takes eight bytes as a word, first
// byte lowest, and sets the high bit of each byte that is a separator. Only
// the lowest mark is used, and that one is always exact.
namespace separator_bits {
constexpr uint64_t kOnes = 0x0101010101010101u;
constexpr uint64_t kHighs = 0x8080808080808080u;
constexpr uint64_t BytesEqual(uint64_t word, char c) {
  const uint64_t x = word ^ (kOnes * static_cast<unsigned char>(c));
  return (x - kOnes) & ~x & kHighs;
}
}  // namespace separator_bits

struct SpaceOnly {
  static bool Is(char c) { return c == ' '; }
  static uint64_t Mark(uint64_t word) { return separator_bits::BytesEqual(word, ' '); }
};

struct SpaceOrLineEnd {
  static bool Is(char c) { return c == ' ' || c == '\r' || c == '\n'; }
  static uint64_t Mark(uint64_t word) {
    using separator_bits::BytesEqual;
    return BytesEqual(word, ' ') | BytesEqual(word, '\r') | BytesEqual(word, '\n');
  }
};

struct SlashOnly {
  static bool Is(char c) { return c == '/'; }
  static uint64_t Mark(uint64_t word) { return separator_bits::BytesEqual(word, '/'); }
};

// Calls handle(field) for each field of text from index start on, each a part
// of text. A separator or the text's end ends a field; fields are not trimmed
// and empty ones count: a start at the end gives one empty field, beyond it none.
template <typename Separators, typename Handle>
void SplitFields(PaddedText text, std::size_t start, Separators, Handle&& handle) {
  if (start > text.size()) return;
  const char* first = text.data() + start;
  const char* const last = text.data() + text.size();
  for (;;) {
    const char* separator = PaddedText::FindSeparator<Separators>(first, last);
    handle(PaddedText(std::string_view(first, static_cast<std::size_t>(separator - first))));
    if (separator == last) return;
    first = separator + 1;
  }
}

// Never fails: leading spaces skipped; "&B", "&H" and "&O" read binary, hex and
// octal digits into a wrapping unsigned 64-bit value taken as signed; anything
// else reads the longest decimal beginning (D and d count as exponent letters)
// alike under every locale; no digits give 0.
double ParseNumber(std::string_view text);

// Appends value in decimal, with a leading minus sign when negative.
void AppendDecimal(std::string& text, int64_t value);

// A number as a face index: nearest integer, halves to the even neighbour,
// saturated to the signed 32-bit range; NaN gives 0.
int32_t RoundToIndex(double value);

// A number as a coordinate or colour component: the nearest float; values
// beyond the float range become infinities.
float RoundToFloat(double value);
