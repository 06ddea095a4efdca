// Seeded headless 3D matches and their box-score figures.
#include "match3d/BoxScoreBatch.h"

#include "database/Records.h"
#include "engine/GameRand.h"
#include "match/Formation.h"
#include "match3d/HeadlessMatch.h"
#include "match3d/Match3D.h"
#include "match3d/MatchClock.h"
#include "match3d/MatchTeam.h"
#include "match3d/SceneLoader.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

// Attribute entries of a shot (as the court player's checks number them).
constexpr int kEntryShootingSkill = 5;
constexpr int kEntryTwoPointSkill = 7;
constexpr int kEntryThreePointSkill = 8;

class QuietHost : public IMatchSceneHost {
public:
    void SetWaitCaption(int) override {}
    void SetProgress(int, int) override {}
    void SetArena(int, int) override {}
    void ShowStreetballImage() override {}
    void SetTrackingPoint(const Vec3&) override {}
};

Match3DBox BoxOf(const CMatchTeam& team) {
    Match3DBox box;
    for (const CCourtPlayer* p : team.players) {
        box.twoTaken += p->twoPointAttempts;
        box.twoMade += p->twoPointersMade;
        box.threesTaken += p->threePointAttempts;
        box.threesMade += p->threePointersMade;
        box.freeThrowsTaken += p->freeThrowsAttempted;
        box.freeThrowsMade += p->freeThrowsMade;
        box.offensiveRebounds += p->offensiveRebounds;
        box.defensiveRebounds += p->defensiveRebounds;
        box.steals += p->steals;
        box.blocks += p->blocks;
        box.fouls += p->foulsCharged;
        box.foulLimits += p->personalFouls >= 6 ? 1 : 0;
        box.injuries += p->injured != 0 ? 1 : 0;
        box.exhausted += p->exhausted != 0 ? 1 : 0;
        box.badPasses += p->badPasses;
        box.turnovers += p->turnovers;
        box.seconds += p->secondsOnCourt;
    }
    for (int i = 0; i < team.OnCourtCount(); ++i) {
        const CCourtPlayer* p = team.GetPlayer(i);
        ++box.finalFive;
        box.offPosition += OffPosition(p->positionId, p->courtPositionId) ? 1 : 0;
        const int own = p->positionId;
        const int role = p->courtPositionId;
        box.guardCentreSwaps += (own == kPositionPointGuard && role == kPositionCentre) ||
                                        (own == kPositionCentre && role == kPositionPointGuard)
                                    ? 1
                                    : 0;
    }
    box.substitutions = team.substitutions;
    box.points = 2 * box.twoMade + 3 * box.threesMade + box.freeThrowsMade;
    return box;
}

int Median(std::vector<int> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

void Match3DBox::Add(const Match3DBox& o) {
    points += o.points;
    twoTaken += o.twoTaken;
    twoMade += o.twoMade;
    threesTaken += o.threesTaken;
    threesMade += o.threesMade;
    freeThrowsTaken += o.freeThrowsTaken;
    freeThrowsMade += o.freeThrowsMade;
    offensiveRebounds += o.offensiveRebounds;
    blocks += o.blocks;
    defensiveRebounds += o.defensiveRebounds;
    steals += o.steals;
    fouls += o.fouls;
    foulLimits += o.foulLimits;
    injuries += o.injuries;
    exhausted += o.exhausted;
    badPasses += o.badPasses;
    turnovers += o.turnovers;
    shotClockViolations += o.shotClockViolations;
    possessions += o.possessions;
    longestPossession = std::max(longestPossession, o.longestPossession);
    longestChange = std::max(longestChange, o.longestChange);
    freeThrowClockSeconds += o.freeThrowClockSeconds;
    periodsEndedOwingThrows += o.periodsEndedOwingThrows;
    longestDeadBall = std::max(longestDeadBall, o.longestDeadBall);
    longDeadBallMatches += o.longDeadBallMatches;
    longestLineUp = std::max(longestLineUp, o.longestLineUp);
    substitutions += o.substitutions;
    starterSeconds += o.starterSeconds;
    starters += o.starters;
    startersInBand += o.startersInBand;
    startersUnder += o.startersUnder;
    finalFive += o.finalFive;
    offPosition += o.offPosition;
    guardCentreSwaps += o.guardCentreSwaps;
    seconds += o.seconds;
    periodSeconds += o.periodSeconds;
}

int Match3DBatchFigures::MedianPoints() const {
    return Median(sidePoints);
}

int Match3DBatchFigures::MedianMargin() const {
    return Median(margins);
}

std::unique_ptr<CMatch3D> LoadSeededMatch3D(CTeam& home, CTeam& away, unsigned seed, bool models,
                                            bool watched, const UserTactics& tactics,
                                            const UserTactics* computer, bool userAtHome) {
    GameSrand(seed);
    MatchSceneSetup setup;
    setup.home = &home;
    setup.away = &away;
    setup.userAtHome = userAtHome;
    setup.userClubId = userAtHome ? home.id : away.id;
    setup.userAttack = tactics.attack;
    setup.userDefence = tactics.defence;
    setup.modelSkip = !models;
    QuietHost host;
    std::atomic<uint8_t> wait{0};
    std::unique_ptr<CMatch3D> match = LoadMatchScene(setup, host, wait);
    match->textSource = [](int) { return CStr(); };
    if (computer != nullptr) {
        if (userAtHome)
            match->PlaceAwayTeam(computer->attack, computer->defence);
        else
            match->PlaceHomeTeam(computer->attack, computer->defence);
    }
    // Both sides on the computer's coaching: the scene makes one of them the user's, and with no user
    // to answer the tactics window that side never rested a tired player or one at his fifth foul.
    match->homeTeam->isUserTeam = watched && userAtHome ? 1 : 0;
    match->awayTeam->isUserTeam = watched && !userAtHome ? 1 : 0;
    return match;
}

Match3DBox PlaySeededMatch3D(CTeam& home, CTeam& away, unsigned seed, bool models, Match3DBox& awayBox,
                             bool& finished, bool& consistent, Match3DMatchFacts* facts, bool watched,
                             const Match3DPlay& play, const UserTactics& tactics, const UserTactics* computer,
                             bool userAtHome) {
    std::unique_ptr<CMatch3D> match =
        LoadSeededMatch3D(home, away, seed, models, watched, tactics, computer, userAtHome);
    std::vector<const CCourtPlayer*> starters;
    for (const CMatchTeam* team : {match->homeTeam, match->awayTeam})
        for (int i = 0; i < team->OnCourtCount(); ++i)
            starters.push_back(team->GetPlayer(i));
    CHeadlessDisplay display;
    // The shown match's steps and display clock; with models the characters' court motion moves them.
    HeadlessMatchOptions options;
    double possession = 0.0;
    double change = 0.0;
    double longestPossession = 0.0;
    double longestChange = 0.0;
    int attackingSide = -1;
    int possessions[2] = {0, 0};
    int ballSide = -1;
    bool levelAfterFour = false;
    bool throwsBefore = false;
    double clockBefore = 0.0;
    int periodBefore = 0;
    int freeThrowClock = 0;
    int endedOwing = 0;
    double dead = 0.0;
    double longestDead = 0.0;
    double lineUp = 0.0;
    double longestLineUp = 0.0;
    const Match3DStepWatch watch = [&](const CMatch3D& m, int period) {
        // The clock read here counted the steps before this one: a second it gained since the last
        // step ran with that step's free throws under way.
        const double clock = m.GameClock();
        if (throwsBefore && period == periodBefore && clock > clockBefore)
            freeThrowClock += static_cast<int>(clock - clockBefore);
        if (throwsBefore && (period != periodBefore || m.flags.betweenQuarters))
            ++endedOwing;
        throwsBefore = m.flags.freeThrows != 0 && !m.flags.betweenQuarters;
        clockBefore = clock;
        periodBefore = period;
        // A step is 0.02 s of wall time at normal speed, whether the clock runs or not. The ball is
        // dead for a change, a throw-in not yet thrown and free throws not yet thrown (from the foul
        // to the first throw, and between the throws); the shooter's part of it is counted apart too.
        const bool atLine = m.flags.freeThrows && m.ball && m.ball->IsHeld();
        const bool deadBall = m.flags.quarter > 0 && !m.flags.betweenQuarters &&
                              (m.flags.substitutionPhase || (m.flags.inbound && !m.inboundThrown) || atLine);
        dead = deadBall ? dead + CMatchClock::kStep : 0.0;
        longestDead = std::max(longestDead, dead);
        lineUp = atLine ? lineUp + CMatchClock::kStep : 0.0;
        longestLineUp = std::max(longestLineUp, lineUp);
        // A possession is the ball taken by the other side (or at a period's tip-off); the clock
        // counts the step after this one, so the fourth quarter's last step still reads quarter 4.
        const int holding = m.homeTeam->GetPlayer(0)->attacking ? 0 : 1;
        if (m.flags.quarter > 0 && !m.flags.betweenQuarters && holding != ballSide) {
            ++possessions[holding];
            ballSide = holding;
        }
        if (m.flags.betweenQuarters)
            ballSide = -1;
        if (period == CMatchClock::kQuarters)
            levelAfterFour = m.homeScore == m.awayScore;
        const double dt = CMatchClock::kStep;
        const MatchFlags& f = m.flags;
        const int side = m.homeTeam->GetPlayer(0)->attacking ? 0 : 1;
        // A possession runs from the ball won (a throw-in and a change made on the way count in it)
        // until a shot, free throws, the quarter's end or the other side taking the ball.
        const bool live =
            f.quarter > 0 && !f.betweenQuarters && !f.shotInFlight && !f.freeThrows && f.shooter == nullptr;
        possession = live && side == attackingSide ? possession + dt : 0.0;
        attackingSide = side;
        const bool changing = f.substitutionRequested || f.substitutionPhase;
        change = changing ? change + dt : 0.0;
        longestPossession = std::max(longestPossession, possession);
        longestChange = std::max(longestChange, change);
    };
    options.afterStep = [&](const CMatch3D& m) { watch(m, display.clock.quarter); };
    int played = 0;
    if (play) {
        finished = play(*match, played, watch);
    } else {
        PlayHeadlessMatch(*match, display, options);
        finished = display.clock.over;
        played = display.clock.quarter;
    }
    Match3DBox homeBox = BoxOf(*match->homeTeam);
    awayBox = BoxOf(*match->awayTeam);
    for (const CCourtPlayer* p : starters) {
        Match3DBox& box = p->side == 0 ? homeBox : awayBox;
        box.starterSeconds += p->secondsOnCourt;
        ++box.starters;
        box.startersInBand += p->secondsOnCourt >= 24 * 60 && p->secondsOnCourt <= 38 * 60 ? 1 : 0;
        box.startersUnder += p->secondsOnCourt < 24 * 60 ? 1 : 0;
    }
    const int periods = std::max(played, CMatchClock::kQuarters);
    homeBox.periodSeconds = awayBox.periodSeconds =
        static_cast<int>(CMatchClock::kQuarters * CMatchClock::kQuarterSeconds +
                         (periods - CMatchClock::kQuarters) * CMatchClock::kOvertimeSeconds);
    homeBox.longestPossession = awayBox.longestPossession = longestPossession;
    homeBox.longestChange = awayBox.longestChange = longestChange;
    // The last step's throws, when the final whistle came with them still owed.
    homeBox.freeThrowClockSeconds = freeThrowClock;
    homeBox.periodsEndedOwingThrows = endedOwing + (finished && match->flags.freeThrows ? 1 : 0);
    homeBox.longestDeadBall = awayBox.longestDeadBall = longestDead;
    homeBox.longestLineUp = awayBox.longestLineUp = longestLineUp;
    homeBox.longDeadBallMatches = longestDead > kLongestDeadBallSeconds ? 1 : 0;
    consistent = homeBox.points == match->homeTeam->score && awayBox.points == match->awayTeam->score;
    homeBox.possessions = possessions[0];
    awayBox.possessions = possessions[1];
    homeBox.shotClockViolations = match->shotClockViolations[0];
    awayBox.shotClockViolations = match->shotClockViolations[1];
    if (facts != nullptr) {
        facts->levelAfterFour = levelAfterFour;
        facts->overtimes = std::max(0, played - CMatchClock::kQuarters);
    }
    return homeBox;
}

size_t BatchOpponent(size_t index, size_t clubs) {
    if (clubs < 2)
        return 0;
    return (index + 1 + (index / clubs) % (clubs - 1)) % clubs;
}

bool OffPosition(int ownPosition, int role) {
    // Two half steps make a position: a small forward at power forward is one position over.
    const int distance = PositionDistance(ownPosition, role);
    return distance > 2 && distance != kFarPosition;
}

Match3DBatchFigures PlayMatch3DBatch(const std::vector<CTeam*>& clubs, int count, unsigned seed, bool models,
                                     bool watched, const Match3DPlay& play, const UserTactics& tactics,
                                     const UserTactics* computer) {
    Match3DBatchFigures f;
    if (clubs.size() < 2)
        return f;
    for (int i = 0; i < count; ++i) {
        const size_t n = clubs.size();
        // A watched batch plays each seeded fixture twice, the user's side once at home and once away:
        // the two ends of the court are not alike (a user always at home measured the tactics and the
        // end together), and neither are the clubs. Taking the home club in even matches and the away
        // club in odd ones of fixtures all different, the user coached the even-numbered clubs of a
        // class three times in four and won 61.7 % of 600 matches (stand-in clips); the other clubs of the
        // same fixtures won him 48.5 %.
        const int fixture = watched ? i / 2 : i;
        CTeam& home = *clubs[static_cast<size_t>(fixture) % n];
        CTeam& away = *clubs[BatchOpponent(static_cast<size_t>(fixture), n)];
        const bool userAtHome = !watched || i % 2 == 0;
        Match3DBox awayBox;
        bool finished = false;
        bool consistent = false;
        const Match3DBox homeBox =
            PlaySeededMatch3D(home, away, seed + static_cast<unsigned>(fixture), models, awayBox, finished,
                              consistent, nullptr, watched, play, tactics, computer, userAtHome);
        f.userClubs.push_back(userAtHome ? home.id : away.id);
        f.otherClubs.push_back(userAtHome ? away.id : home.id);
        const Match3DBox& userBox = userAtHome ? homeBox : awayBox;
        const Match3DBox& otherBox = userAtHome ? awayBox : homeBox;
        f.userTotal.Add(userBox);
        f.AddMatch(homeBox, awayBox, finished, consistent);
        f.userWins += userBox.points > otherBox.points ? 1 : 0;
        f.userHomeWins += userAtHome && userBox.points > otherBox.points ? 1 : 0;
        f.userHomeMatches += userAtHome ? 1 : 0;
        f.userMarginSum += userBox.points - otherBox.points;
    }
    return f;
}

Match3DVersus PlayMatch3DVersus(const std::vector<CTeam*>& first, const std::vector<CTeam*>& second,
                                int count, unsigned seed, bool models, bool watched,
                                const Match3DPlay& play) {
    Match3DVersus v;
    if (first.empty() || second.empty())
        return v;
    for (int i = 0; i < count; ++i) {
        CTeam& a = *first[static_cast<size_t>(i) % first.size()];
        CTeam& b = *second[(static_cast<size_t>(i) / first.size()) % second.size()];
        const bool aHome = i % 2 == 0;
        Match3DBox awayBox;
        bool finished = false;
        bool consistent = false;
        const Match3DBox homeBox =
            PlaySeededMatch3D(aHome ? a : b, aHome ? b : a, seed + static_cast<unsigned>(i), models, awayBox,
                              finished, consistent, nullptr, watched, play);
        ++v.matches;
        v.unfinished += finished ? 0 : 1;
        v.level += homeBox.points == awayBox.points ? 1 : 0;
        v.firstBox.Add(aHome ? homeBox : awayBox);
        v.secondBox.Add(aHome ? awayBox : homeBox);
        const int aPoints = aHome ? homeBox.points : awayBox.points;
        const int bPoints = aHome ? awayBox.points : homeBox.points;
        v.firstWins += aPoints > bPoints ? 1 : 0;
    }
    return v;
}

double StartersShotStrength(const CMatchTeam& team) {
    // About three shots in four are twos.
    constexpr double kTwoShare = 0.75;
    double total = 0.0;
    int starters = 0;
    for (int i = 0; i < team.OnCourtCount(); ++i) {
        const CCourtPlayer* p = team.GetPlayer(i);
        if (p == nullptr)
            continue;
        const double skill = kTwoShare * p->Attribute(kEntryTwoPointSkill) +
                             (1.0 - kTwoShare) * p->Attribute(kEntryThreePointSkill);
        total += skill + p->Attribute(kEntryShootingSkill) / 10 + (p->height - 200) / 10 +
                 p->MoraleModifier() + p->StaminaModifier() + p->AggressionModifier();
        ++starters;
    }
    return starters > 0 ? total / starters : 0.0;
}

double SquadStrength(CTeam& club) {
    // The squad set up as for a match (against itself: only its own roster is read), no models.
    std::unique_ptr<CMatch3D> match = LoadSeededMatch3D(club, club, 1, false);
    return StartersShotStrength(*match->homeTeam);
}

std::vector<CTeam*> ByStrength(std::vector<CTeam*> clubs) {
    std::vector<std::pair<double, CTeam*>> rated;
    for (CTeam* club : clubs)
        rated.emplace_back(SquadStrength(*club), club);
    std::stable_sort(rated.begin(), rated.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (size_t i = 0; i < rated.size(); ++i)
        clubs[i] = rated[i].second;
    return clubs;
}

std::unique_ptr<ShiftedClub> ShiftClub(const CTeam& club, int shift, const std::vector<int>& skills) {
    // Far above any id the generated world or a career hands out.
    constexpr int32_t kShiftedIds = 50000000;
    constexpr int kUncounted = 13; // the skill the overall rating leaves out
    auto shifted = std::make_unique<ShiftedClub>();
    shifted->team = club.CopyFields();
    shifted->team.id = club.id + kShiftedIds;
    for (const CPlayer* record : club.players) {
        if (record == nullptr)
            continue;
        auto copy = std::make_unique<CPlayer>(record->CopyFields());
        copy->id = record->id + kShiftedIds;
        copy->teamId = shifted->team.id;
        for (int s = 1; s <= kSkillCount; ++s) {
            const bool listed = std::find(skills.begin(), skills.end(), s) != skills.end();
            if (skills.empty() ? s != kUncounted : listed)
                copy->SkillValue(s) += shift;
        }
        shifted->team.players.push_back(copy.get());
        shifted->players.push_back(std::move(copy));
    }
    return shifted;
}

void PrintMatch3DHeader() {
    std::printf("| batch | matches | pts | FGA | FG%% | 2PA | 2P%% | 3PA | 3P%% | FTA | FT%% | OReb | DReb | "
                "OReb%% | Stl | Blk | TO "
                "| Fouls | at 6 | hurt | bad passes | margin | unfinished | level | off | possessions |\n");
    for (int column = 0; column < 26; ++column)
        std::printf("|---");
    std::printf("|\n");
}

void PrintMatch3DRow(const char* label, const Match3DBatchFigures& f) {
    const Match3DBox& t = f.total;
    auto pct = [](int made, int taken) { return taken > 0 ? 100.0 * made / taken : 0.0; };
    std::printf("| %s | %d | %d | %.0f | %.0f | %.0f | %.0f | %.0f | %.0f | %.0f | %.0f | %.1f | %.1f | %.0f "
                "| %.1f | %.1f | %.1f | "
                "%.1f | %.2f | %.2f | %.1f | %d | %d | %d | %d | %.1f |\n",
                label, f.matches, f.MedianPoints(), f.PerSide(t.FieldGoalsTaken()),
                pct(t.FieldGoalsMade(), t.FieldGoalsTaken()), f.PerSide(t.twoTaken),
                pct(t.twoMade, t.twoTaken), f.PerSide(t.threesTaken), pct(t.threesMade, t.threesTaken),
                f.PerSide(t.freeThrowsTaken), pct(t.freeThrowsMade, t.freeThrowsTaken),
                f.PerSide(t.offensiveRebounds), f.PerSide(t.defensiveRebounds),
                pct(t.offensiveRebounds, t.offensiveRebounds + t.defensiveRebounds), f.PerSide(t.steals),
                f.PerSide(t.blocks), f.PerSide(t.turnovers), f.PerSide(t.fouls), f.PerSide(t.foulLimits),
                f.PerSide(t.injuries), f.PerSide(t.badPasses), f.MedianMargin(), f.unfinished, f.level, f.off,
                f.PerSide(t.possessions));
}

void PrintMatch3DSideHeader() {
    std::printf(
        "| batch | side | pts | FGA | FG%% | 3PA | 3P%% | FTA | FT%% | OReb | OReb%% of its misses | Stl | "
        "Blk | TO | Fouls | possessions |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
}

void PrintMatch3DSideRows(const char* label, const Match3DBatchFigures& f) {
    const Match3DBox& home = f.userTotal;
    const Match3DBox& t = f.total;
    Match3DBox away;
    away.points = t.points - home.points;
    away.twoTaken = t.twoTaken - home.twoTaken;
    away.twoMade = t.twoMade - home.twoMade;
    away.threesTaken = t.threesTaken - home.threesTaken;
    away.threesMade = t.threesMade - home.threesMade;
    away.freeThrowsTaken = t.freeThrowsTaken - home.freeThrowsTaken;
    away.freeThrowsMade = t.freeThrowsMade - home.freeThrowsMade;
    away.offensiveRebounds = t.offensiveRebounds - home.offensiveRebounds;
    away.defensiveRebounds = t.defensiveRebounds - home.defensiveRebounds;
    away.steals = t.steals - home.steals;
    away.blocks = t.blocks - home.blocks;
    away.turnovers = t.turnovers - home.turnovers;
    away.fouls = t.fouls - home.fouls;
    away.possessions = t.possessions - home.possessions;
    auto pct = [](int part, int whole) { return whole > 0 ? 100.0 * part / whole : 0.0; };
    auto each = [&f](int value) { return f.matches > 0 ? static_cast<double>(value) / f.matches : 0.0; };
    auto row = [&](const char* side, const Match3DBox& b, const Match3DBox& other) {
        std::printf(
            "| %s | %s | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | "
            "%.1f | %.1f | %.1f |\n",
            label, side, each(b.points), each(b.FieldGoalsTaken()),
            pct(b.FieldGoalsMade(), b.FieldGoalsTaken()), each(b.threesTaken),
            pct(b.threesMade, b.threesTaken), each(b.freeThrowsTaken),
            pct(b.freeThrowsMade, b.freeThrowsTaken), each(b.offensiveRebounds),
            pct(b.offensiveRebounds, b.offensiveRebounds + other.defensiveRebounds), each(b.steals),
            each(b.blocks), each(b.turnovers), each(b.fouls), each(b.possessions));
    };
    row("user", home, away);
    row("other", away, home);
}

void PrintMatch3DTimeHeader() {
    std::printf(
        "| batch | matches | changes a match | starter's minutes | a side's minutes (of) | hurt a side | "
        "user's side: changes | starter's minutes | hurt |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
}

void PrintMatch3DTimeRow(const char* label, const Match3DBatchFigures& f, bool watched) {
    const Match3DBox& t = f.total;
    const Match3DBox& u = f.userTotal;
    const int matches = std::max(1, f.matches);
    auto minutes = [](int seconds, int count) { return count > 0 ? seconds / 60.0 / count : 0.0; };
    std::printf("| %s | %d | %.1f | %.1f | %.1f (%.1f) | %.2f |", label, f.matches,
                static_cast<double>(t.substitutions) / matches, minutes(t.starterSeconds, t.starters),
                minutes(t.seconds, 2 * matches), minutes(t.periodSeconds, 2 * matches) * 5.0,
                f.PerSide(t.injuries));
    if (watched)
        std::printf(" %.1f | %.1f | %.2f |\n", static_cast<double>(u.substitutions) / matches,
                    minutes(u.starterSeconds, u.starters), static_cast<double>(u.injuries) / matches);
    else
        std::printf(" - | - | - |\n");
}

void PrintMatch3DChangesHeader() {
    std::printf("| batch | side | fouled out a match | final five off position | PG/C swapped | starters in "
                "24-38 min (under) | changes a match | exhausted a match | hurt a match |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
}

namespace {

Match3DBox Minus(const Match3DBox& a, const Match3DBox& b) {
    Match3DBox d;
    d.foulLimits = a.foulLimits - b.foulLimits;
    d.finalFive = a.finalFive - b.finalFive;
    d.offPosition = a.offPosition - b.offPosition;
    d.guardCentreSwaps = a.guardCentreSwaps - b.guardCentreSwaps;
    d.starters = a.starters - b.starters;
    d.startersInBand = a.startersInBand - b.startersInBand;
    d.startersUnder = a.startersUnder - b.startersUnder;
    d.substitutions = a.substitutions - b.substitutions;
    d.exhausted = a.exhausted - b.exhausted;
    d.injuries = a.injuries - b.injuries;
    return d;
}

void PrintChangesRow(const char* label, const char* side, const Match3DBox& b, double sides) {
    auto pct = [](int part, int whole) { return whole > 0 ? 100.0 * part / whole : 0.0; };
    auto each = [sides](int value) { return sides > 0 ? value / sides : 0.0; };
    std::printf("| %s | %s | %.2f | %.1f %% | %d | %.0f %% (%.0f %%) | %.1f | %.2f | %.2f |\n", label, side,
                each(b.foulLimits), pct(b.offPosition, b.finalFive), b.guardCentreSwaps,
                pct(b.startersInBand, b.starters), pct(b.startersUnder, b.starters), each(b.substitutions),
                each(b.exhausted), each(b.injuries));
}

} // namespace

void PrintMatch3DChangesRows(const char* label, const Match3DBatchFigures& f, bool watched) {
    if (!watched) {
        PrintChangesRow(label, "either", f.total, 2.0 * f.matches);
        return;
    }
    PrintChangesRow(label, "user", f.userTotal, f.matches);
    PrintChangesRow(label, "computer", Minus(f.total, f.userTotal), f.matches);
}

void Match3DBatchFigures::AddMatch(const Match3DBox& home, const Match3DBox& away, bool finished,
                                   bool consistent) {
    ++matches;
    unfinished += finished ? 0 : 1;
    level += home.points == away.points ? 1 : 0;
    off += consistent ? 0 : 1;
    total.Add(home);
    total.Add(away);
    sidePoints.push_back(home.points);
    sidePoints.push_back(away.points);
    margins.push_back(std::abs(home.points - away.points));
}
