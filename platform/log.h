#pragma once
// Progress text: the loaders' running account of what they read.
#include <cstdio>
#include <string_view>

// Appends one piece of progress text; with lineEnd a CR LF follows it. The
// bytes go to standard output unchanged, gathered until the buffer fills or
// LogFlush. After a write that fails, the rest is dropped.
void LogWrite(std::string_view text, bool lineEnd);

// Hands the gathered text to the stream and flushes it. The viewer calls it
// after loading and once more on its way out.
void LogFlush();

// Sends progress text to another stream from now on, or drops it when stream
// is nullptr; what was gathered goes to the old one first. The viewer keeps
// standard output; tests and benchmarks use this to read or drop the text.
void LogSetStream(std::FILE* stream);
