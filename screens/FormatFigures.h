// Display forms of figures that are not money: playing time and large counts.
#pragma once

#include "engine/Str.h"

#include <cstdint>

// Playing time kept as minutes.seconds (15.36 for 15 minutes 36 seconds) in the "15:36" form.
CStr MinutesText(double minutesDotSeconds);
// Seconds summed over games as the time a game, averaged in seconds: "7:51"; "0:00" without games.
CStr MinutesPerGameText(int64_t seconds, int64_t games);
// A total over games as an amount a game with two decimals: "8.00"; "0.00" without games.
CStr PerGameText(int64_t total, int64_t games);
// A share in per cent with two decimals, without the sign: "53.85".
CStr PercentText(double percent);
// A whole count with its thousands grouped: "15,000", "-1,200", "950".
CStr GroupedCount(int64_t count);
