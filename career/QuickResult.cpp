// The quick result of every fixture without the user's club: possessions, minutes and changes.
#include "career/QuickResult.h"

#include "engine/GameRand.h"
#include "match/MatchResult.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>

namespace {

double Unit() {
    return static_cast<double>(GameRand()) / kGameRandMax;
}
// trunc(n x r) in whole numbers, exact and without a division in the hot loop (a floating-point
// product can land just under a whole number, for n sharing a factor with 32767, such as 7).
int Trunc(int n) {
    return n * GameRand() / kGameRandMax;
}
int D100() {
    return Trunc(100);
}
int Size(const QuickSide& side) {
    return static_cast<int>(side.size());
}

constexpr int kSkillCondition = 1;
constexpr int kSkillScoring = 2;
constexpr int kSkillRebound = 4;
constexpr int kSkillDefence = 7;
constexpr int kSkillTwoPoint = 8;
constexpr int kSkillThreePoint = 9;
constexpr int kSkillClose = 10;
constexpr int kSkillFreeThrow = 14;
constexpr int kSkillPassing = 15;
constexpr int kSkillSteal = 16;

// Every number of the quick result, in one place (content/ini/README.md has the figures they give).
// Chances are percentages. A shot's chance moves with the shooter's own skill for that shot against
// the defending five's mean defence, so clubs of one class play the same game and a better club
// wins more, and a little with the two fives' mean ratings, so that the stronger of two close clubs
// (a tournament's tiers lie a few points apart) shows; free throws follow the shooter alone.
struct QuickShot {
    int skill;            // the shooter's skill for this shot
    double chance;        // made, when his skill equals the defenders' mean defence
    int points;           // for a made shot
    int kind;             // report-line kind
    int playerField;      // attempts; made is the next field
    int clubField;        // the club record's attempts; made is the next field
    int training;         // progress his shot skill gains when it goes in
    int defenceAtLeast;   // a miss: a d100 roll at or above this is a defender's stop (kind 6)
    int defendersAtLeast; // else a d100 roll at or above this is the defenders' rebound, below it
                          // the attackers'
};

// What differs between the league classes, as the flat court plays them: its pace, and how often
// an attack goes to the line, loses the ball, is fouled and shoots a three.
struct QuickClass {
    // Possessions a minute: d100 rolls in turn, each at or below its threshold one more
    // possession; the first roll above its threshold (or a threshold below 0) ends the minute.
    int possessionRolls[5];
    double freeThrowTrip; // of the possessions: a trip to the line for two throws
    double turnover;      // of the possessions: the ball lost without a shot, when the
                          // defenders' mean steal skill equals the handler's passing
    double stealShare;    // of the turnovers: a defender's steal
    double commonFoul;    // of the possessions: a defender's foul that gives no throws; the side
                          // keeps the ball and shoots
    int twoUpTo;          // shot mix: a d100 roll above this is a three
    int blockShift;       // a miss is blocked this much more often on the d100 than the shot's own
};

struct QuickResultTable {
    QuickClass classes[3];
    // Two tournament clubs: the flat court plays them at their squads' own levels and pace, not at
    // a league class's, and loses more balls than the class their five best rate as.
    QuickClass tournament;
    double turnoverSlope; // per point the defenders' steal skill stands above his passing
    double chargeShare;   // of the turnovers: the handler's foul (a charge); the rest go astray or
                          // are a violation
    int foulOut;          // a player's foul that takes him off for the rest of the match
    int foulTrouble;      // fouls at which his coach takes him off and keeps him on the bench, as
                          // the played matches' coaches do: he fouls out only if nobody can come on
    double freeThrow;     // a throw made, by a shooter of skill freeThrowCentre
    double freeThrowCentre;
    double freeThrowSlope;          // per point of his free-throw skill
    double freeThrowOffensive;      // a missed last throw: the attackers' rebound
    int closeUpTo;                  // shot mix: a d100 roll up to this is a close shot, up to the
                                    // class's twoUpTo a two-pointer
    double shotSlope;               // per point of shooting skill above the defenders' mean defence
    double ratingSlope;             // per point the attacking five's mean rating stands above the
                                    // defending five's, up to ratingGapMost points: the better five
    double ratingGapMost;           // shows in a close pairing, and a wide gap does not run away
    double shotLowest, shotHighest; // every shot's chance stays within these
    double assistShare;             // of the made field goals: a teammate's share
    double leadPower;               // a player's share of shots and events: (skill / 50) to this power
    int incidentUpTo;               // each minute a d100 roll at or below this: a player is hurt
    int tiredAt;                    // an on-court player at this condition or below comes off
    int benchRecovery;              // condition a bench player regains a minute, up to his stamina
    double restedShare;             // a bench player may come on once back this share of the way
                                    // from tiredAt to his stamina; a starter then comes back
    QuickShot close, two, three;
};

constexpr QuickResultTable kQuick = {
    // About 200, 187 and 175 possessions a match, classes 0-2 (a side's FGA + FTA / 2 + TO on the
    // flat court).
    .classes = {{.possessionRolls = {100, 100, 100, 100, 16},
                 .freeThrowTrip = 11.4,
                 .turnover = 14.9,
                 .stealShare = 50.0,
                 .commonFoul = 8.5,
                 .twoUpTo = 65,
                 .blockShift = 0},
                {.possessionRolls = {100, 100, 100, 89, -1},
                 .freeThrowTrip = 12.1,
                 .turnover = 12.9,
                 .stealShare = 60.0,
                 .commonFoul = 9.5,
                 .twoUpTo = 63,
                 .blockShift = 0},
                {.possessionRolls = {100, 100, 100, 63, -1},
                 .freeThrowTrip = 12.6,
                 .turnover = 12.1,
                 .stealShare = 62.0,
                 .commonFoul = 10.0,
                 .twoUpTo = 60,
                 .blockShift = 2}},
    // About 184 possessions a match, a third of the shots threes, 13.3 % of them lost: the flat
    // court's EuroCup and WorldCup (68-69 shots, 12.2-12.4 turnovers, 4.9-5 blocks a side). Read as
    // class 2 they took 66 shots, lost 10.6 balls and blocked 4.5.
    .tournament = {.possessionRolls = {100, 100, 100, 82, -1},
                   .freeThrowTrip = 11.85,
                   .turnover = 13.3,
                   .stealShare = 57.0,
                   .commonFoul = 9.0,
                   .twoUpTo = 64,
                   .blockShift = 2},
    .turnoverSlope = 0.3,
    .chargeShare = 8.0,
    .foulOut = 6,
    .foulTrouble = 5,
    .freeThrow = 75.0,
    .freeThrowCentre = 55.0,
    .freeThrowSlope = 0.4,
    .freeThrowOffensive = 15.0,
    .closeUpTo = 5,
    .shotSlope = 0.25,
    .ratingSlope = 0.8,
    .ratingGapMost = 2.0,
    .shotLowest = 5.0,
    .shotHighest = 95.0,
    .assistShare = 60.0,
    .leadPower = 9.0,
    .incidentUpTo = 0, // one minute in a hundred: about one player hurt a side in four matches
    .tiredAt = 25,
    .benchRecovery = 6,
    .restedShare = 0.6,
    .close = {.skill = kSkillClose,
              .chance = 70.0,
              .points = 2,
              .kind = kLineClose,
              .playerField = 12,
              .clubField = 11,
              .training = 2,
              .defenceAtLeast = 78, // 80 / 87 blocked 4.6 a side, the played matches 4-5.5
              .defendersAtLeast = 30},
    .two = {.skill = kSkillTwoPoint,
            .chance = 49.5,
            .points = 2,
            .kind = kLineTwoPoint,
            .playerField = 14,
            .clubField = 13,
            .training = 2,
            .defenceAtLeast = 85,
            .defendersAtLeast = 25},
    .three = {.skill = kSkillThreePoint,
              .chance = 36.5,
              .points = 3,
              .kind = kLineThreePoint,
              .playerField = 16,
              .clubField = 15,
              .training = 3,
              .defenceAtLeast = 95,
              .defendersAtLeast = 28},
};

// A roll in 0-100 with the generator's full resolution against a percentage chance (the roll is
// GameRand() / 32767 x 100, compared without the division).
double Threshold(double percent) {
    return percent * (kGameRandMax / 100.0);
}
bool Chance(double percent) {
    return GameRand() < Threshold(percent);
}

// A five's mean of a skill from its sum; 0 for nobody (an empty side neither defends nor steals).
double MeanSkill(const QuickTeam& side, int sum) {
    if (side.five.empty())
        return 0.0;
    return static_cast<double>(sum) / static_cast<double>(side.five.size());
}

// Which skill a player's share of each kind of play follows: shots, then events of kinds 4-7.
constexpr int kWeightShot = 0;
constexpr std::array<int, 5> kWeightSkill = {kSkillScoring, kSkillPassing, kSkillRebound, kSkillDefence,
                                             kSkillSteal};
static_assert(kWeightSkill.size() == std::tuple_size_v<decltype(QuickPlayer::weights)>);
int WeightSlot(int kind) {
    return kind - kLineAssist + 1;
}

// A player's weight for a share by his skill: the skill over 50 to the power kQuick.leadPower, so
// the best shooter of a five takes the shots a flat-court club's leader does.
float SkillWeight(int skill) {
    static const std::array<float, 101> table = [] {
        std::array<float, 101> t{};
        for (size_t v = 0; v < t.size(); ++v)
            t[v] =
                static_cast<float>(std::pow(std::max(1.0, static_cast<double>(v)) / 50.0, kQuick.leadPower));
        return t;
    }();
    return table[static_cast<size_t>(std::clamp(skill, 0, 100))];
}

// A place in the five drawn evenly from a roll in 0-kGameRandMax, `skip` (a place or -1) left out.
int EvenPlace(int n, int roll, int skip) {
    const int m = skip >= 0 ? n - 1 : n;
    if (m <= 0)
        return -1;
    int k = std::min(m * roll / kGameRandMax, m - 1);
    return skip >= 0 && k >= skip ? k + 1 : k;
}

// The weight of the kind of the whole five, 0 when the weights were not taken for this five.
float WholeWeight(const QuickTeam& side, size_t kind) {
    const int n = Size(side.five);
    return side.weighted == n && n > 0 ? side.weights[static_cast<size_t>(n - 1)][kind] : 0.0f;
}

// A place in the five drawn by the kind's weights from a roll in 0-kGameRandMax; even when the
// weights were not taken for this five. The draw of every shot and most events: kept lean.
inline int DrawPlace(const QuickTeam& side, int slot, int roll) {
    const size_t kind = static_cast<size_t>(slot);
    const float whole = WholeWeight(side, kind);
    const int n = Size(side.five);
    if (whole <= 0.0f)
        return EvenPlace(n, roll, -1);
    const float at = whole * static_cast<float>(roll) * (1.0f / static_cast<float>(kGameRandMax));
    int k = 0;
    while (k < n - 1 && side.weights[static_cast<size_t>(k)][kind] <= at)
        ++k;
    return k;
}

// DrawPlace with the place `skip` left out, -1 when nobody else is there.
int DrawPlaceBut(const QuickTeam& side, int slot, int roll, int skip) {
    const int n = Size(side.five);
    const size_t kind = static_cast<size_t>(slot);
    const float whole = WholeWeight(side, kind);
    if (whole <= 0.0f)
        return EvenPlace(n, roll, skip);
    auto sums = [&](int k) { return side.weights[static_cast<size_t>(k)][kind]; };
    const float below = skip > 0 ? sums(skip - 1) : 0.0f;
    const float own = sums(skip) - below;
    const float total = whole - own;
    if (total <= 0.0f)
        return -1;
    float at = total * static_cast<float>(roll) * (1.0f / static_cast<float>(kGameRandMax));
    if (at >= below)
        at += own;
    int k = 0;
    while (k < n - 1 && sums(k) <= at)
        ++k;
    return k == skip ? -1 : k;
}

// The five's mean rating and its defence and steal sums, taken as a minute starts: nobody comes on
// or goes off within a minute. While the same five plays on, nothing is taken again: the ratings are
// the match's first, and the defence and steal sums follow their skills' training as it happens.
void TakeFiveFigures(QuickTeam& side) {
    const size_t n = side.five.size();
    // The first place whose player came on since the figures were last taken: the running weights
    // before it stand.
    size_t from = 0;
    if (side.weighted == Size(side.five)) {
        while (from < n && side.weightedFive[from] == side.five[from].player)
            ++from;
        if (from == n)
            return;
    }
    double rating = 0.0;
    int defence = 0, steal = 0;
    for (const QuickPlayer& p : side.five) {
        rating += p.rating;
        defence += p.player->SkillValue(kSkillDefence);
        steal += p.player->SkillValue(kSkillSteal);
    }
    side.rating = n == 0 ? 0.0 : rating / static_cast<double>(n);
    side.defenceSum = defence;
    side.stealSum = steal;
    side.weighted = 0;
    if (n > 5)
        return;
    std::array<float, 5> sums{};
    if (from > 0)
        sums = side.weights[from - 1];
    for (size_t place = from; place < n; ++place) {
        const QuickPlayer& p = side.five[place];
        side.weightedFive[place] = p.player;
        // Written out: the five kinds' sums are five independent additions.
        sums[0] += p.weights[0];
        sums[1] += p.weights[1];
        sums[2] += p.weights[2];
        sums[3] += p.weights[3];
        sums[4] += p.weights[4];
        side.weights[place] = sums;
    }
    side.weighted = static_cast<int>(n);
}

double ShotChance(const QuickShot& shot, const CPlayer* shooter, double defence, double ratingGap) {
    const double edge = std::clamp(ratingGap, -kQuick.ratingGapMost, kQuick.ratingGapMost);
    double chance = shot.chance + kQuick.shotSlope * (shooter->SkillValue(shot.skill) - defence) +
                    kQuick.ratingSlope * edge;
    return std::clamp(chance, kQuick.shotLowest, kQuick.shotHighest);
}

double FreeThrowChance(const CPlayer* shooter) {
    double chance = kQuick.freeThrow +
                    kQuick.freeThrowSlope * (shooter->SkillValue(kSkillFreeThrow) - kQuick.freeThrowCentre);
    return std::clamp(chance, kQuick.shotLowest, kQuick.shotHighest);
}

// Starts the player's line of a category in the match's lines.
void StartQuickLine(const QuickTeam& side, QuickPlayer& who, int category, int kind, int value, int minute,
                    int second) {
    who.lines[static_cast<size_t>(category)] = static_cast<int>(side.lines->size());
    side.lines->push_back(QuickLine{who.player, side.team, kind, value, minute, second});
}

// Adds to the player's line of the kind's category in the match's lines, or starts it.
inline void AddQuickLine(const QuickTeam& side, QuickPlayer& who, int kind, int value, int minute,
                         int second) {
    if (!side.lines)
        return;
    const int category = CDayResults::CategoryOf(kind);
    const int at = who.lines[static_cast<size_t>(category)];
    if (at >= 0)
        (*side.lines)[static_cast<size_t>(at)].value += value;
    else
        StartQuickLine(side, who, category, kind, value, minute, second);
}

// An event of kinds 4-7: a player of the side's five gets the credit, a training step and a count.
// `shooter` is the attacker's place in the five when the side is his, else -1.
void PlayEvent(int kind, QuickTeam& side, int minute, int second, int shooter) {
    QuickSide& list = side.five;
    if (list.empty())
        return;
    // Every one of the five can be drawn: trunc((n - 1) r) reached the last slot only on the top
    // roll. An assist is a teammate's: the shooter is left out of the draw.
    const int index = kind == kLineAssist ? DrawPlaceBut(side, WeightSlot(kind), GameRand(), shooter)
                                          : DrawPlace(side, WeightSlot(kind), GameRand());
    if (index < 0)
        return;
    QuickPlayer& who = list[static_cast<size_t>(index)];
    switch (kind) {
    case kLineAssist:
        TrainQuickSkill(who.player, kSkillPassing, 1);
        break;
    case kLineRebound: {
        TrainQuickSkill(who.player, kSkillRebound, 1);
        // A rebound by the shooter's own side is an offensive one.
        const bool offensive = shooter >= 0;
        FillPlayerRebounds(*who.stat, who.stat->OffensiveRebounds() + (offensive ? 1 : 0),
                           who.stat->DefensiveRebounds() + (offensive ? 0 : 1));
        break;
    }
    case kLineDefence:
        // A defender's stop of a shot: his block.
        if (TrainQuickSkill(who.player, kSkillDefence, 1))
            side.defenceSum += 1;
        who.stat->Blocks() += 1;
        break;
    case kLineSteal:
        if (TrainQuickSkill(who.player, kSkillSteal, 1))
            side.stealSum += 1;
        who.stat->Steals() += 1;
        side.stat->Steals() += 1; // the club's steals are its players'
        break;
    default:
        return;
    }
    AddQuickLine(side, who, kind, 1, minute, second);
}

// The player's condition at which he may come on again.
int RestedAt(const CPlayer* player) {
    const int stamina = player->SkillValue(kSkillCondition);
    if (stamina <= kQuick.tiredAt)
        return stamina;
    return kQuick.tiredAt + static_cast<int>(kQuick.restedShare * (stamina - kQuick.tiredAt));
}

// A foul by the player in `slot` of the side's five: a defender's is by the man who guards the
// ball's player, whose slot is drawn already, so naming the fouler draws nothing. His sixth takes him
// off for the rest of the match; a bench player comes on as for a hurt one, and the five's figures
// are taken again, as the five changed within the minute.
void BookFoul(QuickTeam& side, int slot, bool attacking) {
    if (side.five.empty())
        return;
    const size_t at = static_cast<size_t>(std::min(slot, Size(side.five) - 1));
    CPlayerStat* stat = side.five[at].stat;
    (attacking ? stat->AttackFouls() : stat->DefenceFouls()) += 1;
    stat->Fouls() += 1;
    if (stat->Fouls() >= kQuick.foulTrouble)
        side.five[at].restedAt = kNeverRested;
    if (stat->Fouls() >= kQuick.foulOut) {
        SubstituteQuickPlayer(side, at, true);
        TakeFiveFigures(side);
    }
}

// Builds one side's statistics records and splits its squad into the starting five and the bench.
// A player still out injured gets his record but plays no part.
void AddPlayerRecord(const QuickMatchContext& ctx, QuickTeam& side, CPlayer* player, int sideIndex,
                     int squadIndex) {
    auto* stat = new CPlayerStat();
    stat->SetDate(ctx.date.year, ctx.date.month, ctx.date.day);
    stat->SecondsPlayed() = 0;
    stat->SideFlag() = sideIndex;
    ctx.playerStats->Append(stat);
    player->stats.push_back(stat);
    if (player->words[kWordInjured] != 0)
        return;
    // Days lie between two fixtures: everyone comes to a match rested.
    PlayerCondition(player) = player->SkillValue(kSkillCondition);
    QuickPlayer entry{player, stat};
    entry.rating = CPlayer::ComputeOverall(player, false);
    entry.squadIndex = squadIndex;
    entry.restedAt = RestedAt(player);
    entry.stamina = player->SkillValue(kSkillCondition);
    for (size_t w = 0; w < kWeightSkill.size(); ++w)
        entry.weights[w] = SkillWeight(player->SkillValue(kWeightSkill[w]));
    if (player->words[kWordMatchState] == kOnCourt && side.five.size() < 5) {
        stat->Started() = 1;
        side.five.push_back(entry);
    } else {
        stat->Started() = 0;
        side.bench.push_back(entry);
    }
}

// A side with fewer than five on-court players starts with bench players, in squad order.
void CompleteStartingFive(QuickTeam& side) {
    while (side.five.size() < 5 && !side.bench.empty()) {
        QuickPlayer entry = side.bench.front();
        side.bench.erase(side.bench.begin());
        entry.stat->Started() = 1;
        side.five.push_back(entry);
    }
}

CMatchStat* NewMatchStat(const QuickMatchContext& ctx, CTeam* team, const CTeam* opponent, int sideIndex) {
    auto* stat = new CMatchStat();
    stat->SetDate(ctx.date.year, ctx.date.month, ctx.date.day);
    stat->Side() = sideIndex;
    stat->Team() = team->id;
    stat->Opponent() = opponent->id;
    ctx.matchStats->Append(stat);
    team->matchStats.push_back(stat);
    return stat;
}

// A player of the five that played the minute is hurt and leaves the match; his minute is counted
// already (counting it here too gave a hurt starter 49 minutes).
void PlayIncident(const QuickMatchContext& ctx, QuickTeam& home, QuickTeam& away, int minute) {
    MatchDayIncident incident;
    incident.minute = minute;
    incident.second = static_cast<int>(59.0 * Unit());
    QuickTeam& side = D100() < 50 ? home : away;
    double pick = Unit();
    int n = Size(side.five);
    if (n == 0)
        return;
    const size_t index = static_cast<size_t>(std::min(static_cast<int>(5.0 * pick), n - 1));
    const QuickPlayer hurt = side.five[index];
    hurt.stat->Injured() = 1;
    hurt.stat->InjuryMinute() = minute;
    SubstituteQuickPlayer(side, index, true);
    incident.playerName = hurt.player->name;
    incident.teamName = side.team->name;
    if (ctx.results)
        ctx.results->AddIncident(incident);
}

// A player one foul short of fouling out: his coach keeps him off while anyone else can play.
bool InFoulTrouble(const QuickPlayer& p) {
    return p.stat->Fouls() >= kQuick.foulTrouble;
}

bool Rested(const QuickPlayer& p) {
    return PlayerCondition(p.player) >= (p.restedAt >= 0 ? p.restedAt : RestedAt(p.player)) &&
           !InFoulTrouble(p);
}

// What decides which of two players comes on first: a starter, then the higher rated, then the
// earlier in the squad.
struct ComeOnKey {
    bool started = false;
    double rating = 0.0;
    int squadIndex = 0;
    bool Before(const ComeOnKey& other) const {
        if (started != other.started)
            return started;
        if (rating != other.rating)
            return rating > other.rating;
        return squadIndex < other.squadIndex;
    }
};

ComeOnKey KeyOf(const QuickPlayer& p) {
    return {p.stat->Started() != 0, p.rating, p.squadIndex};
}

bool ComesOnBefore(const QuickPlayer& a, const QuickPlayer& b) {
    return KeyOf(a).Before(KeyOf(b));
}

// A ranked side's rested player: his condition has come back to his mark (a player in foul trouble
// has none).
bool RankedRested(const QuickPlayer& p) {
    return PlayerCondition(p.player) >= p.restedAt;
}

// Each rested starter on a ranked side's bench comes back for the most tired of the others on court,
// in bench order. A change only moves the bench player it takes, so who is a rested starter is
// read for the whole bench at once.
void BringBackStarters(QuickTeam& side) {
    for (size_t base = 0; base < side.bench.size(); base += 64) {
        const size_t end = std::min(side.bench.size(), base + 64);
        uint64_t waiting = 0;
        for (size_t b = base; b < end; ++b) {
            const QuickPlayer& p = side.bench[b];
            const bool back = (p.preference < side.starters) & RankedRested(p);
            waiting |= static_cast<uint64_t>(back) << (b - base);
        }
        for (; waiting != 0; waiting &= waiting - 1) {
            const size_t b = base + static_cast<size_t>(std::countr_zero(waiting));
            int out = -1;
            for (size_t k = 0; k < side.five.size(); ++k) {
                const QuickPlayer& p = side.five[k];
                if (p.preference >= side.starters &&
                    (out < 0 ||
                     PlayerCondition(p.player) < PlayerCondition(side.five[static_cast<size_t>(out)].player)))
                    out = static_cast<int>(k);
            }
            if (out < 0)
                return;
            std::swap(side.five[static_cast<size_t>(out)], side.bench[b]);
        }
    }
}

// Of a bench where nobody is rested, the freshest; -1 for an empty bench.
int FreshestOnBench(const QuickSide& bench) {
    int pick = -1;
    for (size_t i = 0; i < bench.size(); ++i)
        if (pick < 0 ||
            PlayerCondition(bench[i].player) > PlayerCondition(bench[static_cast<size_t>(pick)].player))
            pick = static_cast<int>(i);
    return pick;
}

// PickSubstitute for a ranked side: the rested player first in the order.
int PickRankedSubstitute(const QuickSide& bench, bool anyone) {
    uint64_t best = UINT64_MAX;
    for (size_t i = 0; i < bench.size(); ++i) {
        const QuickPlayer& p = bench[i];
        const uint64_t key = (static_cast<uint64_t>(static_cast<uint32_t>(p.preference)) << 32) | i;
        // All ones for a tired player: a mask, not a branch, as whether he is rested is a coin toss.
        const uint64_t tired = uint64_t{0} - static_cast<uint64_t>(!RankedRested(p));
        best = std::min(best, key | tired);
    }
    if (best != UINT64_MAX)
        return static_cast<int>(best & 0xffffffffu);
    return anyone ? FreshestOnBench(bench) : -1;
}

// The tired come off for rested bench players; then each rested starter on the bench comes back for
// the most tired of the others on court, so the starters play most of the match.
void MakeChanges(QuickTeam& side) {
    // Once nobody on the bench is rested, nobody is for the next tired player either: the bench
    // did not change.
    if (side.ranked) {
        // A change at one place of the five leaves the others as they were, so who is tired is read
        // for the whole five at once.
        uint32_t tired = 0;
        for (size_t k = 0; k < side.five.size(); ++k)
            tired |= static_cast<uint32_t>((PlayerCondition(side.five[k].player) <= kQuick.tiredAt) |
                                           (side.five[k].restedAt == kNeverRested))
                     << k;
        for (; tired != 0; tired &= tired - 1)
            if (!SubstituteQuickPlayer(side, static_cast<size_t>(std::countr_zero(tired)), false))
                break;
        BringBackStarters(side);
        return;
    }
    for (size_t k = 0; k < side.five.size(); ++k)
        if ((PlayerCondition(side.five[k].player) <= kQuick.tiredAt || InFoulTrouble(side.five[k])) &&
            !SubstituteQuickPlayer(side, k, false))
            break;
    for (size_t b = 0; b < side.bench.size(); ++b) {
        const QuickPlayer& starter = side.bench[b];
        if (starter.stat->Started() == 0 || !Rested(starter))
            continue;
        int out = -1;
        for (size_t k = 0; k < side.five.size(); ++k) {
            const QuickPlayer& p = side.five[k];
            if (p.stat->Started() == 0 &&
                (out < 0 ||
                 PlayerCondition(p.player) < PlayerCondition(side.five[static_cast<size_t>(out)].player)))
                out = static_cast<int>(k);
        }
        if (out < 0)
            return;
        std::swap(side.five[static_cast<size_t>(out)], side.bench[b]);
    }
}

// Every pair of players on court plays the minute and tires.
void PlayMinuteOnCourt(QuickTeam& home, QuickTeam& away) {
    auto play = [](QuickPlayer& p, int loss) {
        p.stat->SecondsPlayed() += 60;
        PlayerCondition(p.player) -= loss;
    };
    const size_t onCourt = std::min<size_t>(5, std::max(home.five.size(), away.five.size()));
    for (size_t k = 0; k < onCourt; ++k) {
        const int loss = Trunc(6) >= 3 ? 6 : 3;
        if (k < home.five.size())
            play(home.five[k], loss);
        if (k < away.five.size())
            play(away.five[k], loss);
    }
}

// The bench rests, then both coaches make their changes for the next minute.
void RestAndChange(QuickTeam& home, QuickTeam& away) {
    for (QuickTeam* side : {&home, &away}) {
        for (QuickPlayer& p : side->bench) {
            int32_t& condition = PlayerCondition(p.player);
            condition = std::max(condition, std::min(condition + kQuick.benchRecovery, p.stamina));
        }
        MakeChanges(*side);
    }
}

// A level score after 48 minutes is broken by one to three points for a random side.
void BreakTie(QuickTeam& home, QuickTeam& away) {
    QuickTeam* side = static_cast<int>(5.0 * Unit()) <= 2 ? &home : &away;
    int points = std::min(1 + static_cast<int>(3.0 * Unit()), 3);
    int kind = kLineFreeThrow;
    if (points == 3) {
        kind = kLineThreePoint;
    } else if (points == 2) {
        int roll = static_cast<int>(50.0 * Unit());
        kind = roll < 20 ? kLineTwoPoint : roll < 40 ? kLineFreeThrow : kLineClose;
    }
    // A side without players cannot score: the other side takes the points.
    if (side->five.empty() && !(side == &home ? away : home).five.empty())
        side = side == &home ? &away : &home;
    double pick = Unit();
    if (!side->five.empty()) {
        int index = std::min(static_cast<int>(5.0 * pick), Size(side->five) - 1);
        CPlayerStat* stat = side->five[static_cast<size_t>(index)].stat;
        // The deciding basket goes into the club's record as well: the tables read the club's
        // shot counters, which must stay the sums of its players'.
        CMatchStat* club = side->stat;
        auto count = [&](int playerField, int clubField, int attempts, int made) {
            stat->Field(playerField) += attempts;
            stat->Field(playerField + 1) += made;
            club->Field(clubField) += attempts;
            club->Field(clubField + 1) += made;
        };
        stat->Points() += points;
        switch (kind) {
        case kLineThreePoint:
            count(16, 15, 1, 1);
            break;
        case kLineTwoPoint:
            count(14, 13, 1, 1);
            break;
        case kLineClose:
            count(12, 11, 1, 1);
            break;
        default:
            count(20, 17, 2, points);
            BookFoul(side == &home ? away : home, index, false);
            break;
        }
    }
    side->score += points;
}

} // namespace

// ---- quick match ---------------------------------------------------------------------------------

bool QuickTournamentClub(const CTeam& club) {
    constexpr int32_t kRegularLeagueKind = 100005;
    return club.leagueId >= 0 && club.leagueKind != kRegularLeagueKind && !club.players.empty();
}

int QuickLeagueClass(const CTeam& club) {
    // A tournament's group numbers its clubs 0-3, no class: such a club plays the class its five
    // best players rate as (a class 5 points above the one below from 50, as the flat court sets
    // a tournament club's level by its starters). Read as a class, the groups put three clubs in
    // four at class 0's or 1's pace, and tournaments took 5-12 % more shots than on the flat court.
    if (QuickTournamentClub(club)) {
        std::vector<double> overall;
        for (CPlayer* player : club.players)
            overall.push_back(CPlayer::ComputeOverall(player, false));
        const size_t five = std::min<size_t>(5, overall.size());
        std::partial_sort(overall.begin(), overall.begin() + static_cast<std::ptrdiff_t>(five), overall.end(),
                          std::greater<>());
        double sum = 0.0;
        for (size_t i = 0; i < five; ++i)
            sum += overall[i];
        const double classes = (sum / static_cast<double>(five) - 50.0) / 5.0;
        return std::clamp(static_cast<int>(std::lround(classes)), 0, 2);
    }
    return club.leagueId < 0 ? 0 : club.leagueId % 3;
}

bool TrainQuickSkill(CPlayer* player, int skill, int gain) {
    int32_t& progress = player->SkillProgress(skill);
    if (progress >= 100)
        return false;
    progress += gain;
    if (progress < 100)
        return false;
    progress = 100 - progress;
    int32_t& value = player->SkillValue(skill);
    if (value >= 100)
        return false;
    value += 1;
    return true;
}

int PickSubstitute(const QuickSide& bench, bool anyone) {
    int pick = -1;
    for (size_t i = 0; i < bench.size(); ++i)
        if (Rested(bench[i]) && (pick < 0 || ComesOnBefore(bench[i], bench[static_cast<size_t>(pick)])))
            pick = static_cast<int>(i);
    if (pick >= 0 || !anyone)
        return pick;
    return FreshestOnBench(bench);
}

void RankQuickSide(QuickTeam& side) {
    constexpr size_t kMost = 32;
    if (side.five.size() + side.bench.size() > kMost)
        return;
    // The keys are read once, not at every comparison of the sort.
    std::array<std::pair<ComeOnKey, QuickPlayer*>, kMost> order{};
    size_t count = 0;
    for (QuickSide* list : {&side.five, &side.bench})
        for (QuickPlayer& p : *list) {
            if (p.restedAt < 0)
                p.restedAt = RestedAt(p.player);
            if (InFoulTrouble(p))
                p.restedAt = kNeverRested;
            order[count++] = {KeyOf(p), &p};
        }
    std::sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(count),
              [](const auto& a, const auto& b) { return a.first.Before(b.first); });
    side.starters = 0;
    for (size_t i = 0; i < count; ++i) {
        order[i].second->preference = static_cast<int>(i);
        side.starters += order[i].first.started ? 1 : 0;
    }
    side.ranked = true;
}

bool SubstituteQuickPlayer(QuickTeam& side, size_t courtIndex, bool hurt) {
    if (courtIndex >= side.five.size())
        return false;
    const int pick = side.ranked ? PickRankedSubstitute(side.bench, hurt) : PickSubstitute(side.bench, hurt);
    if (pick < 0) {
        if (hurt)
            side.five.erase(side.five.begin() + static_cast<std::ptrdiff_t>(courtIndex));
        return false;
    }
    const auto slot = side.bench.begin() + pick;
    if (hurt) {
        side.five[courtIndex] = *slot;
        side.bench.erase(slot);
    } else {
        std::swap(side.five[courtIndex], *slot);
    }
    return true;
}

void SimulatePossession(QuickTeam& home, QuickTeam& away, int minute) {
    const int roll = GameRand();
    // The side is a coin toss: chosen by index, not by a branch.
    const size_t attacker = D100() <= 50 ? 0 : 1;
    QuickTeam* const sides[2] = {&home, &away};
    QuickTeam& attack = *sides[attacker];
    QuickTeam& defence = *sides[attacker ^ 1];
    if (attack.five.empty())
        return;
    // Drawn among the players on court by their scoring: a five left short by a sixth foul must not
    // hand its missing man's shots to its last player.
    const int k = DrawPlace(attack, kWeightShot, roll);
    if (k < 0)
        return;
    QuickPlayer& shooter = attack.five[static_cast<size_t>(k)];
    CPlayer* player = shooter.player;
    CPlayerStat* stat = shooter.stat;
    // The report line is only built for points; the events share its second.
    const int second = Trunc(59);
    int kind = kLineFreeThrow;

    int points = 0;
    int trainedSkill = 0;
    int training = 0;
    // One roll decides between the line, a lost ball and a shot.
    const int how = GameRand();
    const QuickClass& game =
        attack.tournament ? kQuick.tournament : kQuick.classes[std::clamp(attack.leagueClass, 0, 2)];
    auto turnover = [&] {
        const double chance = game.turnover + kQuick.turnoverSlope * (MeanSkill(defence, defence.stealSum) -
                                                                      player->SkillValue(kSkillPassing));
        return std::clamp(chance, 0.0, 2.0 * game.turnover);
    };
    if (how < Threshold(game.freeThrowTrip)) {
        BookFoul(defence, k, false);
        // Two throws, each on the shooter's own touch.
        const double chance = FreeThrowChance(player);
        const bool firstIn = Chance(chance);
        const bool lastIn = Chance(chance);
        const int made = (firstIn ? 1 : 0) + (lastIn ? 1 : 0);
        stat->FreeThrowsTaken() += 2;
        stat->FreeThrowsMade() += made;
        stat->Points() += made;
        attack.stat->FreeThrowsTaken() += 2;
        attack.stat->FreeThrowsMade() += made;
        points = made;
        trainedSkill = kSkillFreeThrow;
        training = made;
        if (!lastIn) {
            QuickTeam& rebound = Chance(kQuick.freeThrowOffensive) ? attack : defence;
            PlayEvent(kLineRebound, rebound, minute, second, &rebound == &attack ? k : -1);
        }
    } else if (const double lost = game.freeThrowTrip + turnover(); how < Threshold(lost)) {
        // The ball is lost without a shot, the handler's turnover; a steal belongs to the defender
        // who took it, a charge is the handler's foul.
        stat->PassesFailed() += 1;
        attack.stat->PassesFailed() += 1;
        const int why = GameRand();
        if (why < Threshold(game.stealShare))
            PlayEvent(kLineSteal, defence, minute, second, -1);
        else if (why < Threshold(game.stealShare + kQuick.chargeShare))
            BookFoul(attack, k, true);
        return;
    } else {
        // A foul on the way to the shot gives no throws: his man committed it.
        if (how < Threshold(lost + game.commonFoul))
            BookFoul(defence, k, false);
        // The mix picks by index: a branch on a d100 roll is mispredicted a third of the time.
        const int mix = D100();
        const QuickShot* const shots[3] = {&kQuick.close, &kQuick.two, &kQuick.three};
        const QuickShot& shot = *shots[(mix > kQuick.closeUpTo ? 1 : 0) + (mix > game.twoUpTo ? 1 : 0)];
        trainedSkill = shot.skill;
        training = shot.training;
        stat->Field(shot.playerField) += 1;
        attack.stat->Field(shot.clubField) += 1;
        if (Chance(ShotChance(shot, player, MeanSkill(defence, defence.defenceSum),
                              attack.rating - defence.rating))) {
            stat->Field(shot.playerField + 1) += 1;
            attack.stat->Field(shot.clubField + 1) += 1;
            stat->Points() += shot.points;
            kind = shot.kind;
            points = shot.points;
            if (Chance(kQuick.assistShare))
                PlayEvent(kLineAssist, attack, minute, second, k);
        } else if (D100() >= shot.defenceAtLeast - game.blockShift) {
            if (!defence.five.empty())
                defence.stat->Blocks() += 1; // the club's blocks are its players'
            PlayEvent(kLineDefence, defence, minute, second, -1);
        } else if (D100() >= shot.defendersAtLeast) {
            PlayEvent(kLineRebound, defence, minute, second, -1);
        } else {
            PlayEvent(kLineRebound, attack, minute, second, k);
        }
    }

    if (points >= 1 && points <= 3) {
        // The rating is the skills' mean: it only moves when a value rises.
        const bool rose = TrainQuickSkill(player, kSkillScoring, points);
        if (TrainQuickSkill(player, trainedSkill, training) || rose)
            CPlayer::ComputeOverall(player, true);
        AddQuickLine(attack, shooter, kind, points, minute, second);
        attack.score += points;
    }
}

void SimulateQuickMatch(const QuickMatchContext& ctx, CTeam* home, CTeam* away, int& homeScore,
                        int& awayScore) {
    homeScore = awayScore = 0;
    if (!home || !away || !ctx.matchStats || !ctx.playerStats)
        return;
    QuickTeam sides[2];
    sides[0].team = home;
    sides[1].team = away;
    sides[0].stat = NewMatchStat(ctx, home, away, 0);
    sides[1].stat = NewMatchStat(ctx, away, home, 1);
    // The report lines are summed per player in the match and join the day's lists at its end: a
    // match brings hundreds of lines for a few dozen entries.
    std::vector<QuickLine> lines;
    if (ctx.results) {
        lines.reserve(96);
        sides[0].lines = sides[1].lines = &lines;
    }

    size_t squad = std::max(home->players.size(), away->players.size());
    for (QuickTeam& side : sides) {
        side.five.reserve(side.team->players.size());
        side.bench.reserve(side.team->players.size());
    }
    for (size_t i = 0; i < squad; ++i) {
        if (i < home->players.size())
            AddPlayerRecord(ctx, sides[0], home->players[i], 0, static_cast<int>(i));
        if (i < away->players.size())
            AddPlayerRecord(ctx, sides[1], away->players[i], 1, static_cast<int>(i));
    }
    for (QuickTeam& side : sides) {
        CompleteStartingFive(side);
        RankQuickSide(side);
        side.leagueClass = QuickLeagueClass(*side.team);
    }
    // Two tournament clubs play the tournament's game; two clubs of different classes meet at the
    // pace between theirs.
    const bool tournament = QuickTournamentClub(*home) && QuickTournamentClub(*away);
    sides[0].tournament = sides[1].tournament = tournament;
    const QuickClass& pace = tournament
                                 ? kQuick.tournament
                                 : kQuick.classes[(sides[0].leagueClass + sides[1].leagueClass + 1) / 2];

    for (int minute = 0; minute < 48; ++minute) {
        for (QuickTeam& side : sides)
            TakeFiveFigures(side);
        for (int threshold : pace.possessionRolls) {
            // A roll cannot exceed 100, so such a possession needs none.
            if (threshold < 0 || (threshold < 100 && D100() > threshold))
                break;
            SimulatePossession(sides[0], sides[1], minute);
        }
        PlayMinuteOnCourt(sides[0], sides[1]);
        if (D100() <= kQuick.incidentUpTo)
            PlayIncident(ctx, sides[0], sides[1], minute);
        RestAndChange(sides[0], sides[1]);
    }
    if (sides[0].score == sides[1].score)
        BreakTie(sides[0], sides[1]);

    sides[0].stat->Score() = sides[0].score;
    sides[0].stat->OpponentScore() = sides[1].score;
    sides[1].stat->Score() = sides[1].score;
    sides[1].stat->OpponentScore() = sides[0].score;
    homeScore = sides[0].score;
    awayScore = sides[1].score;
    if (ctx.results)
        for (const QuickLine& line : lines)
            ctx.results->AddReportLine(line.player->name, line.team->name, line.kind, line.value, line.minute,
                                       line.second, nullptr, line.player);
}

void RecordHomeCrowd(CTeam& club) {
    if (club.fanBase <= 0)
        return;
    int games = 0, wins = 0;
    for (auto it = club.matchStats.rbegin(); it != club.matchStats.rend() && games < 10; ++it) {
        if (!*it)
            continue;
        ++games;
        wins += (*it)->Score() > (*it)->OpponentScore() ? 1 : 0;
    }
    const double form = games > 0 ? static_cast<double>(wins) / games : 0.5;
    int64_t crowd = static_cast<int64_t>(club.fanBase * (0.2 + 0.8 * form));
    if (club.stadium) {
        int64_t seats = 0;
        for (const CStadiumWingRecord* wing : club.stadium->wings)
            if (wing)
                seats += wing->seats;
        crowd = std::min(crowd, static_cast<int64_t>(0.7 * static_cast<double>(seats)));
    }
    crowd = std::clamp<int64_t>(crowd, 0, INT32_MAX);
    club.attendance = std::max(club.attendance, static_cast<int32_t>(crowd));
}

void PlayQuickFixture(const QuickMatchContext& ctx, DayBoard* board, const CStr& homeCountry,
                      const CStr& awayCountry, CTeam* home, CTeam* away, int& homeScore, int& awayScore) {
    SimulateQuickMatch(ctx, home, away, homeScore, awayScore);
    if (home)
        RecordHomeCrowd(*home);
    if (ctx.results) {
        if (homeScore > awayScore)
            ctx.results->OfferTopScore(home->name, homeScore);
        else
            ctx.results->OfferTopScore(away->name, awayScore);
    }
    if (board)
        board->results.push_back(
            DayResultItem{{homeCountry, home->name, CStr::Formatted("%d-%d", homeScore, awayScore),
                           away->name, awayCountry}});
}
