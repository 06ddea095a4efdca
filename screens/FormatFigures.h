// Display forms of figures that are not money: playing time and large counts.
#pragma once

#include "engine/Str.h"

#include <cstdint>

// Playing time kept as minutes.seconds (15.36 for 15 minutes 36 seconds) in the "15:36" form.
CStr MinutesText(double minutesDotSeconds);
// A whole count with its thousands grouped: "15,000", "-1,200", "950".
CStr GroupedCount(int64_t count);
