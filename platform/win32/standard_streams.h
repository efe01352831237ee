#pragma once
// The standard streams of a program that may have been started without any.

// Puts standard output in binary mode: the progress text's CR LF goes out as
// written, and no LF becomes CR LF. Before any progress text is written.
void WriteStandardOutputAsBinary();

// Whether the process was given a standard error stream. A program started
// from the desktop has none, and a message written there is never seen. The
// answer is the first call's: asked before the console is taken, which may
// give the process standard handles that it was not started with.
bool HasStandardError();
