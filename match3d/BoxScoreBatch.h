// Seeded 3D matches between real squads, played headless at full speed, and the box-score figures
// of a batch: what the tuning of the 3D match is measured by.
#pragma once

#include "database/Records.h"
#include "match/UserMatch.h"
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

class CMatch3D;
class CMatchTeam;

// The longest a player should ever watch a dead ball at normal speed, the match not held.
inline constexpr double kLongestDeadBallSeconds = 10.0;

struct Match3DBox {
    int points = 0;
    int twoTaken = 0, twoMade = 0;
    int threesTaken = 0, threesMade = 0;
    int freeThrowsTaken = 0, freeThrowsMade = 0;
    int offensiveRebounds = 0, defensiveRebounds = 0;
    int steals = 0;
    int blocks = 0;
    int fouls = 0;
    int foulLimits = 0; // players who reached the sixth foul
    int injuries = 0;   // players hurt in the match
    int exhausted = 0;  // of them, by running themselves empty
    int badPasses = 0;
    int turnovers = 0; // balls lost to the other side
    int substitutions = 0;
    int starterSeconds = 0; // the five who started: their seconds on court
    int starters = 0;
    int startersInBand = 0; // of them, those who played 24-38 minutes
    int startersUnder = 0;  // and those who played under 24
    // The five on court at the final whistle: how many, how many of them play a role more than a
    // position from their own, and how many a point guard at centre or a centre at point guard.
    int finalFive = 0;
    int offPosition = 0;
    int guardCentreSwaps = 0;
    int seconds = 0;       // every player's seconds on court
    int periodSeconds = 0; // the match's length on the game clock (a side's five play it)
    int shotClockViolations = 0;
    int possessions = 0; // times the side took the ball to attack, tip-offs included
    // Match seconds: the longest one side held the ball in play without a shot, and the longest a
    // change stayed under way (asked for until the players had swapped). Both sides of a match share them.
    double longestPossession = 0.0;
    double longestChange = 0.0;
    // The rules the player sees: game-clock seconds that ran while free throws were under way, periods
    // that ended with throws still owed (match figures, on the home side's box only), the longest the
    // ball stayed dead for a change, a throw-in or free throws, and of it the longest the shooter held
    // it at the free-throw line (from the foul to the first throw, or between the throws), in real
    // seconds at normal speed.
    int freeThrowClockSeconds = 0;
    int periodsEndedOwingThrows = 0;
    double longestDeadBall = 0.0;
    double longestLineUp = 0.0;
    int longDeadBallMatches = 0; // matches with a dead ball longer than that (home side's box only)

    void Add(const Match3DBox& other);
    int FieldGoalsTaken() const { return twoTaken + threesTaken; }
    int FieldGoalsMade() const { return twoMade + threesMade; }
};

struct Match3DBatchFigures {
    int matches = 0;
    int unfinished = 0;   // matches that did not reach their end
    int level = 0;        // matches that ended level
    int off = 0;          // sides whose scoreboard differs from their box score
    Match3DBox total;     // both sides of every match
    Match3DBox userTotal; // the user's sides of a watched batch (else the home sides)
    std::vector<int> sidePoints;
    std::vector<int> margins;
    int userWins = 0;        // matches the user's side (else the home side) won
    long userMarginSum = 0;  // that side's points less the other's, summed
    int userHomeMatches = 0; // of the matches, those the user's side played at home
    int userHomeWins = 0;    // and won
    // The club the user's side (else the home side) played each match, and the club it met.
    std::vector<int> userClubs;
    std::vector<int> otherClubs;

    double PerSide(int value) const { return matches > 0 ? value / (2.0 * matches) : 0.0; }
    // One played match's sides and how it ended, into the totals every batch keeps.
    void AddMatch(const Match3DBox& home, const Match3DBox& away, bool finished, bool consistent);
    int MedianPoints() const;
    int MedianMargin() const;
};

// The scene of a seeded match of the two clubs as every batch plays it: the game's sequence seeded, the
// home side's user formations the defaults, and both sides on the computer's coaching. models: the
// characters load the player and referee models and move by the court motion, as in the shown match
// (nothing is drawn); otherwise the stand-in clips of the headless match move them.
// watched: the user's side (the home side, or the away side when userAtHome is false) is played as a
// watched match left alone: the computer's
// rest rule rests its tired players, and a player who must leave is replaced as the display's
// window offers it.
// tactics: the user's side's, by default those a new career starts with. computer, when given: the
// tactics the other side lines up on instead of the computer's own.
std::unique_ptr<CMatch3D> LoadSeededMatch3D(CTeam& home, CTeam& away, unsigned seed, bool models,
                                            bool watched = false, const UserTactics& tactics = {},
                                            const UserTactics* computer = nullptr, bool userAtHome = true);
// What a match showed beyond its two box scores.
struct Match3DMatchFacts {
    bool levelAfterFour = false; // level when the fourth quarter's clock ran out
    int overtimes = 0;
};
// Told after every step played, with the period the match's clock reads.
using Match3DStepWatch = std::function<void(const CMatch3D& match, int period)>;
// Plays a loaded match to its end another way than the headless loop (the display benches watch it
// through the game's screens), telling watch after every step: true when it ended; periods receives
// the periods played.
using Match3DPlay = std::function<bool(CMatch3D& match, int& periods, const Match3DStepWatch& watch)>;
// One match of the two clubs on the computer's tactics (the home side's user formations are the
// defaults), seeded, through the scene set-up above and the shown match's steps and display clock.
// facts, when given, receives what the match showed beyond the box scores. play, when given, plays
// the loaded match instead of the headless loop.
Match3DBox PlaySeededMatch3D(CTeam& home, CTeam& away, unsigned seed, bool models, Match3DBox& awayBox,
                             bool& finished, bool& consistent, Match3DMatchFacts* facts = nullptr,
                             bool watched = false, const Match3DPlay& play = {},
                             const UserTactics& tactics = {}, const UserTactics* computer = nullptr,
                             bool userAtHome = true);
// The away club of a batch's match `index` among `clubs` clubs: the home club is index % clubs, and
// each meets the others in turn, never itself, so every match asked for is played.
size_t BatchOpponent(size_t index, size_t clubs);
// count matches of clubs drawn in pairs from the list, seeds seed, seed + 1, ...
// watched: each fixture is played twice, the user's side at home in the even match and away in the
// odd one, so the user coaches each club of a fixture once; its figures go to userTotal as well, the
// home sides' when not watched.
Match3DBatchFigures PlayMatch3DBatch(const std::vector<CTeam*>& clubs, int count, unsigned seed, bool models,
                                     bool watched = false, const Match3DPlay& play = {},
                                     const UserTactics& tactics = {}, const UserTactics* computer = nullptr);
// Strength showing: matches between two lists of clubs (each club of the first against the clubs of
// the second in turn, home and away alternating), and how often the first list's club won.
struct Match3DVersus {
    int matches = 0;
    int firstWins = 0;
    int level = 0;
    int unfinished = 0;
    Match3DBox firstBox;  // the first list's sides, every match
    Match3DBox secondBox; // the second list's
    double FirstWinShare() const { return matches > 0 ? static_cast<double>(firstWins) / matches : 0.0; }
};
// watched and play: the home side is the user's, as in PlayMatch3DBatch.
Match3DVersus PlayMatch3DVersus(const std::vector<CTeam*>& first, const std::vector<CTeam*>& second,
                                int count, unsigned seed, bool models, bool watched = false,
                                const Match3DPlay& play = {});
// A squad's strength as the 3D match reads it: the mean, over the five who start, of what a shot adds
// before the die (the two- and three-point skills weighed by how often each is taken, the shooting
// tenth, the height bonus and the morale, stamina and aggression modifiers at the tip-off). The mean
// of every skill would count skills no roll of the 3D match reads (experience, game sense,
// rebounding, blocking) and leave out the stamina that every roll reads.
double SquadStrength(CTeam& club);
// The same, of the starting five of a roster already set up for a match.
double StartersShotStrength(const CMatchTeam& team);
// The clubs ordered strongest first.
std::vector<CTeam*> ByStrength(std::vector<CTeam*> clubs);

// A club's copy whose players stand `shift` points higher in every skill the overall rating counts
// (or only in the record skills 1-16 listed in `skills`), under ids of its own so that it can meet the
// club itself: one rating point's worth in a match, with the squad, its line-up and its class alike.
struct ShiftedClub {
    CTeam team;
    std::vector<std::unique_ptr<CPlayer>> players;
};
std::unique_ptr<ShiftedClub> ShiftClub(const CTeam& club, int shift, const std::vector<int>& skills = {});

// The figures as one table row, and its header.
void PrintMatch3DHeader();
void PrintMatch3DRow(const char* label, const Match3DBatchFigures& figures);
// The home (user's) and the away (computer's) side apart: a side's points, shots, free throws, the
// share of its own misses it rebounded, steals, fouls and possessions a match.
void PrintMatch3DSideHeader();
void PrintMatch3DSideRows(const char* label, const Match3DBatchFigures& figures);
// Playing time and changes: substitutions a match (both sides), a starter's minutes, a side's
// minutes against the match's length, players hurt a side; the user's sides apart in a watched batch.
void PrintMatch3DTimeHeader();
void PrintMatch3DTimeRow(const char* label, const Match3DBatchFigures& figures, bool watched);
// The coach's changes a side: players fouled out a match, the final five off their own position,
// starters within 24-38 minutes, changes, the exhausted and hurt; the user's and the computer's
// sides apart in a watched batch.
void PrintMatch3DChangesHeader();
void PrintMatch3DChangesRows(const char* label, const Match3DBatchFigures& figures, bool watched);
// A player's own position against the role he fills: more than a whole position apart.
bool OffPosition(int ownPosition, int role);
