// Skill checks against the tables: the reach bands of the jump and steal contests, the second die
// that hurts or fouls, the keys of the modifier tables, the two/three-point split and the pass check.
#include "FakeMatch.h"

#include <gtest/gtest.h>

#include <utility>

using match3dtest::FakeMatch;
using match3dtest::RawForRoll;

namespace {

struct ChecksFixture : ::testing::Test {
    FakeMatch match;
    CCourtPlayer& p = match.Home(0);
    CCourtPlayer& other = match.Away(0);
    void SetUp() override {
        // One target per reach band, so the band a distance falls in shows in the die it needs.
        match.SetCurve(MatchCurve::BallStealth, {{0.0f, 10}, {0.5f, 11}, {1.0f, 12}, {1.5f, 13}, {2.0f, 14}});
        p.position = Vec3(0, 0, 0);
        p.height = 200;
        other.height = 200;
    }
    // The shots p makes from where he stands, one on each face of the die.
    int ShotsMadeOverEveryFace() {
        int scores = 0;
        for (int face = 0; face < 20; ++face) {
            match.ScriptRolls({face});
            p.ShotCheck();
            scores += p.shotScores;
        }
        return scores;
    }
};

} // namespace

TEST_F(ChecksFixture, ReachCheckBandsAreLowerInclusive) {
    const struct {
        float distance;
        int target;
    } cases[] = {{0.0f, 10}, {0.49f, 10}, {0.5f, 11}, {0.99f, 11}, {1.0f, 12},
                 {1.5f, 13}, {1.99f, 13}, {2.0f, 14}, {2.5f, 14},  {9.0f, 14}};
    for (const auto& c : cases) {
        const Vec3 point(c.distance, 0, 0);
        match.ScriptRolls({c.target}); // equal to the target: success
        EXPECT_EQ(p.SkillCheck(point), kCheckSucceeded) << c.distance;
        match.ScriptRolls({c.target - 1, 5});
        EXPECT_EQ(p.SkillCheck(point), kCheckFailed) << c.distance;
    }
    EXPECT_TRUE(match.script.empty());
    EXPECT_EQ(p.injured + p.personalFouls, 0);
}

TEST_F(ChecksFixture, FailedReachCheckHurtsOnTwentyAndFoulsOnNineteen) {
    const Vec3 point(0, 0, 0);
    match.ScriptRolls({0, 19});
    EXPECT_EQ(p.SkillCheck(point), kCheckFoul);
    EXPECT_EQ(p.personalFouls, 1);
    EXPECT_EQ(p.foulsCharged, 1) << "in the table as on his card";
    EXPECT_EQ(p.injured, 0);
    match.ScriptRolls({0, 20});
    EXPECT_EQ(p.SkillCheck(point), kCheckHurt);
    EXPECT_EQ(p.injured, 1);
    // The jump skill counts whole.
    p.attributes[14] = 10;
    match.ScriptRolls({0});
    EXPECT_EQ(p.SkillCheck(point), kCheckSucceeded);
}

TEST_F(ChecksFixture, ContestIsOutOfReachFromTwoAndAHalfAndUsesTheHandlersHeightAndHandling) {
    match.ScriptRolls({14});
    other.position = Vec3(2.0f, 0, 0);
    EXPECT_EQ(p.ContestCheck(&other), kCheckSucceeded);
    other.position = Vec3(2.49f, 0, 0);
    match.ScriptRolls({13, 0});
    EXPECT_EQ(p.ContestCheck(&other), kCheckFailed);
    other.position = Vec3(2.5f, 0, 0);
    const int draws = match.draws;
    EXPECT_EQ(p.ContestCheck(&other), kContestOutOfReach);
    EXPECT_EQ(match.draws, draws);
    EXPECT_EQ(p.ContestCheck(nullptr), kCheckFailed);

    // 185 cm is -1, and entry 6 of the handler adds whole: 13 - 1 + 2 = 14.
    other.position = Vec3(2.0f, 0, 0);
    other.height = 185;
    other.attributes[5] = 2;
    match.ScriptRolls({13});
    EXPECT_EQ(p.ContestCheck(&other), kCheckSucceeded);
    other.height = 195; // 0, not -1
    other.attributes[5] = 0;
    match.ScriptRolls({14});
    EXPECT_EQ(p.ContestCheck(&other), kCheckSucceeded);
}

TEST_F(ChecksFixture, FailedContestHurtsTheHandlerOnTwentyAndFoulsOnNineteen) {
    other.position = Vec3(1.0f, 0, 0);
    match.ScriptRolls({0, 19});
    EXPECT_EQ(p.ContestCheck(&other), kContestFoul);
    EXPECT_EQ(p.personalFouls, 0);
    match.ScriptRolls({0, 20});
    EXPECT_EQ(p.ContestCheck(&other), kCheckFailed);
    EXPECT_EQ(other.injured, 1);
    EXPECT_EQ(p.injured, 0);
}

TEST_F(ChecksFixture, ContestsAndShotChallengesAreReadAtTheClubsLevel) {
    other.position = Vec3(1.0f, 0, 0); // band 1.0: target 12, at level 1.5 it is 18
    p.contestLevelFactor = 1.5f;
    p.levelFactor = 3.0f; // the shots' level leaves a contest alone
    match.ScriptRolls({17, 0});
    EXPECT_EQ(p.ContestCheck(&other), kCheckFailed);
    match.ScriptRolls({18});
    EXPECT_EQ(p.ContestCheck(&other), kCheckSucceeded);
    // A shot challenge uses the challenger's own height and defence; it fouls only when it fails
    // and the second die shows a foul face, and never hurts anybody.
    p.height = 210; // +1
    p.attributes[5] = 3;
    match.ScriptRolls({14});
    EXPECT_FALSE(p.ShotFoulCheck(other)) << "a clean challenge";
    match.ScriptRolls({13, kShotFoulFrom});
    EXPECT_TRUE(p.ShotFoulCheck(other));
    match.ScriptRolls({13, kShotFoulFrom - 1});
    EXPECT_FALSE(p.ShotFoulCheck(other));
    match.ScriptRolls({0, 20});
    EXPECT_TRUE(p.ShotFoulCheck(other));
    EXPECT_EQ(other.injured + p.injured, 0);
    other.position = Vec3(2.5f, 0, 0);
    const int draws = match.draws;
    EXPECT_FALSE(p.ShotFoulCheck(other));
    EXPECT_EQ(match.draws, draws) << "out of reach: no challenge";
    EXPECT_TRUE(match.script.empty());
}

TEST_F(ChecksFixture, ModifierKeysRoundStaminaAndTruncateMoraleAndAggression) {
    // The pass check has no die: passing + stamina + aggression + morale against the distance's row.
    match.SetCurve(MatchCurve::Stamina, {{30.0f, 5}, {40.0f, -5}});
    match.SetCurve(MatchCurve::Morale, {{50.0f, 3}, {60.0f, 100}});
    match.SetCurve(MatchCurve::Aggression, {{70.0f, 2}});
    match.SetCurve(MatchCurve::PassingTargets, {{3.0f, 20}, {4.0f, 50}});
    CCourtPlayer& mate = match.Home(1);
    mate.position = Vec3(3.99f, 0, 0);
    p.attributes[13] = 10; // passing
    p.attributes[0] = 59;  // morale keys 50
    p.attributes[10] = 79; // aggression keys 70
    // The table is read the offset below the stamina.
    const float k = CCourtPlayer::kStaminaKeyOffset;
    const struct {
        float stamina;
        int result;
    } cases[] = {{34.9f + k, 1}, {35.0f + k, 0}, {25.0f + k, 1}, {44.9f + k, 0}};
    for (const auto& c : cases) {
        p.stamina = c.stamina;
        EXPECT_EQ(p.PassCheck(mate), c.result) << c.stamina;
    }
    p.stamina = 34.9f + k;
    mate.position = Vec3(4.0f, 0, 0); // the next row
    EXPECT_EQ(p.PassCheck(mate), kCheckFailed);
    EXPECT_EQ(match.draws, 0);
}

// The raw draw whose steal die (the percent draw weighed) comes to at least value.
int RawForStealDie(float value) {
    return match3dtest::RawForPercent((value + (kStealDieWeight - 1.0f) * kStealDieFrom) / kStealDieWeight *
                                      5.0);
}

TEST_F(ChecksFixture, APokeReadsThePokersStealSkillNotTheHandlersBall) {
    // The flat court's contest: his die and steal skill (the reach checks' skill) against the band's
    // target at his level; the handler's height and handling do not count.
    other.position = Vec3(1.0f, 0, 0);
    p.attributes[14] = 4;
    p.contestLevelFactor = 1.5f; // 12 at 1.0 m becomes 18
    other.height = 230;
    other.attributes[5] = 40;
    match.Script({RawForStealDie(14.0f)});
    EXPECT_EQ(other.Attribute(6), 40);
    EXPECT_EQ(p.PokeCheck(other, 19), kCheckSucceeded);
    match.Script({RawForStealDie(13.9f), RawForRoll(18)});
    EXPECT_EQ(p.PokeCheck(other, 19), kCheckFailed);
    // Only the 19 and up on the second die fouls, and nobody gets hurt.
    match.Script({RawForStealDie(13.9f), RawForRoll(20)});
    EXPECT_EQ(p.PokeCheck(other, 19), kContestFoul);
    EXPECT_EQ(other.injured, 0);
    other.position = Vec3(2.5f, 0, 0);
    EXPECT_EQ(p.PokeCheck(other, 19), kContestOutOfReach);
}

// A table row that the weighed shot die clears from this face on (everything else adds nothing).
float RowForFace(float face) {
    return kShotDieWeight * face - (kShotDieWeight - 1.0f) * kShotDieMean;
}
// The same for a three, which reads its table a little above the club's level (here 1).
float ThreeRowForFace(float face) {
    return RowForFace(face) / (1.0f + kThreeLevelShift);
}

TEST_F(ChecksFixture, ShotsAreThreesBeyondTheArcAndReadTheRowOfTheTrueDistance) {
    match.SetCurve(MatchCurve::TwoPoint,
                   {{5.0f, RowForFace(10)}, {4.0f, RowForFace(8)}, {6.0f, RowForFace(11)}});
    match.SetCurve(MatchCurve::ThreePoint, {{6.0f, ThreeRowForFace(12.5f)}, {7.0f, ThreeRowForFace(15)}});
    // The home side attacks the basket at (0, 0, -10); its arc is 7.95 m around the end line's point
    // 1.88 m behind it, so straight out it starts 6.07 m from the basket.
    const struct {
        float distance;
        int roll;
        bool scores;
        bool three;
    } cases[] = {
        {5.99f, 10, true, false}, {5.99f, 9, false, false}, {6.0f, 11, true, false}, {6.0f, 10, false, false},
        {6.1f, 13, true, true},   {6.1f, 12, false, true},  {6.5f, 13, true, true},  {6.99f, 12, false, true},
        {7.0f, 14, false, true},  {7.0f, 15, true, true},
    };
    for (const auto& c : cases) {
        p.position = Vec3(0, 0, -10.0f + c.distance);
        const int twos = p.twoPointAttempts;
        const int threes = p.threePointAttempts;
        match.ScriptRolls({c.roll});
        EXPECT_TRUE(p.ShotCheck());
        EXPECT_EQ(p.shotScores, c.scores ? 1 : 0) << c.distance << " roll " << c.roll;
        EXPECT_EQ(p.threePointAttempts - threes, c.three ? 1 : 0) << c.distance;
        EXPECT_EQ(p.twoPointAttempts - twos, c.three ? 0 : 1) << c.distance;
    }

    // A free throw is the die, 50 and a twentieth of the free-throw rating above 45, read on its own
    // row (99) of the two-point table wherever he stands; height and shooting do not count.
    match.SetCurve(MatchCurve::TwoPoint, {{4.0f, 30}, {99.0f, 62}});
    p.position = Vec3(4.5f, 0, -10);
    p.height = 221;
    p.attributes[4] = 19;
    p.attributes[12] = 90;   // free-throw rating: +2.25
    match.ScriptRolls({10}); // 10 + 50 + 2.25 clears the free throw's row (62)
    p.FreeThrowCheck();
    EXPECT_EQ(p.shotScores, 1);
    match.ScriptRolls({9});
    p.FreeThrowCheck();
    EXPECT_EQ(p.shotScores, 0);
    p.attributes[12] = 10; // -1.75: a poor shooter needs four more on the die, not eleven
    match.ScriptRolls({13, 14});
    p.FreeThrowCheck();
    EXPECT_EQ(p.shotScores, 0);
    p.FreeThrowCheck();
    EXPECT_EQ(p.shotScores, 1);
    EXPECT_EQ(p.twoPointAttempts + p.threePointAttempts, 10); // free throws are not shots

    // Beside the basket the arc lies farther out: 7.5 m to the side is still a two.
    match.SetCurve(MatchCurve::TwoPoint, {{7.0f, RowForFace(11)}});
    p.position = Vec3(7.5f, 0, -10);
    match.ScriptRolls({11});
    p.ShotCheck();
    EXPECT_EQ(p.shotAttemptThree, 0);
    EXPECT_EQ(p.shotScores, 1);
}

// Ten points of two-point skill make a better shooter, not a sure one against a hopeless one: with
// the plain die a 65 made nearly every shot a 55 missed, and a club without 60s could not score.
TEST_F(ChecksFixture, TenPointsOfSkillMoveAShotByLessThanAQuarterOfTheDie) {
    match.SetCurve(MatchCurve::TwoPoint, {{4.0f, 71.5f}}); // a 60 makes about half of these
    p.position = Vec3(4.0f, 0, -10);
    auto made = [this](int skill) {
        p.attributes[6] = skill;
        return ShotsMadeOverEveryFace();
    };
    const int average = made(60);
    EXPECT_GE(average, 8);
    EXPECT_LE(average, 12);
    const int better = made(65);
    const int worse = made(55);
    EXPECT_GT(better, worse);
    EXPECT_LE(better - worse, 4) << "of the die's twenty faces";
    EXPECT_GE(worse, 5) << "a weaker shooter still makes a quarter";
    // A class's generated two-point ratings span twenty points (40-60 in the lowest class): a five that
    // drew the low ones made 40-42 % from the field while its classmates made 45-48 % at five times
    // the face. The whole span now moves a shot by at most three faces.
    const int best = made(70);
    const int worst = made(50);
    EXPECT_LE(best - worst, 3) << "of the die's twenty faces";
    EXPECT_GE(worst, 7) << "the weakest of a class still makes a third";
}

TEST_F(ChecksFixture, TheClubsLevelRaisesEveryShotTarget) {
    // Rows that the level 1.5 raises to the face 15.
    const float row = RowForFace(15) / 1.5f;
    match.SetCurve(MatchCurve::TwoPoint, {{5.0f, row}, {4.0f, 30}, {99.0f, 8}});
    match.SetCurve(MatchCurve::ThreePoint, {{7.0f, RowForFace(15) / (1.5f + kThreeLevelShift)}});
    p.levelFactor = 1.5f;
    p.contestLevelFactor = 3.0f; // a defender's level leaves the shots alone
    // A two from 5 m now needs 15 and a three from 7 m 15.
    p.position = Vec3(5.0f, 0, -10);
    match.ScriptRolls({14, 15});
    p.ShotCheck();
    EXPECT_EQ(p.shotScores, 0);
    p.ShotCheck();
    EXPECT_EQ(p.shotScores, 1);
    p.position = Vec3(0, 0, -3.0f); // 7 m straight out, beyond the arc
    match.ScriptRolls({14, 15});
    p.ShotCheck();
    EXPECT_EQ(p.shotScores, 0);
    p.ShotCheck();
    EXPECT_EQ(p.shotScores, 1);
    // The twos' own shift moves a two only: 5 m now needs 16 (the row at 1.6), 7 m out still 15.
    p.twoPointLevelShift = 0.1f;
    p.position = Vec3(5.0f, 0, -10);
    match.ScriptRolls({15, 16});
    p.ShotCheck();
    EXPECT_EQ(p.shotScores, 0);
    p.ShotCheck();
    EXPECT_EQ(p.shotScores, 1);
    p.position = Vec3(0, 0, -3.0f);
    match.ScriptRolls({15});
    p.ShotCheck();
    EXPECT_EQ(p.shotScores, 1);
    // Nobody defends a free throw: the level leaves it alone (die 8 + 50 against row 8 + 50).
    match.SetCurve(MatchCurve::TwoPoint, {{99.0f, 58}});
    p.attributes[12] = 45;
    p.position = Vec3(4.0f, 0, -10);
    match.ScriptRolls({7, 8});
    p.FreeThrowCheck();
    EXPECT_EQ(p.shotScores, 0);
    p.FreeThrowCheck();
    EXPECT_EQ(p.shotScores, 1);
}

TEST_F(ChecksFixture, AReachForAPassReadsTheBandOfTheReachThatLetHimTry) {
    // A ball 0.4 m from his eyes passes at chest height, more than a metre from his feet: the band is
    // the reach's (10), not the feet's.
    p.attributes[14] = 0;
    match.Script({RawForStealDie(10.0f)});
    EXPECT_TRUE(p.InterceptCheck(0.4f));
    match.Script({RawForStealDie(10.0f)});
    EXPECT_FALSE(p.InterceptCheck(1.2f));
    p.contestLevelFactor = 1.5f; // read at his level: 15
    match.Script({RawForStealDie(14.9f)});
    EXPECT_FALSE(p.InterceptCheck(0.4f));
}

// A steal point counts as a rating point should, at the die's edge where the pokes are won: over every
// draw, a defender two points better wins more pokes than one at his class's usual, but not three
// times as many. On the plain die only its top faces won, and two points were two whole faces: a side
// two points higher in steal alone stole 12.6 balls a match to 7.2.
TEST_F(ChecksFixture, TwoStealPointsWinAFewMorePokesNotThreeTimesAsMany) {
    other.position = Vec3(1.0f, 0, 0); // the band's target 12
    const auto wins = [this](int steal, float level) {
        p.attributes[14] = steal;
        p.contestLevelFactor = level;
        int won = 0;
        for (int raw = 0; raw <= kGameRandMax; raw += 4) {
            // The second draw (the foul's die) only when the poke fails.
            match.Script({raw, 0});
            won += p.PokeCheck(other, 19) == kCheckSucceeded ? 1 : 0;
            match.script.clear();
        }
        return won;
    };
    // Usual pokers of each class win only on the die's top faces, two or three pokes in a hundred.
    for (const auto& [usual, level] : {std::pair{50, 69.0f / 12.0f}, std::pair{60, 79.0f / 12.0f}}) {
        const int atUsual = wins(usual, level);
        const int better = wins(usual + 2, level);
        const int draws = kGameRandMax / 4 + 1;
        EXPECT_GT(atUsual, draws / 100) << usual;
        EXPECT_LT(atUsual, draws * 8 / 100) << usual;
        EXPECT_GT(better, atUsual * 11 / 10) << "two points still count, from " << usual;
        EXPECT_LT(better, atUsual * 3 / 2) << "but not as two faces of the die, from " << usual;
    }
}

TEST_F(ChecksFixture, AShooterIsFouledOnlyByAChallengerWithinArmsLength) {
    // A challenge that always fails and a second die on its top face.
    p.contestLevelFactor = 10.0f;
    other.position = Vec3(1.9f, 0, 0);
    match.ScriptRolls({0, 19});
    EXPECT_TRUE(p.ShotFoulCheck(other));
    // A marker still within the contest's reach but two metres or more away fouls nobody.
    for (const float away : {2.0f, 2.2f, 2.45f}) {
        other.position = Vec3(away, 0, 0);
        const int draws = match.draws;
        match.ScriptRolls({0, 19});
        EXPECT_FALSE(p.ShotFoulCheck(other)) << away << " m off";
        EXPECT_EQ(match.draws, draws) << away << " m off: no challenge";
        match.script.clear();
    }
}

// A shot the marker's contest turns into a miss is his block: the same roll would have gone in
// without him, or it missed by no more than a face and a little (kBlockMargin 9) with him inside
// his reach. A clear miss, a make over him and an open shot are nobody's block. No engine counted a
// block before, so every screen showed 0.00; then only the misses his penalty made counted, half a
// block a side a match.
TEST_F(ChecksFixture, AMissTheMarkersContestCausedIsHisBlock) {
    match.SetCurve(MatchCurve::TwoPoint, {{5.0f, RowForFace(10)}});
    match.ParkSide(1, 20.0f);
    CCourtPlayer& marker = match.Away(0);
    p.position = Vec3(0, 0, -5.0f); // 5 m out: a face of 10 scores when open
    auto shoot = [&](int face) {
        match.ScriptRolls({face});
        p.ShotCheck();
        return p.shotScores;
    };
    EXPECT_EQ(shoot(10), 1);
    EXPECT_EQ(marker.blocks, 0);

    // At a metre he takes three points off the shot: less than half a face.
    marker.position = p.position + Vec3(1.0f, 0, 0);
    EXPECT_EQ(shoot(10), 0);
    EXPECT_EQ(marker.blocks, 1);
    EXPECT_EQ(shoot(9), 0) << "missed open too: no block";
    EXPECT_EQ(shoot(11), 1) << "made over him";
    EXPECT_EQ(marker.blocks, 1);
    EXPECT_EQ(p.blocks, 0);
    EXPECT_EQ(match.Home(1).blocks + match.Away(1).blocks, 0);

    // At the edge of his reach his penalty is a fifth of a point, but a shot a face short is still
    // his; two faces short is a plain miss.
    marker.position = p.position + Vec3(2.4f, 0, 0);
    EXPECT_EQ(shoot(9), 0);
    EXPECT_EQ(marker.blocks, 2);
    EXPECT_EQ(shoot(8), 0);
    EXPECT_EQ(marker.blocks, 2);

    // Out of reach (2.5 m) he stops nothing.
    marker.position = p.position + Vec3(2.5f, 0, 0);
    EXPECT_EQ(shoot(10), 1);
    EXPECT_EQ(shoot(9), 0);
    EXPECT_EQ(marker.blocks, 2);
}

// The marker's contest weighs his defence against the shooter's shooting: a better defender takes
// more off the same shot from the same spot, a poorer one less, and even the best stays within a
// face of the shot die at arm's length, so the die still decides. A flat penalty let a club's
// defence count only at fouls.
TEST_F(ChecksFixture, ABetterDefenderContestsTheSameShotHarder) {
    match.SetCurve(MatchCurve::TwoPoint, {{5.0f, RowForFace(10)}});
    match.ParkSide(1, 20.0f);
    CCourtPlayer& marker = match.Away(0);
    p.position = Vec3(0, 0, -5.0f);
    p.attributes[4] = 60; // shooting
    const auto penaltyAt = [&](float metres, int defence) {
        marker.position = p.position + Vec3(metres, 0, 0);
        marker.attributes[5] = defence;
        match.ScriptRolls({10});
        p.ShotCheck();
        return p.contestPenalty;
    };
    for (const float metres : {0.5f, 1.0f, 2.0f}) {
        const float level = penaltyAt(metres, 60);
        EXPECT_GT(penaltyAt(metres, 70), level) << metres;
        EXPECT_LT(penaltyAt(metres, 50), level) << metres;
        EXPECT_GT(penaltyAt(metres, 20), 0.0f) << "even a poor marker in reach bothers the shot";
        EXPECT_LT(penaltyAt(metres, 99), kShotDieWeight) << "within a face";
    }
    EXPECT_EQ(penaltyAt(2.5f, 99), 0.0f) << "out of reach";
}

// A lay-up or dunk at the rim reads the dunk rating as much as the two, as the flat court dunks one
// rim shot in two; a jump shot from the same spot reads the two alone. The 3D shot read no dunk at
// all, so a squad's dunkers counted in its rating and never on the court.
TEST_F(ChecksFixture, TheShotAtTheRimReadsTheDunkAsWellAsTheTwo) {
    match.SetCurve(MatchCurve::TwoPoint, {{1.0f, RowForFace(10) + 60.0f}}); // a 60 makes half
    match.ParkSide(1, 20.0f);
    p.position = Vec3(0, 0, -10.0f + 1.5f);
    p.attributes[6] = 60; // two-point
    const auto made = [this](int32_t clip, int dunk) {
        p.SetAnimation(clip, true);
        p.attributes[8] = dunk;
        return ShotsMadeOverEveryFace();
    };
    const int level = made(kAnimShotClose, 60);
    EXPECT_EQ(level, made(kAnimShot, 60)) << "a dunker as good as his two shoots as he did";
    EXPECT_GT(made(kAnimShotClose, 80), level);
    EXPECT_LT(made(kAnimShotClose, 40), level);
    EXPECT_EQ(made(kAnimShot, 80), level) << "a jump shot is no dunk";
    EXPECT_EQ(made(kAnimShot, 40), level);
}
