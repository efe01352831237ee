#include "model/progress_text.h"

#include "platform/log.h"

namespace {

// The bytes that LogWrite puts after a text written with a line end.
constexpr std::string_view kLogLineEnd = "\r\n";

}  // namespace

void StartPendingLog(PendingLog& log) {
  log.bytes.resize(kLogHandOverSize + (std::size_t{1} << 14));
  log.used = 0;
}

void HandOver(PendingLog& log) {
  if (log.used > 0) LogWrite(std::string_view(log.bytes.data(), log.used), false);
  log.used = 0;
}

// What is pending goes out before the storage grows, so that the storage
// stays near the size of one line's text, however long the file.
void Grow(PendingLog& log, std::size_t extra) {
  if (log.used >= kLogHandOverSize) HandOver(log);
  if (log.bytes.size() - log.used < extra) log.bytes.resize(std::max(2 * log.bytes.size(), log.used + extra));
}

void PutCorners(PendingLog& log, PaddedText line) {
  if (line.size() < 2) return;
  const char* in = line.data() + 2;
  const char* const last = line.data() + line.size();
  for (;;) {
    // The corner's remaining bytes at most three times over, with the
    // brackets and the last part's braces.
    MakeRoom(log, 3 * static_cast<std::size_t>(last - in) + 4);
    char* out = log.bytes.data() + log.used;
    *out++ = '[';
    const char* cornerEnd = PaddedText::CopyUntilSeparator<SpaceOrLineEnd>(in, last, out);
    out += cornerEnd - in;
    *out++ = ']';
    *out++ = '{';
    for (const char* part = in;;) {
      const char* slash = PaddedText::CopyUntilSeparator<SlashOnly>(part, cornerEnd, out);
      out += slash - part;
      *out++ = '}';
      if (slash == cornerEnd) break;
      *out++ = '{';
      part = slash + 1;
    }
    log.used = static_cast<std::size_t>(out - log.bytes.data());
    if (cornerEnd == last) return;
    in = cornerEnd + 1;
  }
}

void EndLogLine(PendingLog& log) {
  MakeRoom(log, kLogLineEnd.size());
  Put(log, kLogLineEnd);
  if (log.used >= kLogHandOverSize) HandOver(log);
}
