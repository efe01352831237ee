#pragma once
// The standard streams of a windowed program: text reaches a file or a pipe
// that standard output or error was redirected to, and nothing else.

// Sends standard output and standard error that are no file or pipe to
// nowhere, and puts standard output in binary mode: the progress text's CR LF
// goes out as written, and no LF becomes CR LF. At the process's start, before
// anything is written.
void SetUpStandardStreams();

// Whether the process was given a standard error stream: a file or a pipe. A
// program started from the desktop has none, nor has one started from a
// console without redirection, and a message written there is never seen.
// Answered once; later calls keep the answer.
bool HasStandardError();
