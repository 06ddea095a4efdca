// Quick results of other clubs' fixtures, the day's report lines, leaders and incidents.
#include "career/MatchDay.h"

#include "engine/GameRand.h"

#include <algorithm>

namespace {

double Unit() {
    return static_cast<double>(GameRand()) / kGameRandMax;
}
int D100() {
    return static_cast<int>(100.0 * Unit());
}
// trunc(n x r), kept below n; n must be above 0.
int PickIndex(int n) {
    return std::min(static_cast<int>(n * Unit()), n - 1);
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

// An event of kinds 4-7: a player of the list gets the credit, a training step and a count.
void PlayEvent(const QuickMatchContext& ctx, int kind, const QuickSide& list, const CTeam* team, int minute,
               int second, const CPlayer* shooter) {
    int n = Size(list);
    if (n == 0)
        return;
    auto draw = [&] { return std::min(static_cast<int>((n - 1) * Unit()), n - 1); };
    int index = draw();
    if (kind == kLineAssist) {
        // Redraw while the shooter himself comes up; after ten draws the share is lost.
        int draws = 1;
        while (list[index].player->id == shooter->id && draws < 10) {
            index = draw();
            ++draws;
        }
        if (list[index].player->id == shooter->id)
            return;
    }
    const QuickPlayer& who = list[static_cast<size_t>(index)];
    MatchDayEntry line{who.player->name, team->name, kind, 0, minute, second};
    switch (kind) {
    case kLineAssist:
        TrainQuickSkill(who.player, kSkillPassing, 1);
        break;
    case kLineRebound:
        TrainQuickSkill(who.player, kSkillRebound, 1);
        who.stat->Field(30) += 1;
        break;
    case kLineDefence:
        TrainQuickSkill(who.player, kSkillDefence, 1);
        who.stat->Field(26) += 1;
        break;
    case kLineSteal:
        TrainQuickSkill(who.player, kSkillSteal, 1);
        who.stat->Field(27) += 1;
        break;
    default:
        return;
    }
    if (ctx.results)
        ctx.results->AddReportLine(line);
}

// Builds one side's statistics records and splits its squad into the starting five and the bench.
void AddPlayerRecord(const QuickMatchContext& ctx, QuickTeam& side, CPlayer* player, int sideIndex) {
    auto* stat = new CPlayerStat();
    stat->Field(2) = ctx.date.year;
    stat->Field(3) = ctx.date.month;
    stat->Field(4) = ctx.date.day;
    stat->Field(5) = 0;
    stat->Field(11) = sideIndex;
    ctx.playerStats->Append(stat);
    player->stats.push_back(stat);
    QuickPlayer entry{player, stat};
    if (player->words[kWordMatchState] == kOnCourt && side.five.size() < 5) {
        stat->Field(6) = 1;
        side.five.push_back(entry);
    } else {
        stat->Field(6) = 0;
        side.bench.push_back(entry);
    }
}

// A side with fewer than five on-court players starts with bench players, in squad order.
void CompleteStartingFive(QuickTeam& side) {
    while (side.five.size() < 5 && !side.bench.empty()) {
        QuickPlayer entry = side.bench.front();
        side.bench.erase(side.bench.begin());
        entry.stat->Field(6) = 1;
        side.five.push_back(entry);
    }
}

CMatchStat* NewMatchStat(const QuickMatchContext& ctx, CTeam* team, const CTeam* opponent, int sideIndex) {
    auto* stat = new CMatchStat();
    stat->Field(1) = ctx.date.year;
    stat->Field(8) = ctx.date.year;
    stat->Field(7) = ctx.date.month;
    stat->Field(6) = ctx.date.day;
    stat->Field(5) = sideIndex;
    stat->Field(3) = team->id;
    stat->Field(4) = opponent->id;
    ctx.matchStats->Append(stat);
    team->matchStats.push_back(stat);
    return stat;
}

void PlayIncident(const QuickMatchContext& ctx, QuickTeam& home, QuickTeam& away, int minute) {
    MatchDayIncident incident;
    incident.minute = minute;
    incident.second = static_cast<int>(59.0 * Unit());
    QuickTeam& side = D100() < 50 ? home : away;
    double pick = Unit();
    int n = Size(side.five);
    if (n == 0)
        return;
    int index = std::min(static_cast<int>(5.0 * pick), n - 1);
    QuickPlayer hurt = side.five[static_cast<size_t>(index)];
    hurt.stat->Field(5) += 60;
    hurt.stat->Field(7) = 1;
    hurt.stat->Field(8) = minute;
    ReplaceRandomSlot(hurt, side.bench, minute);
    incident.playerName = hurt.player->name;
    incident.teamName = side.team->name;
    if (ctx.results)
        ctx.results->AddIncident(incident);
}

// Every pair of starters plays the minute and tires; the tired go to the bench list.
void PlayMinuteOnCourt(QuickTeam& home, QuickTeam& away, int minute) {
    for (size_t k = 0; k < 5; ++k) {
        QuickPlayer* homePlayer = k < home.five.size() ? &home.five[k] : nullptr;
        QuickPlayer* awayPlayer = k < away.five.size() ? &away.five[k] : nullptr;
        if (!homePlayer && !awayPlayer)
            continue;
        if (homePlayer)
            homePlayer->stat->Field(5) += 60;
        if (awayPlayer)
            awayPlayer->stat->Field(5) += 60;
        int loss = static_cast<int>(6.0 * Unit()) >= 3 ? 6 : 3;
        // Copies: a replacement rewrites the bench list, never the five being walked.
        if (homePlayer) {
            PlayerCondition(homePlayer->player) -= loss;
            if (PlayerCondition(homePlayer->player) <= 25)
                ReplaceRandomSlot(*homePlayer, home.bench, minute);
        }
        if (awayPlayer) {
            PlayerCondition(awayPlayer->player) -= loss;
            if (PlayerCondition(awayPlayer->player) <= 25)
                ReplaceRandomSlot(*awayPlayer, away.bench, minute);
        }
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
        stat->Field(10) += points;
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
            break;
        }
    }
    side->score += points;
}

} // namespace

// ---- day results ---------------------------------------------------------------------------------

int CDayResults::CategoryOf(int kind) {
    switch (kind) {
    case kLineTwoPoint:
    case kLineClose:
        return kFieldGoals;
    case kLineThreePoint:
        return kThreePointers;
    case kLineFreeThrow:
        return kFreeThrows;
    case kLineRebound:
        return kRebounds;
    case kLineAssist:
        return kAssists;
    case kLineSteal:
        return kSteals;
    case kLineDefence:
        return kDefence;
    default:
        return -1;
    }
}

void CDayResults::Clear() {
    for (auto& list : m_lists)
        list.clear();
    m_incidents.clear();
    m_topScore = -1;
    m_topClub = CStr();
    for (int& value : m_spare)
        value = -1;
    m_secondName = CStr();
}

bool CDayResults::IsEmpty() const {
    for (const auto& list : m_lists)
        if (!list.empty())
            return false;
    return m_incidents.empty() && m_topScore == -1;
}

void CDayResults::AddReportLine(const MatchDayEntry& line) {
    int category = CategoryOf(line.kind);
    if (category < 0)
        return;
    auto& list = m_lists[static_cast<size_t>(category)];
    for (MatchDayEntry& entry : list) {
        if (entry.playerName.Equals(line.playerName) && entry.teamName.Equals(line.teamName)) {
            entry.value += line.kind <= kLineClose ? line.value : 1;
            return;
        }
    }
    list.push_back(line);
}

void CDayResults::OfferTopScore(const CStr& club, int score) {
    if (score > m_topScore) {
        m_topScore = score;
        m_topClub = club;
    }
}

std::vector<std::array<CStr, 2>> CDayResults::Leaders() const {
    auto leaderOf = [this](int category) -> const MatchDayEntry* {
        const MatchDayEntry* best = nullptr;
        int bestValue = -1;
        for (const MatchDayEntry& entry : m_lists[static_cast<size_t>(category)]) {
            if (entry.value > bestValue) {
                bestValue = entry.value;
                best = &entry;
            }
        }
        return best;
    };
    auto valueOf = [](const MatchDayEntry* entry) { return entry ? entry->value : -1; };
    auto pair = [](const MatchDayEntry* entry) {
        return entry ? std::array<CStr, 2>{entry->playerName, entry->teamName} : std::array<CStr, 2>{};
    };
    const MatchDayEntry* fieldGoals = leaderOf(kFieldGoals);
    const MatchDayEntry* threes = leaderOf(kThreePointers);
    const MatchDayEntry* freeThrows = leaderOf(kFreeThrows);
    const MatchDayEntry* scorer = freeThrows;
    if (valueOf(fieldGoals) > valueOf(scorer))
        scorer = fieldGoals;
    if (valueOf(threes) > valueOf(scorer))
        scorer = threes;
    return {pair(scorer),
            pair(leaderOf(kAssists)),
            pair(leaderOf(kRebounds)),
            pair(leaderOf(kDefence)),
            pair(leaderOf(kSteals)),
            pair(fieldGoals),
            pair(threes),
            pair(freeThrows),
            {m_topClub, CStr()}};
}

// ---- quick match ---------------------------------------------------------------------------------

void TrainQuickSkill(CPlayer* player, int skill, int gain) {
    int32_t& progress = player->SkillProgress(skill);
    if (progress >= 100)
        return;
    progress += gain;
    if (progress >= 100) {
        int32_t& value = player->SkillValue(skill);
        if (value < 100)
            value += 1;
        progress = 100 - progress;
    }
}

void ReplaceRandomSlot(const QuickPlayer& player, QuickSide& list, int minute) {
    int n = Size(list);
    if (n == 0)
        return; // nobody to come on: he plays on tired
    int index = PickIndex(n);
    QuickPlayer& slot = list[static_cast<size_t>(index)];
    if (slot.stat->Field(7) != 0)
        slot.stat->Field(9) = minute - slot.stat->Field(8);
    PlayerCondition(player.player) = player.player->SkillValue(kSkillCondition);
    slot = player;
}

void SimulatePossession(const QuickMatchContext& ctx, QuickTeam& home, QuickTeam& away, int minute) {
    double pick = Unit();
    bool homeAttacks = D100() <= 50;
    QuickTeam& attack = homeAttacks ? home : away;
    QuickTeam& defence = homeAttacks ? away : home;
    if (attack.five.empty())
        return;
    int k = std::min(static_cast<int>(5.0 * pick), Size(attack.five) - 1);
    const QuickPlayer shooter = attack.five[static_cast<size_t>(k)];
    CPlayer* player = shooter.player;
    CPlayerStat* stat = shooter.stat;
    MatchDayEntry line{
        player->name, attack.team->name, kLineFreeThrow, 0, minute, static_cast<int>(59.0 * Unit())};

    int points = 0;
    int trainedSkill = 0;
    int training = 0;
    if (D100() <= 10) {
        // Free throws: the better the shooter's touch against his rating, the more go in. A rating
        // of 0 would divide by zero; such a shooter simply misses.
        int value = player->SkillValue(kSkillFreeThrow);
        int roll = D100();
        float q = value != 0 ? static_cast<float>(player->SkillSecond(kSkillFreeThrow)) / value * roll : 0.0f;
        int attempts = q < 30.0f ? 1 : 2;
        int made = q < 20.0f ? 0 : q < 40.0f ? 1 : 2;
        stat->Field(20) += attempts;
        stat->Field(21) += made;
        stat->Field(10) += made;
        attack.stat->Field(17) += attempts;
        attack.stat->Field(18) += made;
        line.kind = kLineFreeThrow;
        line.value = made;
        points = made;
        trainedSkill = kSkillFreeThrow;
        training = made;
        QuickTeam& rebound = D100() < 50 ? home : away;
        PlayEvent(ctx, kLineRebound, rebound.five, rebound.team, minute, line.second, player);
    } else {
        int shot = D100();
        int kind, needed, value, firstThreshold, secondThreshold, attemptField, teamField;
        if (shot <= 8) {
            kind = kLineClose, needed = 40, value = 2, firstThreshold = 80, secondThreshold = 80;
            attemptField = 12, teamField = 11, trainedSkill = kSkillClose, training = 2;
        } else if (shot <= 60) {
            kind = kLineTwoPoint, needed = 10, value = 2, firstThreshold = 50, secondThreshold = 50;
            attemptField = 14, teamField = 13, trainedSkill = kSkillTwoPoint, training = 2;
        } else {
            kind = kLineThreePoint, needed = 10, value = 3, firstThreshold = 50, secondThreshold = 40;
            attemptField = 16, teamField = 15, trainedSkill = kSkillThreePoint, training = 3;
        }
        stat->Field(attemptField) += 1;
        attack.stat->Field(teamField) += 1;
        if (D100() >= needed) {
            stat->Field(attemptField + 1) += 1;
            attack.stat->Field(teamField + 1) += 1;
            stat->Field(10) += value;
            line.kind = kind;
            line.value = value;
            points = value;
            PlayEvent(ctx, kLineAssist, attack.five, attack.team, minute, line.second, player);
        } else if (D100() >= firstThreshold) {
            PlayEvent(ctx, kLineDefence, defence.five, defence.team, minute, line.second, player);
        } else if (D100() >= secondThreshold) {
            PlayEvent(ctx, kLineRebound, defence.five, defence.team, minute, line.second, player);
        } else {
            PlayEvent(ctx, kLineRebound, attack.five, attack.team, minute, line.second, player);
        }
    }

    if (points >= 1 && points <= 3) {
        TrainQuickSkill(player, kSkillScoring, points);
        TrainQuickSkill(player, trainedSkill, training);
        CPlayer::ComputeOverall(player, true);
        if (ctx.results)
            ctx.results->AddReportLine(line);
        attack.score += points;
    } else {
        PlayEvent(ctx, kLineSteal, attack.five, attack.team, minute, line.second, player);
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

    size_t squad = std::max(home->players.size(), away->players.size());
    for (size_t i = 0; i < squad; ++i) {
        if (i < home->players.size())
            AddPlayerRecord(ctx, sides[0], home->players[i], 0);
        if (i < away->players.size())
            AddPlayerRecord(ctx, sides[1], away->players[i], 1);
    }
    CompleteStartingFive(sides[0]);
    CompleteStartingFive(sides[1]);

    for (int minute = 0; minute < 48; ++minute) {
        if (D100() <= 80) {
            SimulatePossession(ctx, sides[0], sides[1], minute);
            if (D100() <= 50)
                SimulatePossession(ctx, sides[0], sides[1], minute);
        }
        if (D100() <= 1)
            PlayIncident(ctx, sides[0], sides[1], minute);
        PlayMinuteOnCourt(sides[0], sides[1], minute);
    }
    if (sides[0].score == sides[1].score)
        BreakTie(sides[0], sides[1]);

    sides[0].stat->Field(9) = sides[0].score;
    sides[0].stat->Field(10) = sides[1].score;
    sides[1].stat->Field(9) = sides[1].score;
    sides[1].stat->Field(10) = sides[0].score;
    homeScore = sides[0].score;
    awayScore = sides[1].score;
}

void BuildTeamSheet(CTeam* team) {
    if (!team)
        return;
    std::vector<int32_t> free = {80063, 80064, 80065, 80066, 80067};
    std::vector<CPlayer*> waiting;
    for (CPlayer* player : team->players) {
        if (player->words[kWordMatchState] == kOnBench)
            continue;
        auto it = std::find(free.begin(), free.end(), player->words[kWordPosition]);
        if (it != free.end()) {
            player->words[kWordPlayedPosition] = *it;
            free.erase(it);
        } else {
            waiting.push_back(player);
        }
    }
    size_t next = 0;
    for (CPlayer* player : waiting) {
        player->words[kWordPlayedPosition] = next < free.size() ? free[next++] : player->words[kWordPosition];
    }
}

void PlayQuickFixture(const QuickMatchContext& ctx, DayBoard* board, const CStr& homeCountry,
                      const CStr& awayCountry, CTeam* home, CTeam* away, int& homeScore, int& awayScore) {
    SimulateQuickMatch(ctx, home, away, homeScore, awayScore);
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

void FillDayLeaders(const CDayResults& results, DayBoard& board) {
    for (const auto& leader : results.Leaders())
        board.leaders.push_back(DayLeaderItem{{leader[0], leader[1]}});
    for (const MatchDayIncident& incident : results.Incidents())
        board.events.push_back(
            DayEventItem{{incident.playerName, incident.teamName,
                          CStr::Formatted("%.2d:%.2d", incident.minute, incident.second)}});
}

void BuildKickOffTimes(const CDayResults& results, DayBoard& board) {
    board.leaders.clear();
    board.events.clear();
    FillDayLeaders(results, board);
}
