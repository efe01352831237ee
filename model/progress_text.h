#pragma once
// The model reader's progress text: a log line per model line, its bytes with
// brackets and braces around fields and parts. Handed to LogWrite in large
// pieces, not a call per line, so the account costs about what copying it does.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <vector>

#include "model/text_reading.h"

// Progress text not yet handed to LogWrite. Its storage only grows, and each
// writer makes room first, so the pieces go in without further checks.
struct PendingLog {
  std::vector<char> bytes;
  std::size_t used = 0;
};

// Larger than the log's own buffer, so that each piece goes straight out.
constexpr std::size_t kLogHandOverSize = (std::size_t{1} << 16) + 1;

// Storage for the first lines; it grows for longer ones.
void StartPendingLog(PendingLog& log);

// Hands what is pending to LogWrite.
void HandOver(PendingLog& log);

// Hands over what is pending, then grows the storage to hold extra bytes more.
void Grow(PendingLog& log, std::size_t extra);

// Room for extra bytes, and for a whole-word copy that runs past them.
inline void MakeRoom(PendingLog& log, std::size_t extra) {
  extra += kLinePadding;
  if (log.bytes.size() - log.used < extra) Grow(log, extra);
}

// Appends text; MakeRoom must have made room for it.
inline void Put(PendingLog& log, std::string_view text) {
  std::memcpy(log.bytes.data() + log.used, text.data(), text.size());
  log.used += text.size();
}

// "[field]" for every field of text from start on, the fields as SplitFields
// finds them. Scanning and copying go together, eight bytes at a time.
template <typename Separators>
void PutFields(PendingLog& log, PaddedText text, std::size_t start) {
  if (start > text.size()) return;
  const char* in = text.data() + start;
  const char* const last = text.data() + text.size();
  for (;;) {
    MakeRoom(log, static_cast<std::size_t>(last - in) + 2);
    char* out = log.bytes.data() + log.used;
    *out++ = '[';
    const char* separator = PaddedText::CopyUntilSeparator<Separators>(in, last, out);
    out += separator - in;
    *out++ = ']';
    log.used = static_cast<std::size_t>(out - log.bytes.data());
    if (separator == last) return;
    in = separator + 1;
  }
}

// "[corner]" and then "{part}" for each of its parts, for every corner of a
// face line.
void PutCorners(PendingLog& log, PaddedText line);

// Ends the log line with CR LF, as LogWrite with a line end does.
void EndLogLine(PendingLog& log);
