#include "platform/standard_descriptors.h"

// A Windows program's standard streams are handles that nothing opened later
// can take the place of: one started without them writes to nowhere, which
// the progress text and the messages already allow for.
void ReserveStandardDescriptors() {}
