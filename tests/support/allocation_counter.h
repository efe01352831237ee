#pragma once
// Every global operator new of a test program that links this passes here,
// so a test can count what a stretch of code allocates, on every thread, and
// see the largest single request (what a hostile header made the code ask for).
#include <cstddef>

// Counting is off until started.
void StartCountingAllocations();
// The allocations since the start, and the largest request among them.
long StopCountingAllocations();
std::size_t LargestAllocation();
