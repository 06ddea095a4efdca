#include "career/MatchRecord.h"

#include "career/FixtureList.h"
#include "career/Indicators.h"
#include "career/Lineup.h"
#include "database/MemoryDB.h"

#include <vector>

namespace {

void BookInjury(CPlayer& player, bool hurt, const GameDate& date) {
    player.words[kWordInjured] = hurt ? 1 : 0;
    player.words[kWordDaysOut] = hurt ? kMatchInjuryDays : 0;
    player.words[kWordInjuryDay] = hurt ? date.day : 0;
    player.words[kWordInjuryMonth] = hurt ? date.month : 0;
    player.words[kWordInjuryYear] = hurt ? date.year : 0;
}

void RecordSide(const SideMatchResult& side, const SideMatchResult& other, int sideIndex,
                const GameDate& date, CMemoryDB* db, const MatchRecordTables& tables) {
    auto* stat = new CMatchStat(side.figures);
    stat->SetDate(date.year, date.month, date.day);
    stat->Team() = side.team->id;
    stat->Opponent() = other.team->id;
    stat->Side() = sideIndex;
    if (db != nullptr)
        db->matchStats.Append(stat);
    side.team->matchStats.push_back(stat);
    for (const PlayerMatchLine& line : side.players) {
        if (line.player == nullptr)
            continue;
        auto* record = new CPlayerStat(line.figures);
        record->Owner() = line.player->id;
        record->SetDate(date.year, date.month, date.day);
        if (db != nullptr)
            db->playerStats.Append(record);
        line.player->stats.push_back(record);
        // The user's starting five is his choice on the line-up screen: substitutions made
        // during the match do not carry over into the next one.
        if (line.lineupAfter != 0 && !side.user)
            line.player->words[kWordMatchState] = line.lineupAfter;
        BookInjury(*line.player, record->Injured() != 0, date);
    }
    // A starter hurt in the match gives way to the bench, so the next match starts with five; the
    // manager is told of every change made to his choice.
    if (side.user) {
        std::vector<LineupChange> changes;
        FillStartingFive(*side.team, &changes);
        MailLineupChanges(tables.world, tables.career, *side.team, changes, date);
    }
}

} // namespace

bool RecordMatchResult(const MatchResult& result, const GameDate& date, CFixture* fixture,
                       const MatchRecordTables& tables) {
    if (!result.Complete())
        return false;
    if (fixture != nullptr) {
        fixture->homeScore = result.HomeScore();
        fixture->awayScore = result.AwayScore();
    }
    auto tableOf = [&tables](bool user) {
        CMemoryDB* own = user ? tables.career : tables.world;
        return own != nullptr ? own : (user ? tables.world : tables.career);
    };
    RecordSide(result.home, result.away, 0, date, tableOf(result.home.user), tables);
    RecordSide(result.away, result.home, 1, date, tableOf(result.away.user), tables);
    // The user's club's fans, mood and press take the result the day it is played, so the
    // indicators show it that same evening.
    if (tables.world != nullptr) {
        if (result.home.user)
            MoveIndicatorsForResult(*tables.world, result.home.team->id, result.HomeScore(),
                                    result.AwayScore(), true);
        else if (result.away.user)
            MoveIndicatorsForResult(*tables.world, result.away.team->id, result.AwayScore(),
                                    result.HomeScore(), false);
    }
    return true;
}
