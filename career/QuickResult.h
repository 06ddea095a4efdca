// The quick result of a fixture without the user's club: computed minute by minute, it writes the
// score, one statistics record per club and per player, and the match's lines of the day's report.
#pragma once

#include "career/MatchDay.h"

#include <array>
#include <climits>
#include <vector>

// Where a quick match puts what it creates. The tables own the new statistics records; the teams'
// and players' vectors only point at them.
struct QuickMatchContext {
    GameDate date;
    CTable<CMatchStat>* matchStats = nullptr;
    CTable<CPlayerStat>* playerStats = nullptr;
    CDayResults* results = nullptr; // report lines, incidents; may be null
};

// A player's report line of one category in a quick match: his count (or points) so far, with the
// first line's kind and time. The match's lines join the day's lists when it ends, in the order
// they first came up, as if each had been added at once.
struct QuickLine {
    const CPlayer* player = nullptr;
    const CTeam* team = nullptr;
    int kind = 0;
    int value = 0;
    int minute = 0;
    int second = 0;
};

// A player in a quick match with the statistics record made for him this match.
struct QuickPlayer {
    CPlayer* player = nullptr;
    CPlayerStat* stat = nullptr;
    // Where his line of each category stands in the match's lines, -1 for none yet.
    CDayResults::EntryHints lines = {-1, -1, -1, -1, -1, -1, -1};
    double rating = 0.0; // his overall rating as the match began
    int squadIndex = 0;  // his place in the squad: of two bench players alike, the earlier comes on
    // The condition he may come on again at (his stamina stays all match); -1 unknown, kNeverRested
    // once he is in foul trouble.
    int restedAt = -1;
    int stamina = 0;     // his condition skill's value as the match began (a quick match never trains it)
    int preference = -1; // his place in the order PickSubstitute brings players on in; -1 unknown
    // His weights for a shot and each event kind, from his skills as the match began (a skill
    // trained up a point in a match moves them by a few hundredths); all 0 reads as even.
    std::array<float, 5> weights{};
};
using QuickSide = std::vector<QuickPlayer>;
// A player's mark once he is in foul trouble: no condition brings him back.
inline constexpr int kNeverRested = INT_MAX;

// A club's league class, 0-2, from its league, as the flat court reads it (a club outside any league
// counts as class 0; a tournament club the class its five best players rate as): a quick result
// plays the class's pace and game.
int QuickLeagueClass(const CTeam& club);
// A club of a tournament world (a league that is not a regular one): two of them play the
// tournament's game, as the flat court plays them at their own levels.
bool QuickTournamentClub(const CTeam& club);

// One side of a running quick match.
struct QuickTeam {
    CTeam* team = nullptr;
    int leagueClass = 0;     // its attacks play this class's game
    bool tournament = false; // or the tournament's, against another tournament club
    CMatchStat* stat = nullptr;
    QuickSide five;
    QuickSide bench;
    int score = 0;
    double rating = 0.0; // the five's mean overall rating, taken at each minute's start
    // The five's defence and steal skills summed at each minute's start, kept as they train: every
    // attack reads their means.
    int defenceSum = 0;
    int stealSum = 0;
    // At each place of the five, the running sums up to it of the players' weights for a shot and
    // each event kind (assist, rebound, block, steal), taken with the figures above: the ball goes
    // by the players' skills.
    // Left empty (count 0) the draw is even.
    std::array<std::array<float, 5>, 5> weights{};
    int weighted = 0;
    std::array<const CPlayer*, 5> weightedFive{}; // whose weights they are: taken again on a change

    std::vector<QuickLine>* lines = nullptr; // the match's report lines (both sides'); may be null
    // Every player's preference, rested mark and stamina known, the starters first among them: a
    // change is then picked with one comparison a player.
    bool ranked = false;
    int starters = 0;
};

// The whole quick result of one fixture; scores out. Needs both tables in the context.
void SimulateQuickMatch(const QuickMatchContext& ctx, CTeam* home, CTeam* away, int& homeScore,
                        int& awayScore);
// One attack by a random side; the attacking side's score rises by the points made. It reads the
// sides' figures taken at the minute's start (the fives' ratings and defence and steal sums).
void SimulatePossession(QuickTeam& home, QuickTeam& away, int minute);
// Where the bench player to come on stands in the bench list, -1 for nobody: of the rested, a
// starter before the others, then the higher rated, then the earlier in the squad. With `anyone`
// (a hurt player must leave) the freshest player comes on when nobody is rested.
int PickSubstitute(const QuickSide& bench, bool anyone);
// Numbers the side's players in the order PickSubstitute brings them on, once the starters are
// known (nothing the order reads changes during a match), and marks the side ranked: its changes
// then pick with one comparison a player. A player already in foul trouble is marked never rested;
// the match marks the others as they reach it. A squad of more than 32 is left unranked.
void RankQuickSide(QuickTeam& side);
// The player at `courtIndex` of the five goes to the bench and the bench's pick comes on; false
// when nobody can come on (he plays on). Hurt, he leaves the match for good: with nobody to come
// on the side plays a man short.
bool SubstituteQuickPlayer(QuickTeam& side, size_t courtIndex, bool hurt);
// Quick-match training: the counter restarts at 100 minus itself when it passes 100. True when the
// skill's value rose.
bool TrainQuickSkill(CPlayer* player, int skill, int gain);
// The player's current condition (skill 1's second value).
inline int32_t& PlayerCondition(CPlayer* player) {
    return player->SkillSecond(1);
}

// A club's crowd at a quick home match, kept as its best crowd when larger: its fans fill seven in
// ten of its hall's seats at most (as for the user's club), a fifth of them with no win in its last
// ten games and all of them with ten. No die is rolled, so the day's draws stay as they were.
void RecordHomeCrowd(CTeam& club);

// PlayQuickFixture: the board's result row, the home club's crowd, the quick match, the day's top
// score and the row's score text. The board may be null.
void PlayQuickFixture(const QuickMatchContext& ctx, DayBoard* board, const CStr& homeCountry,
                      const CStr& awayCountry, CTeam* home, CTeam* away, int& homeScore, int& awayScore);
