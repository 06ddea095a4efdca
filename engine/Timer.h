// Millisecond tick (wraps like a 32-bit counter; callers take unsigned differences) and a
// high-resolution counter for frame timing.
#pragma once

#include <cstdint>

uint32_t GetTickCountMs();
uint64_t HighResCounter();
uint64_t HighResFrequency();
void SleepMs(uint32_t milliseconds);
