// A run of consecutive language texts that code reaches as first + offset (month names, a report's
// rows). Declared as a constant, the build's text-id collector reads it, so the start-up check of
// the language file holds every text of the run, not only the ones the code names outright.
#pragma once

#include <cstdint>

struct TextRun {
    int32_t first = 0;
    int32_t count = 0;
    // The text at an offset from the first; the caller keeps the offset inside the run.
    constexpr int32_t At(int32_t offset) const { return first + offset; }
};
