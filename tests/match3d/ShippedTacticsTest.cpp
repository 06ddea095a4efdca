// Validator of the shipped tactics data: every id has a formation, every curve answers every key the
// match code can form, every spot is on every court and every camera looks where it means to.
#include "engine/Paths.h"
#include "engine/Xml.h"
#include "match/Formation.h"
#include "match3d/Match3D.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace {

// The tests run in the game folder, which holds a copy of the content.
constexpr const char* kInitDataPath = "\\ini\\InitData.xml";

// The largest court of any arena, and the smallest (the street court; the flat view's is no smaller).
constexpr float kLargestHalfWidth = 7.6025f;
constexpr float kLargestHalfLength = 14.2905f;
constexpr float kSmallestHalfWidth = 7.0f;
constexpr float kSmallestHalfLength = 13.0f;

// Keys the callers form, enumerated from the inputs they can see.
std::set<float> KeysOverDistances(float maxDistance, float (*key)(float)) {
    std::set<float> keys;
    for (float d = 0.0f; d <= maxDistance; d += 0.01f) {
        keys.insert(key(d));
    }
    return keys;
}

void ExpectCovers(const ModifierCurve& curve, const std::set<float>& keys, const char* table) {
    for (float key : keys) {
        const bool found = std::any_of(curve.Points().begin(), curve.Points().end(),
                                       [key](const CurvePoint& p) { return p.x == key; });
        EXPECT_TRUE(found) << table << " has no row for key " << key;
    }
}

// Anything on the court can be this far from anything else, plus a step off it for the inbounder.
const float kLongestDistance = std::hypot(2 * kLargestHalfWidth, 2 * kLargestHalfLength) + 1.0f;
// The farthest a shooter on the court can be from either basket.
const float kLongestShot = std::hypot(kLargestHalfWidth, kLargestHalfLength + 12.13f) + 1.0f;

class ShippedTactics : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FileExists(kInitDataPath)) << "run from the game folder";
        m_match.LoadTactics(kInitDataPath);
    }
    CMatch3D m_match;
};

} // namespace

TEST_F(ShippedTactics, EveryTacticIdHasOneRecordAndAFormationFile) {
    ASSERT_EQ(m_match.tactics.size(), 22u);
    std::set<int> ids;
    for (const TacticRecord* record : m_match.tactics) {
        EXPECT_TRUE(ids.insert(record->id).second) << "id " << record->id << " twice";
        EXPECT_FALSE(record->name.IsEmpty()) << record->id;
        EXPECT_TRUE(FileExists(record->file.GetText())) << record->file.GetText();
    }
    for (int id = 0; id <= kAwayStartFormation; ++id) {
        EXPECT_EQ(ids.count(id), 1u) << id;
    }
    // The man-to-man defence is recognised by its type.
    EXPECT_STREQ(m_match.tactics[13]->type.GetText(), "13");
}

TEST_F(ShippedTactics, EveryCurveAnswersEveryKeyItsCallersForm) {
    std::set<float> tens;
    for (int rating = 0; rating <= 100; ++rating) {
        tens.insert(TruncatedTensKey(rating));
    }
    ExpectCovers(m_match.moraleModifier, tens, kMoraleModifier);
    ExpectCovers(m_match.aggressionModifier, tens, kAggressionModifier);

    // Stamina may end one recovery step above a full 100, and a long run may push it past empty.
    std::set<float> stamina;
    for (float s = -30.0f; s <= 100.001f; s += 0.05f) {
        stamina.insert(RoundedTensKey(s));
    }
    ExpectCovers(m_match.staminaModifier, stamina, kStaminaModifier);

    ExpectCovers(m_match.twoPointModifier, KeysOverDistances(kLongestShot, TruncatedKey), kTwoPointModifier);
    ExpectCovers(m_match.threePointModifier, KeysOverDistances(kLongestShot, RoundedKey),
                 kThreePointModifier);
    ExpectCovers(m_match.passingTargets, KeysOverDistances(kLongestDistance, TruncatedKey), kPassingTargets);
    ExpectCovers(m_match.ballStealth, KeysOverDistances(3.0f, ReachBandKey), kBallStealth);

    // The tables only the flat match reads.
    XmlNode root = OpenInitData(kInitDataPath);
    ModifierCurve dunks, blocks;
    ReadCurve(root, kDunkingModifier, dunks);
    ReadCurve(root, kBlockingTargets, blocks);
    ExpectCovers(dunks, KeysOverDistances(6.79f, TruncatedKey), kDunkingModifier);
    ExpectCovers(blocks, KeysOverDistances(3.0f, ReachBandKey), kBlockingTargets);
}

TEST_F(ShippedTactics, TargetsGrowWithDistanceAndNoModifierDwarfsTheDie) {
    // A farther shot or pass is never easier than a nearer one of the same kind, past the free-throw line.
    for (float d = 4.0f; d < 30.0f; d += 1.0f) {
        EXPECT_LE(m_match.twoPointModifier.Lookup(d), m_match.twoPointModifier.Lookup(d + 1)) << d;
        EXPECT_LE(m_match.threePointModifier.Lookup(d), m_match.threePointModifier.Lookup(d + 1)) << d;
        EXPECT_LE(m_match.passingTargets.Lookup(d), m_match.passingTargets.Lookup(d + 1)) << d;
    }
    for (const ModifierCurve* curve :
         {&m_match.moraleModifier, &m_match.staminaModifier, &m_match.aggressionModifier}) {
        for (const CurvePoint& point : curve->Points()) {
            EXPECT_LE(std::fabs(point.y), 20.0f);
        }
    }
    // The three-point table's values are rounded by its caller, so they are written whole.
    for (const CurvePoint& point : m_match.threePointModifier.Points()) {
        EXPECT_EQ(point.y, std::round(point.y));
    }
}

TEST_F(ShippedTactics, EveryFormationPlacesFiveStartersOnEveryCourt) {
    const std::set<CStr> starters = {"C", "PF", "SF", "PG", "SG"};
    for (const TacticRecord* record : m_match.tactics) {
        Formation formation = ReadFormationFile(record->file);
        std::set<CStr> names;
        for (const FormationSpot& entry : formation.spots) {
            names.insert(entry.name);
            // Inside the smallest court, so either side's mirror image is too.
            EXPECT_LT(std::fabs(entry.spot.x), kSmallestHalfWidth) << record->file.GetText();
            EXPECT_LT(std::fabs(entry.spot.z), kSmallestHalfLength) << record->file.GetText();
            EXPECT_EQ(entry.spot.y, 0.0f) << record->file.GetText();
        }
        EXPECT_EQ(names, starters) << record->file.GetText();
    }
}

TEST_F(ShippedTactics, EachSidePlacedByTheMatchStandsInsideTheCourt) {
    m_match.PlaceTeams(kHomeStartFormation, kAwayStartFormation);
    for (int attack = 0; attack <= 9; ++attack) {
        const int defence = 10 + attack;
        m_match.PlaceHomeTeam(attack, defence);
        m_match.PlaceAwayTeam(attack, defence);
        for (CMatchTeam* team : {m_match.GetHomeTeam(), m_match.GetAwayTeam()}) {
            EXPECT_EQ(team->attackTactic, attack);
            EXPECT_EQ(team->defenceTactic, defence);
            for (int slot = 0; slot < 5; ++slot) {
                const CCourtPlayer& p = *team->GetPlayer(slot);
                EXPECT_TRUE(m_match.IsInCourt(p.attackSpot.x, 0, p.attackSpot.z)) << attack << "/" << slot;
                EXPECT_TRUE(m_match.IsInCourt(p.defenceSpot.x, 0, p.defenceSpot.z)) << defence << "/" << slot;
            }
        }
        // Half-court offences gather in front of the basket each side attacks.
        if (attack != 3 && attack != 4) {
            for (int slot = 0; slot < 5; ++slot) {
                EXPECT_LT(m_match.GetHomeTeam()->GetPlayer(slot)->attackSpot.z, 0.0f) << attack;
                EXPECT_GT(m_match.GetAwayTeam()->GetPlayer(slot)->attackSpot.z, 0.0f) << attack;
            }
        }
    }
}

TEST_F(ShippedTactics, TipOffSpotsKeepPlayersApartAndEachSideInItsOwnHalfOfTheCircle) {
    m_match.PlaceTeams(kHomeStartFormation, kAwayStartFormation);
    std::vector<Vec3> spots;
    for (CMatchTeam* team : {m_match.GetHomeTeam(), m_match.GetAwayTeam()}) {
        for (int slot = 0; slot < 5; ++slot) {
            spots.push_back(team->GetPlayer(slot)->position);
        }
    }
    for (size_t a = 0; a < spots.size(); ++a) {
        for (size_t b = a + 1; b < spots.size(); ++b) {
            EXPECT_GE(Vec3Distance(spots[a], spots[b]), 1.0f) << a << " and " << b;
        }
    }
    // The two jumpers face each other across the centre spot, the home one on the side it defends.
    const Vec3 homeCentre = m_match.GetHomeTeam()->FindByPosition(kPositionCentre)->position;
    const Vec3 awayCentre = m_match.GetAwayTeam()->FindByPosition(kPositionCentre)->position;
    EXPECT_LT(Vec3Distance(homeCentre, Vec3()), 1.0f);
    EXPECT_GT(homeCentre.z, 0.0f);
    EXPECT_LT(awayCentre.z, 0.0f);
}

// Every camera file an arena of the game can ask for: four families, levels 01-10, where the
// school family's level 01 uses level 02's files.
std::vector<CStr> AllCameraFiles() {
    std::vector<CStr> files;
    for (const char* family : {"fiba", "hscool", "nba", "str"}) {
        for (int level = CStr(family) == "hscool" ? 2 : 1; level <= 10; ++level) {
            files.push_back(CStr::Formatted("\\Stadions\\ini\\camera_%s_%.2d.xml", family, level));
        }
    }
    return files;
}

TEST(ShippedCameras, EveryArenaHasThreeCamerasLookingAtTheCourt) {
    const std::vector<CStr> files = AllCameraFiles();
    EXPECT_EQ(files.size(), 39u);
    for (const CStr& file : files) {
        ASSERT_TRUE(FileExists(file.GetText())) << file.GetText();
        CMatch3D match;
        match.LoadCameras(file);
        EXPECT_GE(match.cameras.size(), 3u) << file.GetText();
        XmlNode descriptor = XmlNode::OpenFile(file.GetText(), "FileDescriptor").ChildNode("QuorelFile");
        for (size_t i = 0; i < match.cameras.size(); ++i) {
            const CameraRecord& camera = *match.cameras[i];
            // The reader takes z from "looky", so the file must say the same in both.
            XmlNode entry = descriptor.ChildNode("camera", static_cast<int>(i));
            EXPECT_EQ(entry.Attribute("lookz").ToDouble(), entry.Attribute("looky").ToDouble())
                << file.GetText();
            EXPECT_TRUE(match.IsInCourt(camera.lookAt.x, 0, camera.lookAt.z)) << file.GetText();
            // Above the players' heads and outside the court.
            EXPECT_GT(camera.position.y, 4.0f) << file.GetText();
            EXPECT_FALSE(match.IsInCourt(camera.position.x, 0, camera.position.z)) << file.GetText();
            // Right is level and square to the view, as the left-handed look-at builds it.
            Vec3 forward = camera.lookAt - camera.position;
            forward.Normalize();
            Vec3 expectedRight = Vec3Cross(camera.up, forward);
            expectedRight.Normalize();
            EXPECT_NEAR(Vec3Distance(camera.right, expectedRight), 0.0f, 1e-3f) << file.GetText() << " " << i;
        }
    }
}
