#pragma once
// The reading rules that the model and material readers share: lines, fields
// and numbers. Pure code over a FILE* and text views; no display needed.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

// Closes a file when its owner goes out of scope.
struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using OwnedFile = std::unique_ptr<std::FILE, CloseFile>;

// Reads a file in large blocks and hands it out line by line.
struct LineReader {
  std::FILE* file = nullptr;
  std::unique_ptr<char[]> block;
  std::size_t position = 0;  // next unread byte in block
  std::size_t filled = 0;    // bytes of block that hold file data
  bool fileDrained = false;  // the last read came back short: nothing more to come
};

// Starts reading file from its current position. The reader does not own it.
void StartReading(LineReader& reader, std::FILE* file);

// The end-of-file test, made before each line: true once every byte of the
// file has been consumed.
bool AtEndOfText(LineReader& reader);

// Reads the next line into line (its storage is reused). A line ends at LF;
// neither the LF nor a CR right before it belongs to the line, and a CR that
// is the file's very last byte is dropped too. Every other byte is kept.
void ReadTextLine(LineReader& reader, std::string& line);

// True when text begins with prefix, byte for byte.
inline bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// Calls handle(field) for every field of text from index start on. Each
// separator ends a field, so empty fields count; text after the last
// separator is not a field (the readers end their texts with a separator).
template <typename IsSeparator, typename Handle>
void SplitFields(std::string_view text, std::size_t start, IsSeparator isSeparator, Handle&& handle) {
  std::size_t fieldStart = start;
  for (std::size_t i = start; i < text.size(); ++i) {
    if (isSeparator(text[i])) {
      handle(text.substr(fieldStart, i - fieldStart));
      fieldStart = i + 1;
    }
  }
}

// Calls handle(part) for every part of a face corner: the texts between its
// slashes, the last one ended by the corner's end as if a slash followed it.
template <typename Handle>
void SplitCornerParts(std::string_view corner, Handle&& handle) {
  std::size_t partStart = 0;
  for (std::size_t i = 0; i < corner.size(); ++i) {
    if (corner[i] == '/') {
      handle(corner.substr(partStart, i - partStart));
      partStart = i + 1;
    }
  }
  handle(corner.substr(partStart));
}

inline bool IsSpace(char c) { return c == ' '; }
inline bool IsSpaceOrLineEnd(char c) { return c == ' ' || c == '\r' || c == '\n'; }

// The value of a piece of text; never fails. Leading spaces are skipped; "&B",
// "&H" and "&O" read binary, hexadecimal and octal digits into a wrapping
// unsigned 64-bit value taken as signed; anything else reads the longest
// decimal beginning (D and d count as exponent letters), the same under every
// locale; no digits give 0.
double ParseNumber(std::string_view text);

// Appends value in decimal, with a leading minus sign when negative.
void AppendDecimal(std::string& text, int64_t value);

// A number as a face index: nearest integer, halves to the even neighbour,
// saturated to the signed 32-bit range; NaN gives 0.
int32_t RoundToIndex(double value);

// A number as a coordinate or colour component: the nearest float; values
// beyond the float range become infinities.
float RoundToFloat(double value);
