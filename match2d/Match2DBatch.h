// Box scores of the flat-court match and seeded batches of instant league fixtures: the figures the
// tuning of the curves is judged by (the batch test and the box-score benchmark print them).
#pragma once

#include <vector>

class CMatch2D;
class CMatch2DTeam;
struct CTeam;

// One side's box score, or the sum of many.
struct Match2DBox {
    int points = 0;
    int twoTaken = 0, twoMade = 0; // two-pointers and dunks
    int dunksTaken = 0, dunksMade = 0;
    int threesTaken = 0, threesMade = 0;
    int freeThrowsTaken = 0, freeThrowsMade = 0;
    int offensiveRebounds = 0, defensiveRebounds = 0;
    int assists = 0, steals = 0, turnovers = 0, fouls = 0;

    int FieldGoalsTaken() const { return twoTaken + threesTaken; }
    int FieldGoalsMade() const { return twoMade + threesMade; }
    void Add(const Match2DBox& other);
};

Match2DBox BoxScore(const CMatch2DTeam& team);

// How the batch picks tactics: both sides on the game's default (offence 0 against man-to-man 13),
// or the user's side cycling through every offence and the half-court defences.
enum class Match2DBatchTactics { Default, Every };

struct Match2DBatchFigures {
    int matches = 0;
    int forfeits = 0;
    int unfinished = 0;
    int level = 0;    // matches that ended with the scores level
    Match2DBox total; // over every side of every match
    int mostFouls = 0;
    std::vector<int> points;  // one entry per side, sorted
    std::vector<int> margins; // one entry per match, sorted

    int Sides() const { return static_cast<int>(points.size()); }
    double PerSide(int sum) const { return Sides() > 0 ? static_cast<double>(sum) / Sides() : 0.0; }
    // Value at quantile q (0-1) of a sorted list; 0 when empty.
    static int Quantile(const std::vector<int>& sorted, double q);
    int MedianPoints() const { return Quantile(points, 0.5); }
    int MedianMargin() const { return Quantile(margins, 0.5); }
    void Add(const Match2DBatchFigures& other);
};

// Plays games instant matches between two different clubs of the given list each (drawn with the
// game's random generator after seeding it with seed), the first club listed at home in even games
// and the user's side alternating home and away, and sums their box scores.
Match2DBatchFigures PlayMatch2DBatch(CMatch2D& match, const std::vector<CTeam*>& clubs, int games,
                                     unsigned int seed, Match2DBatchTactics tactics);

// The batch as table rows: a header and one row per figures set, each labelled.
void PrintMatch2DHeader();
void PrintMatch2DRow(const char* label, const Match2DBatchFigures& figures);
