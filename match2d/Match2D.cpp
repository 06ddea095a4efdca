#include "match2d/Match2D.h"

#include "database/HiredStaff.h"
#include "database/Records.h"
#include "engine/GameRand.h"
#include "engine/Log.h"
#include "engine/Timer.h"
#include "match/Formation.h"
#include "match/ReboundEdge.h"
#include "match2d/Match2DStep.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <tuple>

CMatch2D* g_pMatch2D = nullptr;

namespace {

constexpr int kTextSubstitution = 500010;
constexpr int kTextFouledOut = 500013;
constexpr int kTextHurt = 500014;
constexpr float kBoxOut = 3.0f; // metres a defender gains on the attacker at a rebound
constexpr int kDefaultOffence = 0;
constexpr int kDefaultDefence = 10;
// A shot has arrived within half a metre of its target: the square below 0.5's, so no root.
const float kBallArrivedSquare = LargestSquareBelow(0.5f);
// The sixth team foul of a quarter and every one after it: free throws. (From the fifth, once
// drives drew shooting fouls of their own, a class-1 side went to the line thirty times a match.)
constexpr int kBonusFouls = 6;

const Vec3 kShotSpotA[5][2] = {{{0, 0, -8}, {2, 0, 8}},
                               {{5.8f, 0, -8.6f}, {5.8f, 0, 8.6f}},
                               {{-6.02f, 0, -8.8f}, {-6.02f, 0, 8.8f}},
                               {{2.3f, 0, -10.44f}, {2.3f, 0, 10.44f}},
                               {{-2.21f, 0, -12.08f}, {-2.21f, 0, 12.08f}}};
const Vec3 kShotSpotB[5][2] = {{{0, 0, 8}, {2, 0, -8}},
                               {{5.8f, 0, 8.6f}, {5.8f, 0, -8.6f}},
                               {{-6.02f, 0, 8.8f}, {-6.02f, 0, -8.8f}},
                               {{2.3f, 0, 10.44f}, {2.3f, 0, -10.44f}},
                               {{-2.21f, 0, 12.08f}, {-2.21f, 0, -12.08f}}};

const ModifierCurve kNoCurve;

// The regular leagues' levels by class. A class's players rate five points above the one below
// (class 0 about 50 in every skill), and its level keeps step with that.
constexpr float kRegularLevels[3] = {1.28f, 1.4f, 1.52f};
constexpr double kClassZeroRating = 50.0;
constexpr double kRatingPerClass = 5.0;
// The record words of the two ratings every shot roll adds: two-pointers and three-pointers.
constexpr int kTwoPointWord = 26;
constexpr int kThreePointWord = 29;
// Tournament clubs shoot at the leagues' level for starters who shoot alike. A step above it (0.01,
// then 0.04) was set when the tournament worlds' clubs shot 51-53 % at the leagues' level; since a
// shot rolls the heavier die they shoot as league clubs rated alike (46-49 %), and the step only
// cost the strongest clubs points: a class-2 club scored 87 a match in the cup and 89 in its
// league, the EuroCup's upper tier 83. Their ball contests (a poke, a shooter's challenge) read a
// level of their own, from the whole squad's steal ratings, the leagues' for squads that steal
// alike (0.02 below it, the EuroCup's lower tier stole 10 balls a side on mixed tactics once a poke
// rolled the smooth die).
constexpr double kTournamentStep = 0.0;
constexpr double kTournamentContestStep = 0.0;
constexpr int32_t kRegularLeagueKind = 100005;
constexpr int kStealWord = 50;
constexpr int kDefenceWord = 23;
// How far two clubs' levels come together when they meet, each side at most (and never past the
// middle).
constexpr float kMeetingStep = 0.008f;
// Two tournament clubs' contest levels meet in the middle (up to 0.1 each): a level follows the
// squad's steal ratings, and since a poke rolls the smooth die a level apart took the better
// stealing club's edge back (the EuroCup's stronger half won 58-62 % of its matches at a step of
// 0.024, 67-68 % meeting in the middle).
constexpr float kContestMeetingStep = 0.1f;
// Bounds for squads far outside the generated classes (the sums a roll can reach).
constexpr double kLowestLevel = 1.2, kHighestLevel = 1.8;

} // namespace

namespace {

// The leagues' level for players who rate as these by the given rating on average, plus a step.
template <typename Rating>
float MeanRatingLevel(const std::vector<const CPlayer*>& players, Rating rating, double step) {
    if (players.empty()) {
        return kRegularLevels[1];
    }
    double sum = 0.0;
    for (const CPlayer* player : players) {
        sum += rating(*player);
    }
    const double classes = (sum / static_cast<double>(players.size()) - kClassZeroRating) / kRatingPerClass;
    const double level = kRegularLevels[0] + classes * (kRegularLevels[1] - kRegularLevels[0]) + step;
    return static_cast<float>(std::clamp(level, double{kLowestLevel}, double{kHighestLevel}));
}

// A league club's class, 0-2, from its league.
int LeagueClass(const CTeam& record) {
    return ((record.leagueId % 3) + 3) % 3;
}

float LeagueLevelFactor(const CTeam& record) {
    const bool regular = record.leagueKind == kRegularLeagueKind;
    static const float kFactors[3][2] = {{1.18f, 1.28f}, {1.3f, 1.4f}, {1.42f, 1.52f}};
    return kFactors[LeagueClass(record)][regular ? 1 : 0];
}

// A club's starting five: the players named to start, then, for a side that named fewer, its first
// bench players, as the match fields them.
std::vector<const CPlayer*> StartingFive(const CTeam& record) {
    std::vector<const CPlayer*> five;
    for (const CPlayer* player : record.players) {
        if (player != nullptr && five.size() < 5 && player->words[kWordMatchState] == kOnCourt) {
            five.push_back(player);
        }
    }
    for (const CPlayer* player : record.players) {
        if (player != nullptr && five.size() < 5 && player->words[kWordMatchState] != kOnCourt) {
            five.push_back(player);
        }
    }
    return five;
}

// The rating a tournament club's shooting level is read from, of one starter: two shots in three
// are two-pointers.
double TournamentShotRatingOf(const CPlayer& p) {
    return (2.0 * p.words[kTwoPointWord] + p.words[kThreePointWord]) / 3.0;
}

// The mean step of a club's starting five, each 2.0 over his speed rating; 0 for a club without
// players.
double StartersStep(const CTeam& record) {
    const std::vector<const CPlayer*> five = StartingFive(record);
    double sum = 0.0;
    for (const CPlayer* player : five) {
        sum += CMatch2DPlayer::SpeedForRating(player->words[11]);
    }
    return five.empty() ? 0.0 : sum / static_cast<double>(five.size());
}

// The same for the whole squad, the bench included.
template <typename Rating> float SquadLevel(const CTeam& record, Rating rating, double step) {
    std::vector<const CPlayer*> squad;
    for (const CPlayer* player : record.players) {
        if (player != nullptr) {
            squad.push_back(player);
        }
    }
    return MeanRatingLevel(squad, rating, step);
}

// Each side's own level moved a fixed step toward the other's, or to the middle when they lie closer.
void MeetingLevels(float ownHome, float ownAway, float& homeLevel, float& awayLevel, float meetingStep) {
    const float middle = 0.5f * (ownHome + ownAway);
    const float step = std::min(meetingStep, std::fabs(ownHome - middle));
    homeLevel = ownHome < middle ? ownHome + step : ownHome - step;
    awayLevel = ownAway < middle ? ownAway + step : ownAway - step;
}

} // namespace

float TournamentLevelFactor(const CTeam& record) {
    // A tournament brings clubs of every strength together without a league class. Each plays at
    // the level the leagues give clubs whose starters shoot as its starters do, so its box score
    // reads like a league match, and the better side shows in its defence, its steals, its
    // rebounds and who wins. One level for everyone let the strong shoot 70-80 % and steal forty
    // balls a match and left the weak barely scoring; a level from the whole squad's skills missed
    // starters who shoot a point or two above their squad, and one point of a starter's rating
    // moves a side's field goals by several points. Two shots in three are two-pointers.
    return MeanRatingLevel(StartingFive(record), TournamentShotRatingOf, kTournamentStep);
}

float TournamentShotRating(const CTeam& record) {
    const std::vector<const CPlayer*> five = StartingFive(record);
    double sum = 0.0;
    for (const CPlayer* player : five) {
        sum += TournamentShotRatingOf(*player);
    }
    return five.empty() ? 0.0f : static_cast<float>(sum / static_cast<double>(five.size()));
}

float TournamentContestLevelFactor(const CTeam& record) {
    // A side's steals follow the ratings of whoever stands on the court and the level they are
    // measured against. A regular league's club keeps its class's level: its players' ratings are
    // what that level was tuned for, and 0.02-0.035 below it a class-0 club stole 11 balls a match.
    if (record.leagueKind == kRegularLeagueKind) {
        return LeagueLevelFactor(record);
    }
    // A tournament club's contests follow its whole squad's steal ratings: the bench makes a third
    // of the contests, and a level from the starters alone left a tier whose starters steal 2.6
    // points better than its bench (the EuroCup's lower) stealing five balls a match, and one whose
    // bench keeps up (the WorldCup's lower) eight or nine. One level from the shooting left the
    // WorldCup's sides stealing 3.5-4.5.
    return SquadLevel(
        record, [](const CPlayer& p) { return static_cast<double>(p.words[kStealWord]); },
        kTournamentContestStep);
}

void TournamentLevels(const CTeam& home, const CTeam& away, float& homeLevel, float& awayLevel) {
    // Each side's own level would make the two shoot alike, and a better club would win three
    // in five against a club a tier below; one level for both let it win nearly all, and so did
    // half of each. A share of the gap did not fit every gap: three quarters of its own level
    // gave a tier's gap (five rating points) four wins in five but two league classes' gap (ten)
    // 96 %, where the league, each at its own level, gives 86 %. A fixed step toward each other
    // lifts the close pairings and leaves the far ones nearly as the league plays them.
    MeetingLevels(TournamentLevelFactor(home), TournamentLevelFactor(away), homeLevel, awayLevel,
                  kMeetingStep);
}

namespace {

// Two clubs' levels for a roll read from their squads' ratings: a tournament club's own, a league
// club's its class's, meeting as the ball contests' do.
void MeetingSquadLevels(const CTeam& home, const CTeam& away, float (*own)(const CTeam&), float& homeLevel,
                        float& awayLevel) {
    const float ownHome = own(home);
    const float ownAway = own(away);
    MeetingLevels(ownHome, ownAway, homeLevel, awayLevel, kContestMeetingStep);
    // A league club contests as in its league, whoever it meets: its class's level moved toward a
    // weaker class's took the weaker side's steals down with the stronger's, and a class-2 club
    // beat a class-0 club in 92-94 % of cup matches (86-89 % in the league).
    if (home.leagueKind == kRegularLeagueKind) {
        homeLevel = ownHome;
    }
    if (away.leagueKind == kRegularLeagueKind) {
        awayLevel = ownAway;
    }
}

} // namespace

void TournamentContestLevels(const CTeam& home, const CTeam& away, float& homeLevel, float& awayLevel) {
    MeetingSquadLevels(home, away, TournamentContestLevelFactor, homeLevel, awayLevel);
}

float TournamentBlockLevelFactor(const CTeam& record) {
    // A block rolls the defender's defence rating, and a tournament club's contest level follows
    // its steal ratings: a squad that defends far better than it steals (Germany, New Zealand)
    // blocked 6.7-7 shots a match and one that defends worse (Brazil) 3. Its blocks read a level
    // from its whole squad's defence ratings instead, as its contests do from the steals.
    if (record.leagueKind == kRegularLeagueKind) {
        return LeagueLevelFactor(record);
    }
    return SquadLevel(
        record, [](const CPlayer& p) { return static_cast<double>(p.words[kDefenceWord]); },
        kTournamentContestStep);
}

void TournamentBlockLevels(const CTeam& home, const CTeam& away, float& homeLevel, float& awayLevel) {
    MeetingSquadLevels(home, away, TournamentBlockLevelFactor, homeLevel, awayLevel);
}

CMatch2D::CMatch2D() {
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 2; ++j) {
            shotSpotA[i][j] = kShotSpotA[i][j];
            shotSpotB[i][j] = kShotSpotB[i][j];
        }
    }
    GameSrand(static_cast<unsigned int>(std::time(nullptr)));
}

void CMatch2D::RaiseProgress() {
    ++m_progress;
    if (hooks.progress) {
        hooks.progress(m_progress, kSetupProgressSteps);
    }
}

CMatch2D::~CMatch2D() {
    Teardown();
}

bool CMatch2D::LoadTactics(const char* gamePath) {
    courtLeft = -14;
    courtTop = -7;
    courtRight = 14;
    courtBottom = 7;
    XmlNode root = OpenInitData(gamePath);
    std::vector<TacticRecord*> records;
    ReadTacticList(root, records);
    // The list's records are taken over as they are.
    for (TacticRecord* record : records)
        tactics.emplace_back(record);
    ReadCurve(root, kBallStealth, ballStealth);
    ReadCurve(root, kTacticTargetNum, tacticTargetNum);
    ReadCurve(root, kPassingTargets, passingTargets);
    ReadCurve(root, kMoraleModifier, moraleModifier);
    ReadCurve(root, kStaminaModifier, staminaModifier);
    ReadCurve(root, kAggressionModifier, aggressionModifier);
    ReadCurve(root, kTwoPointModifier, twoPointModifier);
    ReadCurve(root, kThreePointModifier, threePointModifier);
    ReadCurve(root, kBlockingTargets, blockingTargets);
    ReadCurve(root, kDunkingModifier, dunkingModifier);
    return !tactics.empty();
}

CStr CMatch2D::GetTacticFile(int id) const {
    for (const auto& entry : tactics) {
        if (entry->id == id) {
            return entry->file;
        }
    }
    return CStr();
}

const ModifierCurve& CMatch2D::Curve(const char* table) const {
    const CStr name(table);
    if (name == kBallStealth)
        return ballStealth;
    if (name == kMoraleModifier)
        return moraleModifier;
    if (name == kStaminaModifier)
        return staminaModifier;
    if (name == kAggressionModifier)
        return aggressionModifier;
    if (name == kTacticTargetNum)
        return tacticTargetNum;
    if (name == kPassingTargets)
        return passingTargets;
    if (name == kTwoPointModifier)
        return twoPointModifier;
    if (name == kThreePointModifier)
        return threePointModifier;
    if (name == kDunkingModifier)
        return dunkingModifier;
    if (name == kBlockingTargets)
        return blockingTargets;
    return kNoCurve;
}

CStr CMatch2D::Text(int textId) const {
    return hooks.text ? hooks.text(textId) : CStr();
}

void CMatch2D::Teardown() {
    heldRemarks.clear();
    lastPasser = nullptr;
    passCatcher = nullptr;
    ball.reset();
    homeTeam.reset();
    awayTeam.reset();
    lastFouled = nullptr;
}

void CMatch2D::Setup() {
    Teardown();
    eventText = CStr();
    eventName = CStr();
    eventSide = 0;
    paused = 0;
    running = 0;
    possessionTimer = 0.0f;
    homeTeam = std::make_unique<CMatch2DTeam>();
    awayTeam = std::make_unique<CMatch2DTeam>();
    homeTeam->match = this;
    awayTeam->match = this;
    quarter = 0;
    seconds = 0.0f;
    minutes = 0.0f;
    centiseconds = 0;
    for (CMatch2DTeam* team : {homeTeam.get(), awayTeam.get()}) {
        for (int i = 0; i < kMatchSquad; ++i) {
            auto* player = new CMatch2DPlayer;
            team->AddPlayer(player);
        }
    }
    setUp = 1;
    ball = std::make_unique<CMatch2DBall>();
    shotInFlight = 0;
    homePending2 = homePending3 = homePending1 = 0;
    awayPending2 = awayPending3 = awayPending1 = 0;
    missedShot = 0;
    homeBonus = awayBonus = 0;
    possessionChanged = 0;
    homeMustLeave = awayMustLeave = 0;
    forfeited = 0;
    // Nothing of the last match may reach into this one: a seed replays the same match whatever ran
    // before it.
    scoreGapActive = 0;
    scoreGapCounter = 0;
    instantRun = 0;
    periodMinutes = kQuarterMinutes;
    overtimes = 0;
    stealRun = 0;
    contestOdds = 1.0f;
    pendingFreeThrows = 0;
    longestStealRun = 0;
    attemptsThisPeriod = 0;
    quietPeriods = 0;
    m_progress = 0;
    ticksPerFrame = 1;
    lastHomeTeamFouls = lastAwayTeamFouls = 0;
    lastFouled = nullptr;
    playTicks = 0;
    lastPasser = nullptr;
    lastPassTick = 0;
    passCatcher = nullptr;
    catchTick = 0;
}

bool CMatch2D::ContestAllowed(const CMatch2DPlayer& defender) const {
    return stealRun < kMaxStealRun && playTicks >= defender.nextContestTick && !InFoulTrouble(defender);
}

void CMatch2D::NoteContest(CMatch2DPlayer& defender, int result) {
    // A foul stops play: the fouler does not reach in again before the ball is back in play.
    defender.nextContestTick = playTicks + (result == 3 ? kFoulPauseTicks : kContestTicks);
}

void CMatch2D::NoteBallWon() {
    ++stealRun;
    longestStealRun = std::max(longestStealRun, stealRun);
    contestOdds = 1.0f;
}

void CMatch2D::NoteAttempt() {
    stealRun = 0;
    contestOdds = 1.0f;
    ++attemptsThisPeriod;
    // A basket still in the air is made: a new shot cannot take it back.
    if (shotInFlight && !missedShot) {
        PayPendingPoints();
    }
}

void CMatch2D::AwardFreeThrows(CMatch2DPlayer& fouled) {
    if (homeBonus || awayBonus || pendingFreeThrows) {
        return;
    }
    lastFouled = &fouled;
    pendingFreeThrows = fouled.homeSide ? 1 : 2;
}

void CMatch2D::PayPendingPoints() {
    homeTeam->score += (homePending2 ? 2 : 0) + (homePending3 ? 3 : 0) + (homePending1 ? 1 : 0);
    awayTeam->score += (awayPending2 ? 2 : 0) + (awayPending3 ? 3 : 0) + (awayPending1 ? 1 : 0);
    ClearPendingPoints();
}

void CMatch2D::ClearPendingPoints() {
    homePending2 = homePending3 = homePending1 = 0;
    awayPending2 = awayPending3 = awayPending1 = 0;
}

void CMatch2D::NotePass(CMatch2DPlayer* passer) {
    lastPasser = passer;
    lastPassTick = playTicks;
    passCatcher = nullptr; // still in the air
}

void CMatch2D::NoteCatch(CMatch2DPlayer* catcher) {
    passCatcher = catcher;
    catchTick = playTicks;
}

void CMatch2D::NoteShot(const CMatch2DPlayer& shooter, bool made) {
    if (made && lastPasser != nullptr && passCatcher == &shooter && lastPasser != &shooter &&
        lastPasser->homeSide == shooter.homeSide &&
        (playTicks - catchTick <= kShotOnCatchTicks || playTicks - lastPassTick <= kAssistTicks)) {
        lastPasser->assists += 1;
    }
    lastPasser = nullptr;
}

void CMatch2D::FillTeam(CMatch2DTeam& team, CTeam* record, float level, float contestStep, bool home,
                        bool user, const CStaffRecord* staffA, const CStaffRecord* staffB) {
    const int count = std::min<int>(static_cast<int>(record->players.size()), team.PlayerCount());
    for (int i = 0; i < count; ++i) {
        const CPlayer* source = record->players[i];
        CMatch2DPlayer* p = team.GetPlayer(i);
        if (source == nullptr || p == nullptr) {
            continue;
        }
        p->id = source->id;
        p->name = source->name;
        p->positionId = source->words[kWordPosition];
        // Formations match the played position; a record without one plays its own.
        p->positionIdCopy = source->words[kWordPlayedPosition] != 0 ? source->words[kWordPlayedPosition]
                                                                    : source->words[kWordPosition];
        p->height = source->words[kWordHeight];
        p->weight = source->words[kWordWeight];
        p->word4 = source->words[kWordShirtNumber];
        p->energy = static_cast<float>(source->words[5]);
        p->maxEnergy = p->energy;
        for (int a = 0; a < 32; ++a) {
            p->attributes[a] = source->words[kMatchAttributeWords[a]];
        }
        p->speed = CMatch2DPlayer::SpeedForRating(source->words[11]);
        p->overall = static_cast<float>(CPlayer::ComputeOverall(const_cast<CPlayer*>(source), false));
        p->hasBall = 0;
        p->receivingPass = 0;
        p->chase = 0;
        p->rebound = 0;
        p->freeThrowShooter = 0;
        p->homeSide = home ? 1 : 0;
        p->userTeam = user ? 1 : 0;
        p->staffA = user ? staffA : nullptr;
        p->staffB = user ? staffB : nullptr;
        p->levelFactor = level;
        p->contestLevelStep = contestStep;
        p->lineupSpot = -1;
    }
    // A side named fewer than five starters fields its first bench players in roster order.
    int starters = 0;
    for (const auto& p : team.players) {
        starters += p->MatchState() == kOnCourtState ? 1 : 0;
    }
    for (auto& p : team.players) {
        if (starters >= kCourtPlayers) {
            break;
        }
        if (p->MatchState() == kOnBenchState) {
            p->SetMatchState(kOnCourtState);
            ++starters;
        }
    }
    for (auto& p : team.players) {
        p->startedMatch = p->MatchState() == kOnCourtState ? 1 : 0;
    }
    team.name = record->name;
    team.secondName = record->shortName;
    team.userTeam = user ? 1 : 0;
}

void CMatch2D::SetupLineups(CTeam* homeRecord, CTeam* awayRecord, bool userIsHome) {
    if (!homeTeam || !awayTeam || homeRecord == nullptr || awayRecord == nullptr) {
        return;
    }
    m_progress = 0;
    if (hooks.progress) {
        hooks.progress(0, kSetupProgressSteps);
    }
    // The user's coaching staff comment on his players.
    m_staffA.reset();
    m_staffB.reset();
    CTeam* userRecord = userIsHome ? homeRecord : awayRecord;
    m_staffA = FindHiredStaff(userRecord, kStaffHeadCoach);
    m_staffB = FindHiredStaff(userRecord, kStaffAssistantCoach);
    float homeLevel = LeagueLevelFactor(*homeRecord);
    float awayLevel = LeagueLevelFactor(*awayRecord);
    float homeContest = homeLevel;
    float awayContest = awayLevel;
    if (tournament) {
        TournamentLevels(*homeRecord, *awayRecord, homeLevel, awayLevel);
        TournamentContestLevels(*homeRecord, *awayRecord, homeContest, awayContest);
    }
    homeTeam->ownLevel = TournamentContestLevelFactor(*homeRecord);
    awayTeam->ownLevel = TournamentContestLevelFactor(*awayRecord);
    for (const auto& [team, record] :
         {std::pair{homeTeam.get(), homeRecord}, std::pair{awayTeam.get(), awayRecord}}) {
        team->shotLevelRating = tournament ? TournamentShotRating(*record) : 0.0f;
        team->shotRatingSum = 0.0f;
        team->shotRatingCount = 0;
    }
    float homeBlock = 0.0f;
    float awayBlock = 0.0f;
    if (tournament) {
        TournamentBlockLevels(*homeRecord, *awayRecord, homeBlock, awayBlock);
    }
    homeTeam->blockLevel = homeBlock;
    awayTeam->blockLevel = awayBlock;
    FillTeam(*homeTeam, homeRecord, homeLevel, homeContest - homeLevel, true, userIsHome, m_staffA.get(),
             m_staffB.get());
    RaiseProgress();
    FillTeam(*awayTeam, awayRecord, awayLevel, awayContest - awayLevel, false, !userIsHome, m_staffA.get(),
             m_staffB.get());
    RaiseProgress();
    // Each player steps 2.0 over his own speed rating, so a club whose five rated slow was the faster
    // side: Ashford's starters at 41-54 among classmates at 48-60 stole 9-10.5 balls a match and lost
    // 11-13, a quarter and more off the clubs beside it. A league club's five now steps on average
    // as its class's usual rating does (2.0 / 50, 55, 60), so the classes keep their pace and a
    // player his place in his side; a tournament club's as the two fives together. With every side
    // at the match's own pace a class-2 club beat a class-0 one 91 times in 100 (the band's top 90).
    const double homeStep = StartersStep(*homeRecord);
    const double awayStep = StartersStep(*awayRecord);
    const std::tuple<CMatch2DTeam*, const CTeam*, double> sides[2] = {{homeTeam.get(), homeRecord, homeStep},
                                                                      {awayTeam.get(), awayRecord, awayStep}};
    for (const auto& [team, record, step] : sides) {
        const int classRating = static_cast<int>(kClassZeroRating + kRatingPerClass * LeagueClass(*record));
        const double usual = record->leagueKind == kRegularLeagueKind
                                 ? CMatch2DPlayer::SpeedForRating(classRating)
                                 : 0.5 * (homeStep + awayStep);
        const auto scale = static_cast<float>(step > 0.0 ? usual / step : 1.0);
        for (const auto& p : team->players) {
            p->speed *= scale;
        }
    }
    // Court players first, each group in its old order.
    for (CMatch2DTeam* team : {homeTeam.get(), awayTeam.get()}) {
        std::vector<CMatch2DPlayer*> ordered;
        for (const auto& p : team->players) {
            if (p->MatchState() == kOnCourtState) {
                ordered.push_back(p->Clone());
            }
        }
        RaiseProgress();
        for (const auto& p : team->players) {
            if (p->MatchState() != kOnCourtState) {
                ordered.push_back(p->Clone());
            }
        }
        RaiseProgress();
        team->ClearPlayers();
        for (CMatch2DPlayer* p : ordered) {
            team->AddPlayer(p);
        }
    }
}

void CMatch2D::LoadSide(CMatch2DTeam& team, bool home, int attackId, int defenceId) {
    CStr attackFile = GetTacticFile(attackId);
    CStr defenceFile = GetTacticFile(defenceId);
    if (attackFile.IsEmpty() || defenceFile.IsEmpty()) {
        QuorelLog("[CMatch2D::LoadSide] No formation file for tactics %d/%d; the side keeps its formation",
                  attackId, defenceId);
        return;
    }
    team.attackTacticId = attackId;
    team.defenceTacticId = defenceId;
    const Formation attack = ReadFormationFile(attackFile);
    const Formation defence = ReadFormationFile(defenceFile);
    const float attackSign = home ? 1.0f : -1.0f;
    const float defenceSign = home ? -1.0f : 1.0f;
    for (int i = 0; i < kFormationSpots; ++i) {
        const FormationSpot& a = attack.spots[i];
        if (CMatch2DPlayer* p = team.FindByPosition(PositionIdFromCode(a.name))) {
            p->attackSpot = Vec3(a.spot.x, a.spot.y, a.spot.z * attackSign);
            p->attackLookAt = Vec3(a.lookAt.x, a.lookAt.y, a.lookAt.z * attackSign);
            p->currentAttackSpot = p->attackSpot;
            p->currentAttackLookAt = p->attackLookAt;
            p->attackTacticId = attackId;
        }
        const FormationSpot& d = defence.spots[i];
        if (CMatch2DPlayer* p = team.FindByPosition(PositionIdFromCode(d.name))) {
            p->defenceSpot = Vec3(d.spot.x, d.spot.y, d.spot.z * defenceSign);
            p->defenceLookAt = Vec3(d.lookAt.x, d.lookAt.y, d.lookAt.z * defenceSign);
            p->currentDefenceSpot = p->defenceSpot;
            p->currentDefenceLookAt = p->defenceLookAt;
            p->defenceTacticId = defenceId;
        }
    }
}

void CMatch2D::LoadHomeFormation(int attackId, int defenceId) {
    if (homeTeam) {
        LoadSide(*homeTeam, true, attackId, defenceId);
    }
}

void CMatch2D::LoadAwayFormation(int attackId, int defenceId) {
    if (awayTeam) {
        LoadSide(*awayTeam, false, attackId, defenceId);
    }
}

void CMatch2D::LoadFormations(int homeId, int awayId) {
    if (!homeTeam || !awayTeam) {
        return;
    }
    // Run at once or drawn, the five play the positions their line-up gives them.
    homeTeam->SeatCourtPositions();
    awayTeam->SeatCourtPositions();
    const std::pair<CMatch2DTeam*, int> sides[2] = {{homeTeam.get(), homeId}, {awayTeam.get(), awayId}};
    for (const auto& [team, id] : sides) {
        CStr file = GetTacticFile(id);
        if (file.IsEmpty()) {
            QuorelLog("[CMatch2D::LoadFormations] No formation file for tactic %d", id);
            continue;
        }
        const Formation formation = ReadFormationFile(file);
        for (const FormationSpot& entry : formation.spots) {
            if (CMatch2DPlayer* p = team->FindByPosition(PositionIdFromCode(entry.name))) {
                p->SetStartPosition(entry.spot.x, entry.spot.y, -entry.spot.z);
                p->SetLookAt(-entry.spot.x, -entry.spot.y, entry.spot.z);
            }
        }
    }
    homeInbound = Vec3(0.0f, 0.0f, -12.25f);
    awayInbound = Vec3(0.0f, 0.0f, 12.25f);
}

bool CMatch2D::IsOutOfCourt(float x, float /*y*/, float z) const {
    return z <= static_cast<float>(courtLeft) || z >= static_cast<float>(courtRight) ||
           x <= static_cast<float>(courtTop) || x >= static_cast<float>(courtBottom);
}

void CMatch2D::TickClock(int /*unused*/) {
    TickClockInline();
}

[[gnu::always_inline]] inline void CMatch2D::TickClockInline() {
    if (!running || paused) {
        return;
    }
    const int before = centiseconds;
    centiseconds += static_cast<int>(step * 100.0f + 0.5f); // the step rounded to whole hundredths
    seconds = static_cast<float>(centiseconds) / 100.0f;
    if (centiseconds / 100 != before / 100 && quarter >= 1) {
        // A whole second of the clock: the five on court of each side played it. Counted per
        // second, a side's players together play exactly five times the match's length.
        for (CMatch2DTeam* team : {homeTeam.get(), awayTeam.get()}) {
            for (int i = 0; i < kCourtPlayers && i < team->PlayerCount(); ++i) {
                ++team->GetPlayer(i)->secondsOnCourt;
            }
        }
    }
    if (static_cast<int>(seconds) == 60) {
        seconds = 0.0f;
        centiseconds = 0;
        minutes += 1.0f;
    }
    // The seconds first: they read 0 only in the first second of a minute, so the minutes are rarely
    // looked at.
    if (static_cast<int>(seconds) == 0 && static_cast<int>(minutes) == periodMinutes) {
        // A shot released before the buzzer still counts; a miss is simply dead.
        if (shotInFlight && !missedShot) {
            PayPendingPoints();
        }
        shotInFlight = 0;
        missedShot = 0;
        ClearPendingPoints();
        quietPeriods += attemptsThisPeriod == 0 ? 1 : 0;
        attemptsThisPeriod = 0;
        if (quarter == 4 && homeTeam->score == awayTeam->score && overtimes < kMaxOvertimes) {
            ++overtimes;
            periodMinutes = kOvertimeMinutes;
        } else {
            ++quarter;
        }
        // The jump ball only once it is known that another period follows: after the final whistle
        // it could still book a foul (a sixth one fouled a player out) or hurt a jumper.
        EndQuarter();
        homeTeam->teamFouls = 0;
        awayTeam->teamFouls = 0;
        // The bonus counts the fouls of the new quarter from nothing.
        lastHomeTeamFouls = 0;
        lastAwayTeamFouls = 0;
        minutes = 0.0f;
        seconds = 0.0f;
        centiseconds = 0;
        if (quarter >= 2 && quarter <= 4 && !instantRun) {
            paused = 1;
            if (hooks.quarterBreak) {
                hooks.quarterBreak();
            }
        }
    }
    if (quarter == 0) {
        missedShot = 0;
        TipOff();
        quarter = 1;
    } else if (quarter >= 1 && quarter <= 4) {
        UpdateRulesInline();
    }
    if (!possessionChanged) {
        if (shotInFlight) {
            possessionTimer = 0.0f;
            return;
        }
        if (!missedShot && !homeBonus && !awayBonus && !homeMustLeave && !awayMustLeave) {
            possessionTimer += step;
        }
    }
    if (shotInFlight || homeBonus || awayBonus) {
        possessionTimer = 0.0f;
    }
}

int CMatch2D::RunTicks(int maxTicks) {
    int ticks = 0;
    // The screens may have changed players since the last frame: the first alert look is a full one.
    if (homeTeam && awayTeam) {
        homeTeam->alertEvent = 1;
        awayTeam->alertEvent = 1;
    }
    insideRun = 1;
    while (ticks < maxTicks && !IsOver() && ball) {
        TickClockInline();
        ball->Step();
        ++ticks;
        if (paused && running) {
            break; // waits for the screen
        }
    }
    insideRun = 0;
    if (!heldRemarks.empty()) {
        ReleaseRemarks();
    }
    // The screens read the bench's stamina between frames.
    if (homeTeam && awayTeam) {
        homeTeam->SettleBench();
        awayTeam->SettleBench();
    }
    return ticks;
}

void CMatch2D::HoldRemark(const CMatch2DPlayer& player, const CStr& head, const CStr& message, int colour) {
    heldRemarks.push_back(HeldRemark{&player, head, message, colour, playTicks});
}

void CMatch2D::ReleaseRemarks() {
    // After the final whistle there is nobody left to warn about.
    if (IsOver() || !hooks.remarkLine) {
        heldRemarks.clear();
        return;
    }
    std::vector<HeldRemark> waiting;
    for (HeldRemark& remark : heldRemarks) {
        // Made in the run's last tick: the coach has not looked at him since.
        if (remark.tick >= playTicks) {
            waiting.push_back(std::move(remark));
            continue;
        }
        const CMatch2DPlayer& p = *remark.player;
        // Taken off, or leaving at the next stop (hurt, fouled out): no longer the coach's worry.
        if (p.MatchState() != kOnCourtState || p.mustLeave || p.Fouls() >= 6) {
            continue;
        }
        hooks.remarkLine(remark.head, remark.colour);
        hooks.remarkLine(remark.message, remark.colour);
    }
    heldRemarks = std::move(waiting);
}

void CMatch2D::EndQuarter() {
    homeTeam->ResetForQuarter();
    awayTeam->ResetForQuarter();
    // A new quarter allows more fouls: a starter rested for his may go back on.
    homeTeam->alertEvent = 1;
    awayTeam->alertEvent = 1;
    // The new period starts from the tip-off: a free-throw series or a chase of the old one is over
    // (left standing, its shooter would wait for a throw he never takes and nobody would play).
    homeBonus = awayBonus = 0;
    possessionChanged = 0;
    lastFouled = nullptr;
    lastPasser = nullptr;
    stealRun = 0;
    pendingFreeThrows = 0;
    possessionTimer = 0.0f;
    ball->SetPosition(0, 0, 0);
    ball->SetTarget(0, 0, 0);
    if (!IsOver()) {
        TipOff();
    }
}

void CMatch2D::GainBall(CMatch2DPlayer* jumper) {
    ball->SetPosition(jumper->position);
    ball->SetTarget(jumper->position);
    CMatch2DTeam& own = jumper->homeSide ? *homeTeam : *awayTeam;
    CMatch2DTeam& other = jumper->homeSide ? *awayTeam : *homeTeam;
    own.SetAttacking();
    other.SetDefending();
    jumper->hasBall = 1;
    homeTeam->GoToSpots();
    awayTeam->GoToSpots();
}

void CMatch2D::TipOff() {
    float d = 0.0f;
    CMatch2DPlayer* home = homeTeam->FindNearest(ball->position, d, nullptr);
    CMatch2DPlayer* away = awayTeam->FindNearest(ball->position, d, nullptr);
    if (home == nullptr || away == nullptr) {
        return;
    }
    const int homeResult = home->ContestBall(ball->position, false);
    const int awayResult = away->ContestBall(ball->position, false);
    const bool homeFirst = CoinFlip();
    const std::pair<CMatch2DPlayer*, int> order[2] = {
        homeFirst ? std::make_pair(home, homeResult) : std::make_pair(away, awayResult),
        homeFirst ? std::make_pair(away, awayResult) : std::make_pair(home, homeResult)};
    for (const auto& [jumper, result] : order) {
        if (result == 1) {
            GainBall(jumper);
            return;
        }
        // The contest itself has set the must-leave flag (2) or counted the foul (3).
    }
    if (CoinFlip()) {
        GainBall(home->mustLeave ? away : home);
    } else {
        GainBall(away->mustLeave ? home : away);
    }
}

void CMatch2D::Forfeit(CMatch2DTeam& loser) {
    CMatch2DTeam& winner = &loser == homeTeam.get() ? *awayTeam : *homeTeam;
    loser.score = 0;
    winner.score = 2;
    quarter = 5;
    forfeited = 1;
}

bool CMatch2D::Replace(CMatch2DTeam& team, int outgoingId, int incomingId, bool home) {
    if (incomingId < 0) {
        return false;
    }
    int index = 0;
    CMatch2DPlayer* out = team.FindById(outgoingId, index);
    eventText = EventText(kTextSubstitution);
    eventName = out ? out->name : CStr();
    eventSide = home ? 1 : 0;
    team.Substitute(outgoingId, incomingId);
    PostEvent();
    return true;
}

bool CMatch2D::ForcedChange(CMatch2DTeam& team, int outgoingId) {
    return Replace(team, outgoingId, team.PickForcedSubstitute(outgoingId), &team == homeTeam.get());
}

bool CMatch2D::ReturnRestedStarter(CMatch2DTeam& team, bool home) {
    const int starter = team.FindStarterToReturn(FoulLimit());
    if (starter < 0) {
        return false;
    }
    int index = 0;
    const CMatch2DPlayer* back = team.FindById(starter, index);
    const int room = team.FindToMakeRoom(back != nullptr ? back->positionId : 0);
    return room >= 0 && Replace(team, room, starter, home);
}

bool CMatch2D::RestOrReturn(CMatch2DTeam& team, bool home) {
    // The tired first, then one in foul trouble for the quarter, each for a fit bench player of his
    // position (or the nearest) who is not in foul trouble himself: a substitute who would be taken
    // off again at once is no change, so with none the player plays on.
    const int limit = FoulLimit();
    int leaving = team.FindTiredToRest();
    int coming = leaving >= 0 ? team.PickSubstitute(leaving, limit, CMatch2DTeam::kFitToComeOn) : -1;
    bool forFouls = false;
    for (int i = 0; coming < 0 && i < kCourtPlayers && i < team.PlayerCount(); ++i) {
        const CMatch2DPlayer& p = *team.GetPlayer(i);
        // The fouled-out and the hurt leave by their own rule (HandleLeaving), and are told.
        if (p.MatchState() == kOnCourtState && p.Fouls() >= limit && p.Fouls() < 6 && !p.mustLeave) {
            leaving = p.id;
            coming = team.PickSubstitute(p.id, limit, CMatch2DTeam::kFitToComeOn);
            forFouls = true;
        }
    }
    if (coming < 0) {
        // A starter the rule rested goes back on; one the user took off himself stays off.
        return ReturnRestedStarter(team, home);
    }
    int index = 0;
    CMatch2DPlayer* out = team.FindById(leaving, index);
    Replace(team, leaving, coming, home);
    if (out != nullptr) {
        out->restedByRule = 1;
        out->restedForFouls = forFouls ? 1 : 0;
    }
    return true;
}

void CMatch2D::CoachSide(CMatch2DTeam& team, bool home, bool alert) {
    // Either side's substitute has his breath back: one tired himself (the bench rests slowly) would
    // be swapped out again at once, and the two changed places every tick.
    if (alert && playTicks - team.userChangeTick >= CMatch2DTeam::kUserChangeHoldTicks) {
        RestOrReturn(team, home);
    }
    if (team.userTeam) {
        return; // the user's own tactics stay, even in an instant run
    }
    const CMatch2DTeam& other = home ? *awayTeam : *homeTeam;
    if (team.score + 10 < other.score && !scoreGapActive) {
        scoreGapActive = 1;
        // Well behind, the coach tries another offence at once; his defence only in the last
        // quarter, where any of them is a gamble worth taking (a press among them). Every other
        // defence fouls more than the man-to-man the computer starts on: drawn from the first
        // quarter, the changes took its side to 21.9 fouls a match against the user's 19.9 at like
        // tactics in class 0.
        const int attack = GameRand() % 10;
        const int draw = GameRand();
        const int defence = quarter >= 4 ? draw % 9 + 10 : team.defenceTacticId;
        if (home) {
            LoadHomeFormation(attack, defence);
        } else {
            LoadAwayFormation(attack, defence);
        }
    }
}

void CMatch2D::AnnounceLeaving(CMatch2DTeam& team) {
    // Every player of his who must leave is told, each by name, however many at once; the match stops
    // for the window that offers their changes.
    int reason = -1;
    for (int i = 0; i < kCourtPlayers && i < team.PlayerCount(); ++i) {
        const CMatch2DPlayer& p = *team.GetPlayer(i);
        if (p.MatchState() != kOnCourtState || (p.Fouls() < 6 && !p.mustLeave)) {
            continue;
        }
        if (reason < 0) {
            paused = 1;
            if (hooks.substitutionPending) {
                hooks.substitutionPending();
            }
        }
        const int why = p.Fouls() >= 6 ? 0 : 1;
        reason = reason < 0 ? why : reason;
        ShowLeavePopup(p.name, why);
    }
    if (reason < 0) {
        return;
    }
    if (team.FindBenchPlayer() < 0) {
        Forfeit(team);
    } else if (hooks.substituteNeeded) {
        hooks.substituteNeeded(reason);
    }
}

void CMatch2D::HandleLeaving(CMatch2DTeam& team, bool home) {
    if (UserControlled(team)) {
        AnnounceLeaving(team);
        return;
    }
    // A player with six fouls has fouled out, a hurt one cannot go on: each is replaced by the
    // computer's pick, and a side with nobody left to bring on cannot field five and forfeits. A
    // change re-seats the five, so the look starts again after each.
    for (int i = 0; i < kCourtPlayers && i < team.PlayerCount(); ++i) {
        const CMatch2DPlayer& p = *team.GetPlayer(i);
        if (p.MatchState() != kOnCourtState || (p.Fouls() < 6 && !p.mustLeave)) {
            continue;
        }
        // The commentary says why he goes (an exhausted one said it himself).
        if (p.Fouls() >= 6 || !p.exhausted) {
            eventText = EventText(p.Fouls() >= 6 ? kTextFouledOut : kTextHurt);
            eventName = p.name;
            eventSide = home ? 1 : 0;
            PostEvent();
        }
        if (!ForcedChange(team, p.id)) {
            Forfeit(team);
            return;
        }
        i = -1;
    }
}

void CMatch2D::StartBonus(CMatch2DTeam& shooting, CMatch2DTeam& fouling, bool homeShoots) {
    (homeShoots ? homeBonus : awayBonus) = 1;
    shooting.SetAttacking();
    fouling.SetDefending();
    // The fouled player shoots when he is a court player of the shooting side; otherwise its first.
    CMatch2DPlayer* shooter = nullptr;
    for (int i = 0; i < kCourtPlayers; ++i) {
        if (shooting.GetPlayer(i) != nullptr && shooting.GetPlayer(i) == lastFouled) {
            shooter = lastFouled;
        }
    }
    if (shooter == nullptr) {
        shooter = shooting.GetPlayer(0);
    }
    if (shooter != nullptr) {
        shooter->freeThrowShooter = 1;
    }
    homeTeam->ClearReceivers();
    homeTeam->ClearBall();
    awayTeam->ClearReceivers();
    awayTeam->ClearBall();
    if (CMatch2DPlayer* first = shooting.GetPlayer(0)) {
        first->hasBall = 1;
    }
}

void CMatch2D::UpdateRules() {
    UpdateRulesInline();
}

[[gnu::always_inline]] inline void CMatch2D::UpdateRulesInline() {
    ++playTicks;
    if (scoreGapActive && ++scoreGapCounter >= 10000) {
        scoreGapCounter = 0;
        scoreGapActive = 0;
    }
    // Nearly every tick nobody on court is tired, fouled out or hurt: the searches are skipped. A
    // side's own steps are the only ones that change its players, so one look at each suffices.
    // Most ticks fall inside both sides' quiet windows (CourtAlert): no call.
    const auto quiet = [this](const CMatch2DTeam& team) {
        return insideRun && !team.alertEvent && playTicks < team.alertQuietUntil;
    };
    const bool homeAlert = !quiet(*homeTeam) && CourtAlert(*homeTeam);
    const bool awayAlert = !quiet(*awayTeam) && CourtAlert(*awayTeam);
    int id = -1;
    awayMustLeave = awayAlert && awayTeam->HasMustLeaveOnCourt(id) ? 1 : 0;
    homeMustLeave = homeAlert && homeTeam->HasMustLeaveOnCourt(id) ? 1 : 0;
    // Who must leave first (the fouled-out and the hurt take the bench's pick before a rest does),
    // then each side's coach.
    if (homeAlert) {
        HandleLeaving(*homeTeam, true);
        if (IsOver()) {
            return;
        }
    }
    if (awayAlert) {
        HandleLeaving(*awayTeam, false);
        if (IsOver()) {
            return;
        }
    }
    // Without an alert the computer only looks at the score gap: nothing to do on most ticks.
    const auto trailing = [this](const CMatch2DTeam& team, const CMatch2DTeam& other) {
        return !team.userTeam && !scoreGapActive && team.score + 10 < other.score;
    };
    if (homeAlert || trailing(*homeTeam, *awayTeam)) {
        CoachSide(*homeTeam, true, homeAlert);
    }
    if (awayAlert || trailing(*awayTeam, *homeTeam)) {
        CoachSide(*awayTeam, false, awayAlert);
    }
    if (!eventText.IsEmpty() || !eventName.IsEmpty()) {
        eventText = CStr();
        eventName = CStr();
    }
    eventSide = 0;

    const int homeFouls = homeTeam->GetTeamFouls();
    const bool homeInPenalty = homeFouls != lastHomeTeamFouls && homeFouls >= kBonusFouls;
    if (homeInPenalty) {
        lastHomeTeamFouls = homeFouls;
    }
    if (homeInPenalty || pendingFreeThrows == 2) {
        pendingFreeThrows = 0;
        StartBonus(*awayTeam, *homeTeam, false);
    }
    const int awayFouls = awayTeam->GetTeamFouls();
    const bool awayInPenalty = awayFouls != lastAwayTeamFouls && awayFouls >= kBonusFouls;
    if (awayInPenalty) {
        lastAwayTeamFouls = awayFouls;
    }
    if (awayInPenalty || pendingFreeThrows == 1) {
        pendingFreeThrows = 0;
        StartBonus(*homeTeam, *awayTeam, true);
    }

    CMatch2DTeam::UpdateSides(*homeTeam, *awayTeam);

    if (static_cast<int>(possessionTimer) == 22) {
        (homeTeam->attacking ? *homeTeam : *awayTeam).ShotClockViolation();
        SwitchPossession();
    }

    if (shotInFlight && (ball->position - ball->target).LengthSq() <= kBallArrivedSquare) {
        if (!missedShot) {
            shotInFlight = 0;
            PayPendingPoints();
            if (!homeBonus && !awayBonus) {
                SwitchPossession();
            }
        } else {
            const int r = GameRand() % 6 + 1;
            ball->SetTarget(ReboundPoint(static_cast<float>(r)));
            shotInFlight = 0;
            // A miss pays nothing, now or later.
            ClearPendingPoints();
            if (!homeBonus && !awayBonus) {
                ResolveRebound();
            } else {
                missedShot = 0; // no rebound will be taken to release the shot clock
            }
        }
    }
}

bool CMatch2D::CourtAlert(CMatch2DTeam& team) {
    // The full look; UpdateRules skips it inside the quiet window this sets. A court player's step
    // tires him by under kStepDrainBound, and every action (a contest, a pass or shot, a tip-off)
    // pulls the window in by its own worth of steps; fouls, must-leave flags and substitutions mark
    // the team: inside RunTicks the look waits until someone could be tired or something happened.
    // A caller ticking the match by hand (and changing players between ticks) gets a full look every
    // tick.
    bool alert = team.HasCourtAlert(FoulLimit());
    constexpr float kLongestQuiet = 1.0e6f; // a side without players has no margin to divide
    int quietUntil =
        alert ? 0
              : playTicks + static_cast<int>(std::min(
                                team.CourtEnergyMargin() / CMatch2DTeam::kStepDrainBound, kLongestQuiet));
    // A rested starter getting his breath back on the bench: the look comes when he is ready (for the
    // user's side not before the hold after his own change ends).
    int wait = alert ? -1 : team.TicksToStarterReturn(FoulLimit());
    if (wait >= 0 && UserControlled(team)) {
        wait = std::max(wait, team.userChangeTick + CMatch2DTeam::kUserChangeHoldTicks - playTicks);
    }
    if (wait == 0) {
        alert = true;
    } else if (wait > 0) {
        quietUntil = std::min(quietUntil, playTicks + wait);
    }
    team.alertEvent = alert ? 1 : 0;
    team.alertQuietUntil = alert ? 0 : quietUntil;
    return alert;
}

void CMatch2D::SwitchPossession() {
    lastPasser = nullptr;
    possessionChanged = 1;
    possessionTimer = 0.0f;
    const bool homeGetsBall = !homeTeam->attacking;
    CMatch2DTeam& gaining = homeGetsBall ? *homeTeam : *awayTeam;
    CMatch2DTeam& losing = homeGetsBall ? *awayTeam : *homeTeam;
    const Vec3& inbound = homeGetsBall ? homeInbound : awayInbound;
    ball->SetPosition(inbound);
    ball->SetTarget(inbound);
    losing.ClearReceivers();
    losing.ClearBall();
    gaining.attacking = 1;
    losing.attacking = 0;
    homeTeam->GoToSpots();
    awayTeam->GoToSpots();
    gaining.ChaseBall(ball->position);
}

Vec3 CMatch2D::ReboundPoint(float distance) const {
    const Vec3& p = ball->position;
    const Vec3& dir = ball->direction;
    return Vec3(p.x + dir.x * distance, p.y + dir.y * distance, p.z - dir.z * distance);
}

void CMatch2D::ResolveRebound() {
    float dh = 0.0f;
    float da = 0.0f;
    CMatch2DPlayer* home = homeTeam->FindNearest(ball->target, dh, nullptr);
    CMatch2DPlayer* away = awayTeam->FindNearest(ball->target, da, nullptr);
    // In the real game the defenders stand between their men and the basket and box them out; on
    // the flat court they trail the men they mark, so the defending side counts as that much nearer.
    (homeTeam->attacking ? da : dh) -= kBoxOut;
    dh = std::max(dh, 0.0f);
    da = std::max(da, 0.0f);
    CMatch2DPlayer* taker = nullptr;
    if (home == nullptr || away == nullptr) {
        taker = home != nullptr ? home : away;
    } else if (dh < 1.5f && da < 1.5f) {
        // Under the basket the two rebounders contest the ball: each the die and his rebound
        // rating, the nearer on a level roll. When the better rating won every time, the side whose
        // big man rated a point higher took every such ball at both ends: one match in seven ended
        // 25-3 or so in offensive rebounds.
        const int homeRoll = Roll20() + home->ReboundRating();
        const int awayRoll = Roll20() + away->ReboundRating();
        taker = homeRoll != awayRoll ? (homeRoll > awayRoll ? home : away) : (dh < da ? home : away);
    } else {
        taker = dh < da ? home : away;
    }
    if (home != nullptr && away != nullptr) {
        const float gap = FiveStanding(*homeTeam) - FiveStanding(*awayTeam);
        CMatch2DPlayer* better = gap > 0.0f ? home : away;
        if (gap != 0.0f && taker != better && GameRandUnit() < ReboundEdgeChance(gap)) {
            taker = better;
        }
    }
    if (taker == nullptr) {
        return;
    }
    taker->target = ball->target;
    taker->rebound = 1;
    taker->Counter(taker->attacking ? kStatOffensiveRebounds : kStatDefensiveRebounds) += 1;
}

void CMatch2D::PostEvent() {
    if (hooks.commentary) {
        hooks.commentary(eventText, eventName, eventSide != 0);
    }
}

void CMatch2D::ShowLeavePopup(const CStr& name, int reason) {
    if (hooks.leavePopup) {
        hooks.leavePopup(name, reason);
    }
}

bool SetupMatch2D(CMatch2D& match, CTeam* home, CTeam* away, bool userIsHome, bool instant, int userAttack,
                  int userDefence) {
    if (home == nullptr || away == nullptr) {
        return false;
    }
    match.Setup();
    match.instantRun = instant ? 1 : 0;
    match.SetupLineups(home, away, userIsHome);
    match.LoadFormations(20, 21);
    // A tactic id from a damaged career or screen would leave the side without spots: it plays the
    // default offence or defence instead.
    const auto playable = [&match](int id, int fallback, const char* kind) {
        if (match.GetTacticFile(id).IsEmpty()) {
            QuorelLog("[SetupMatch2D] No formation for %s tactic %d; the side plays tactic %d", kind, id,
                      fallback);
            return fallback;
        }
        return id;
    };
    userAttack = playable(userAttack, kDefaultOffence, "offence");
    userDefence = playable(userDefence, kDefaultDefence, "defence");
    match.LoadHomeFormation(userIsHome ? userAttack : 0, userIsHome ? userDefence : 13);
    match.LoadAwayFormation(userIsHome ? 0 : userAttack, userIsHome ? 13 : userDefence);
    match.running = 1;
    match.ticksPerFrame = instant ? kInstantTicksPerFrame : 1;
    return true;
}

InstantMatchResult RunInstantMatch(CMatch2D& match, CTeam* home, CTeam* away, bool userIsHome, int userAttack,
                                   int userDefence) {
    InstantMatchResult result;
    if (!SetupMatch2D(match, home, away, userIsHome, true, userAttack, userDefence)) {
        return result;
    }
    result.ticks = match.RunTicks(match.ticksPerFrame);
    match.running = 0;
    match.instantRun = 0;
    result.finished = match.IsOver();
    result.forfeit = match.forfeited != 0;
    result.homeScore = match.GetHomeTeam()->score;
    result.awayScore = match.GetAwayTeam()->score;
    return result;
}
