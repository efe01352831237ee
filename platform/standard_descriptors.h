#pragma once
// The standard streams of a program that may have been started with some of
// them closed (launchers and service managers do that).

// Gives each of standard input, output and error that is closed an empty
// stand-in, so that no file or display connection opened later takes its
// place and gets the progress text or a message written into it. The first
// thing main does.
void ReserveStandardDescriptors();
