#include "platform/process_start.h"

#include "platform/win32/standard_streams.h"

// A Windows program's standard streams are handles that nothing opened later
// can take the place of, and nothing from outside asks a windowed program to
// end but through its window: only the streams need setting up.
void PrepareProcess() { SetUpStandardStreams(); }
