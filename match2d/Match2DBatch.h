// Box scores of the flat-court match and seeded batches of instant league fixtures: the figures the
// tuning of the curves is judged by (the batch test and the box-score benchmark print them).
#pragma once

#include <functional>
#include <map>
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
    int blocks = 0;
    // Turnovers as the records book them (each player's lost balls, his "TO", and the side's own);
    // turnovers above are the balls the side lost, counted where they are lost. The two agree.
    int bookedTurnovers = 0;

    int FieldGoalsTaken() const { return twoTaken + threesTaken; }
    int FieldGoalsMade() const { return twoMade + threesMade; }
    void Add(const Match2DBox& other);
};

Match2DBox BoxScore(const CMatch2DTeam& team);

// How the batch picks tactics: both sides on the computer's tactics (offence 0 against man-to-man
// 13); the user's side cycling through every offence and the half-court defences; both sides on a
// random offence 0-9 and defence 10-19 each (the game's mix, presses included); or the user's side
// on the tactics a new career gives him (UserMatch.h) against the computer's.
// Watched: the new career's tactics, the user's side played as a watched match nobody touches (the
// computer's rest rule rests his tired players; a player who must leave is replaced by the freshest
// fit one, as the user would pick him in the window that asks).
enum class Match2DBatchTactics { Default, Every, Mix, NewCareer, Watched };
// Plays a watched match, set up and not yet begun, to its end another way than the headless loop
// (the display benches watch it through the game's screens): the two clubs and the user's tactics.
using Match2DWatchedPlay =
    std::function<void(CMatch2D& match, CTeam* home, CTeam* away, int userAttack, int userDefence)>;

// Playing time and changes of a side, or the sum of many.
struct Match2DTime {
    int substitutions = 0;
    int starterSeconds = 0, starters = 0; // the five who started
    int seconds = 0;                      // every player's recorded seconds on court
    int periodSeconds = 0;                // the match's length (five players play it)
    int injuries = 0;                     // players who had to leave hurt or exhausted
    int exhausted = 0;                    // of them, by running themselves empty
    int fouledOut = 0;                    // players with six fouls
    int startersInBand = 0;               // starters who played 24-38 minutes
    int startersShort = 0;                // of the others, those below 24
    // The five on court at the final whistle: how many, how many play more than a whole position
    // from their own (a guard at forward or centre), and how many a point guard at centre or the
    // reverse.
    int finalFive = 0, offPosition = 0, farOffPosition = 0;
    void Add(const Match2DTime& other);
};

// One club's sums over the matches it played in a batch.
struct Match2DClubFigures {
    const CTeam* club = nullptr;
    int matches = 0;
    int wins = 0;
    Match2DBox box;
    Match2DBox homeBox;              // of box, its home matches
    std::map<int, int> playerPoints; // player id -> his points over the club's matches
    // The club's leading scorer's points a match played by the club.
    double LeadingScorerPerMatch() const;
};

struct Match2DBatchFigures {
    int matches = 0;
    int forfeits = 0;
    int unfinished = 0;
    int level = 0;    // matches that ended with the scores level
    Match2DBox total; // over every side of every match
    // The same split by who coaches the side: the user's and the computer's.
    Match2DBox userSide, computerSide;
    std::vector<Match2DClubFigures> clubs; // in the order they first played
    int mostFouls = 0;
    int overtimeMatches = 0;
    int longestStealRun = 0;  // balls won in a row without a shot, the most in any match
    int quietPeriods = 0;     // periods without an attempt by either side
    int scoreMismatches = 0;  // sides whose scoreboard differs from their box score's points
    int foulLimits = 0;       // players who reached five fouls
    int firstWins = 0;        // wins of the first list's club (strong against weak)
    int userWins = 0;         // wins of the user's side
    Match2DTime time;         // every side
    Match2DTime userTime;     // the user's sides
    Match2DTime computerTime; // the computer's sides
    std::vector<int> points;  // one entry per side, sorted
    std::vector<int> margins; // one entry per match, sorted
    // Points of the first list's sides and of the others' (strong against weak), sorted.
    std::vector<int> firstPoints, secondPoints;
    // Free throws by the shooter's free-throw rating: below 45, 45-54, 55-64, 65 and above.
    static constexpr int kRatingBands = 4;
    int freeThrowsTakenByRating[kRatingBands] = {};
    int freeThrowsMadeByRating[kRatingBands] = {};
    static int RatingBand(int rating) { return rating < 45 ? 0 : rating < 55 ? 1 : rating < 65 ? 2 : 3; }

    int Sides() const { return static_cast<int>(points.size()); }
    double PerSide(int sum) const { return Sides() > 0 ? static_cast<double>(sum) / Sides() : 0.0; }
    // Value at quantile q (0-1) of a sorted list; 0 when empty.
    static int Quantile(const std::vector<int>& sorted, double q);
    int MedianPoints() const { return Quantile(points, 0.5); }
    int MedianMargin() const { return Quantile(margins, 0.5); }
    void Add(const Match2DBatchFigures& other);
    Match2DClubFigures& Club(const CTeam* club);
};

// Plays games instant matches between two different clubs of the given list each (drawn with the
// game's random generator after seeding it with seed), the user's side alternating home and away,
// and sums their box scores. With others, each match is a club of clubs against one of others
// (strong against weak), the first at home in even games. cup plays every side at the cup's level.
// onlyDefence (mix only): both sides defend with that tactic, on random offences. play, when given,
// plays the watched matches.
Match2DBatchFigures PlayMatch2DBatch(CMatch2D& match, const std::vector<CTeam*>& clubs, int games,
                                     unsigned int seed, Match2DBatchTactics tactics,
                                     const std::vector<CTeam*>* others = nullptr, bool cup = false,
                                     int onlyDefence = -1, const Match2DWatchedPlay& play = {});

// Every club of clubs plays every other one, at home and away, rounds times over (the user's side
// alternating): a club's own figures over 2 * rounds * (clubs - 1) matches.
Match2DBatchFigures PlayMatch2DRounds(CMatch2D& match, const std::vector<CTeam*>& clubs, int rounds,
                                      unsigned int seed, Match2DBatchTactics tactics);

// One instant match with both sides' tactics given (the computer's side as well as the user's).
struct Match2DTactics {
    int homeAttack = 0, homeDefence = 13, awayAttack = 0, awayDefence = 13;
};
bool PlayMatch2DWithTactics(CMatch2D& match, CTeam* home, CTeam* away, bool userIsHome,
                            const Match2DTactics& t, bool watched = false,
                            const Match2DWatchedPlay& play = {});

// The batch as table rows: a header and one row per figures set, each labelled.
void PrintMatch2DHeader();
void PrintMatch2DRow(const char* label, const Match2DBatchFigures& figures);
// The user's side and the computer's side of a batch, one row each (points, attempts, rebounds and
// the rest a match).
void PrintMatch2DSideHeader();
void PrintMatch2DSideRows(const char* label, const Match2DBatchFigures& figures);
// One row per club: matches, wins and its box score a match.
void PrintMatch2DClubHeader();
void PrintMatch2DClubRows(const Match2DBatchFigures& figures);
// Free-throw percentage by the shooter's rating band: a header and one row per figures set.
// Playing time: changes a match, a starter's minutes, a side's minutes against the match's, players
// hurt or exhausted a side; the user's sides apart.
void PrintMatch2DTimeHeader();
void PrintMatch2DTimeRow(const char* label, const Match2DBatchFigures& figures);
// The changes by side (the user's, the computer's): a match's changes, players fouled out, the share
// of starters who played 24-38 minutes, the share of the final five more than a position from their
// own and of them a point guard at centre or the reverse, hurt and exhausted.
void PrintMatch2DChangesHeader();
void PrintMatch2DChangesRows(const char* label, const Match2DBatchFigures& figures);
void PrintFreeThrowHeader();
void PrintFreeThrowRow(const char* label, const Match2DBatchFigures& figures);
