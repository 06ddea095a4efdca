// Display forms of figures that are not money: playing time, shares, ratios and large counts. Every
// screen writes a figure of a kind through the one function of that kind, so it reads the same
// wherever it is shown.
#pragma once

#include "engine/Str.h"

#include <cstdint>

// Playing time kept as minutes.seconds (15.36 for 15 minutes 36 seconds) in the "15:36" form.
CStr MinutesText(double minutesDotSeconds);
// Playing time kept in seconds, in the same form: 1910 seconds read "31:50".
CStr PlayingTimeText(int64_t seconds);
// Seconds summed over games as the time a game, averaged in seconds: "7:51"; "0:00" without games.
CStr MinutesPerGameText(int64_t seconds, int64_t games);
// A total over games as an amount a game with two decimals: "8.00"; "0.00" without games.
CStr PerGameText(int64_t total, int64_t games);
// A share in per cent with two decimals, without the sign (the captions say "%"): "53.85".
CStr PercentText(double percent);
// The share `part` is of `whole` in that form: 2 of 3 read "66.67"; "0.00" when nothing was tried.
CStr RateText(int64_t part, int64_t whole);
// How many of `a` to one of `b`, one number with two decimals: 30 steals to 68 rebounds read
// "0.44"; "0.00" when b is 0.
CStr RatioText(int64_t a, int64_t b);
// What was made of what was tried, made first, as the player lists show it: "116/160".
CStr MadeOfText(int64_t made, int64_t attempted);
// A stamina or energy on the 0-100 scale as a whole number, rounded halves away from zero, so a
// panel and a box score showing the same moment agree: 58.5 reads "59".
CStr StaminaText(float stamina);
// A whole count with its thousands grouped: "15,000", "-1,200", "950".
CStr GroupedCount(int64_t count);
