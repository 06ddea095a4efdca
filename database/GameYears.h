// The game's years: the one range every date a career holds must lie in, shared by the fixtures,
// the rollover and the checks a saved career passes on loading.
#pragma once

#include <cstdint>

// Careers start in 2006 and 2007 and move on a year a season; no career comes near the end of
// this range, so a date outside it is a damaged file.
constexpr int32_t kFirstGameYear = 2000;
constexpr int32_t kLastGameYear = 2999;
// Players are born long before the game's years, but not before this.
constexpr int32_t kFirstBirthYear = 1900;

// A season starts in one year and its fixtures run into the next, never further: the last season
// the game can hold starts the year before its last.
constexpr int32_t kSeasonYears = 2;
constexpr int32_t kLastSeasonStartYear = kLastGameYear - (kSeasonYears - 1);

constexpr bool IsGameYear(int64_t year) {
    return year >= kFirstGameYear && year <= kLastGameYear;
}

// Every fixture of a season starting in that year falls within the game's years.
constexpr bool SeasonFitsGameYears(int64_t startYear) {
    return startYear >= kFirstGameYear && startYear <= kLastSeasonStartYear;
}

// A fixture of the season starting in seasonStartYear lies in that year or the next.
constexpr bool IsYearOfSeason(int64_t year, int64_t seasonStartYear) {
    return year >= seasonStartYear && year < seasonStartYear + kSeasonYears;
}
