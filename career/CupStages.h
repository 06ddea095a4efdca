// The knockout stages of the two tournaments: after the groups each stage builds the next round's
// leagues from the standings of the round before, moves the qualified clubs (and the user's club,
// when it is one of them) into them and replaces the fixtures with the round's fixed dates, down to
// the final.
#pragma once

#include "career/Standings.h"
#include "career/TextLookup.h"
#include "engine/TextRun.h"

#include <cstdint>
#include <string>
#include <vector>

class CCareerSession;
class CFixtureList;
struct PlayedRound;
class CMemoryDB;
struct CTeam;

constexpr int kCupFinalStage = 4;
// The eighth pairing of the world cup's first knockout round.
constexpr int32_t kWorldCupEighthTieText = 100188;
constexpr int32_t kCupFinalText = 100185;
// The knockout ties' names (the cup's and the world cup's pairings), each tie's id its text.
constexpr TextRun kCupTieTexts{100174, 15};

struct CupStageOutcome {
    bool built = false;         // the round's leagues, clubs and fixtures are in place
    bool userQualified = false; // the user's club plays on in one of the new leagues
};

// The names of the world's tables, in the world's order, joined by "; ": the log names the tables
// of each round it builds, so a reader of the log knows what the statistics must list.
std::string TableNames(const CMemoryDB& world, const CFixtureList& fixtures);

// Deletes every league record of the world; the teams stay.
void ClearTournamentLeagues(CMemoryDB& world);

// The tables a round is built from: one per league of the world, every club of it, whatever the
// simulation options leave out of the statistics.
CompetitionList BuildStageStandings(const CCareerSession& session, const TextLookup& getText);

// The four builders, by the round they make (1 first knockout round ... 4 final). Each sets the
// session's stage number and the profile's progress counter, then, only when every table it reads
// is there with enough rows, replaces the leagues, the clubs' league fields and the fixtures; a club
// that is out gets no league (-1) in the world. Outside the tournaments nothing happens.
CupStageOutcome BuildCupStage(CCareerSession& session, const CompetitionList& standings);
CupStageOutcome BuildCupStage2(CCareerSession& session, const CompetitionList& standings);
CupStageOutcome BuildCupStage3(CCareerSession& session, const CompetitionList& standings);
CupStageOutcome BuildCupFinal(CCareerSession& session, const CompetitionList& standings);
// The builder after the stage the session stands at (0 groups ... 3 semi-finals); nothing above 3.
CupStageOutcome BuildNextCupStage(CCareerSession& session, const CompetitionList& standings);

// Once the user's club is out, the rounds still to come are played with quick results down to the
// final, without counting towards the user's progress. Afterwards the season's span starts with the
// tournament again, so the final ranking covers every round. The champion, or null when the final
// could not be reached or ended level.
const CTeam* PlayOutTournament(CCareerSession& session, const TextLookup& getText);

// Keeps the world's leagues as a round the user's club played, before the next round replaces
// them: their names, clubs and days (session.playedRounds). A round the club is not in, one kept
// already, or the tournament's round list changes nothing.
void KeepPlayedRound(CCareerSession& session);
// The kept rounds' tables, the latest round first, each counting that round's days only, appended
// to `out` under the statistics' scope (league scope: the user's tables only). A round the world
// still holds (its days are the fixtures') is left out. Their competition ids are -2, -3, ..., so
// no league's look-up finds them.
void AppendPlayedRoundTables(const CCareerSession& session, StandingsContext ctx, StandingsScope scope,
                             CompetitionList& out);

// The kept rounds as the save holds them, a line a table: the round's first and last day
// (yyyymmdd), the table's name text and its clubs' ids. Reading skips a line that is not whole.
std::string PlayedRoundsText(const std::vector<PlayedRound>& rounds);
std::vector<PlayedRound> ParsePlayedRounds(const std::string& text);

// The winner of the played final; null before it or for a level score.
const CTeam* TournamentChampion(const CCareerSession& session);

// The knockout round a match date falls in: 0 the groups, 1 the first knockout round ... 4 the
// final.
int CupRoundOfDate(bool euroCup, int dateKey);

// A tournament's final ranking follows how far each club went, not its record: the champion first,
// then the other finalist, the clubs out in the semi-finals and so on; the record orders the clubs
// that went out in the same round. The table keeps its order convention (the best row last, clubs
// without a result at the front).
void RankByTournamentProgress(CompetitionStats& table, bool euroCup, const CTeam* champion);
