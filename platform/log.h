#pragma once
// Progress text: the loaders' running account of what they read.
#include <cstdio>
#include <string_view>

// Appends one piece of progress text; with lineEnd a CR LF follows it.
// The text goes to standard output unchanged, buffered until LogFlush or exit.
void LogWrite(std::string_view text, bool lineEnd);

// Hands buffered progress text to the system.
void LogFlush();

// Sends progress text to another stream, or drops it when stream is nullptr.
// For tests and benchmarks; the viewer keeps standard output.
void LogSetStream(std::FILE* stream);
