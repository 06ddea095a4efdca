// GameDate: a calendar date as the career, its fixtures and the matches think of it.
#pragma once

// The calendar's three-integer operations take year, day, month, so prefer the GameDate overloads.
struct GameDate {
    int year = 0;
    int month = 0; // 1-12
    int day = 0;   // 1-31
};

inline bool operator==(const GameDate& a, const GameDate& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}
