// Tactic list and curve reading, exact-key lookups and the callers' key rounding.
#include "engine/GameRand.h"
#include "engine/TempDir.h"
#include "match3d/Match3D.h"

#include <cmath>
#include <set>

TEST(ModifierCurves, OnlyExactKeysHit) {
    ModifierCurve curve;
    EXPECT_EQ(curve.Lookup(10.0f), 0.0f);
    curve.AddPoint(10.0f, 1.5f);
    curve.AddPoint(20.0f, 2.0f);
    curve.AddPoint(20.0f, 9.0f); // a later duplicate never wins
    EXPECT_EQ(curve.Lookup(10.0f), 1.5f);
    EXPECT_EQ(curve.Lookup(15.0f), 0.0f);
    EXPECT_EQ(curve.Lookup(20.0f), 2.0f);
    EXPECT_EQ(curve.Lookup(19.999f), 0.0f);
    EXPECT_EQ(curve.Lookup(std::nanf("")), 0.0f);
    EXPECT_EQ(curve.GetCount(), 3);
}

TEST(ModifierCurves, KeysRoundAsTheCallersDo) {
    EXPECT_EQ(RoundedTensKey(34.9f), 30.0f);
    EXPECT_EQ(RoundedTensKey(35.0f), 40.0f);
    EXPECT_EQ(RoundedTensKey(44.9f), 40.0f);
    EXPECT_EQ(RoundedTensKey(45.0f), 50.0f);
    EXPECT_EQ(RoundedTensKey(-5.0f), -10.0f); // halves go away from zero
    EXPECT_EQ(RoundedTensKey(-0.3f), 0.0f);   // -0 still finds the 0 row
    EXPECT_EQ(TruncatedTensKey(59), 50.0f);
    EXPECT_EQ(TruncatedTensKey(67), 60.0f);
    EXPECT_EQ(TruncatedKey(5.99f), 5.0f);
    EXPECT_EQ(RoundedKey(6.5f), 7.0f);
    EXPECT_EQ(ReachBandKey(0.49f), 0.0f);
    EXPECT_EQ(ReachBandKey(0.5f), 0.5f);
    EXPECT_EQ(ReachBandKey(30.0f), 2.0f);
}

TEST(ModifierCurves, RandomTacticsStayInTheComputersRange) {
    GameSrand(7);
    std::set<int> offences, defences;
    for (int i = 0; i < 2000; ++i) {
        offences.insert(RandomOffenceTactic());
        defences.insert(RandomDefenceTactic());
    }
    EXPECT_EQ(offences.size(), 10u);
    EXPECT_EQ(*offences.begin(), 0);
    EXPECT_EQ(defences.size(), 9u); // 19 is left to the user
    EXPECT_EQ(*defences.begin(), 10);
    EXPECT_EQ(*defences.rbegin(), 18);
}

using InitDataFiles = TempDirTest;

static const char* kInitData = R"(<FileDescriptor>
  <TACTICS>
    <TACTIC name="Press" type="13" id="4" file="\ini\press.xml"/>
    <tactic name="Zone" id="7" file="\ini\zone.xml"/>
    <TACTIC name="Second four" type="x" id="4" file="\ini\other.xml"/>
    <NOTE/>
  </TACTICS>
  <TARGETNUMBERS>
    <MORALMODIFIER><DATA>40,0.5</DATA><DATA>50, 1.25</DATA><Data>60</Data><DATA>oops,2</DATA></MORALMODIFIER>
    <TWOPOINTMODIFIER><DATA>3,71</DATA></TWOPOINTMODIFIER>
    <DUNKINGMODIFIER><DATA>1,70</DATA></DUNKINGMODIFIER>
  </TARGETNUMBERS>
</FileDescriptor>)";

TEST_F(InitDataFiles, ReadsEntriesTablesAndOddRows) {
    Write("ini/InitData.xml", kInitData);
    CMatch3D match;
    match.courtMinX = -1.0f;
    match.LoadTactics(CStr(m_dir.string().c_str()) + "\\ini\\InitData.xml");
    EXPECT_EQ(match.courtMinX, -7.5f);
    EXPECT_EQ(match.courtMaxZ, 14.0f);

    // Four children of any tag give four entries; the fourth reads a TACTIC that is not there.
    ASSERT_EQ(match.tactics.size(), 4u);
    EXPECT_STREQ(match.tactics[0]->type.GetText(), "13");
    EXPECT_TRUE(match.tactics[1]->type.IsEmpty());
    EXPECT_EQ(match.tactics[1]->id, 7);
    EXPECT_TRUE(match.tactics[3]->file.IsEmpty());
    EXPECT_EQ(match.tactics[3]->id, 0);
    EXPECT_STREQ(match.GetTacticFile(4).GetText(), "\\ini\\press.xml"); // the first id 4 wins
    EXPECT_TRUE(match.GetTacticFile(5).IsEmpty());

    EXPECT_EQ(match.moraleModifier.Lookup(40.0f), 0.5f);
    EXPECT_EQ(match.moraleModifier.Lookup(50.0f), 1.25f);
    EXPECT_EQ(match.moraleModifier.Lookup(60.0f), 0.0f); // a row without a comma reads its y as 0
    EXPECT_EQ(match.moraleModifier.GetCount(), 4);
    EXPECT_EQ(match.moraleModifier.Points()[3].x, 0.0f); // a non-numeric x reads as 0
    EXPECT_EQ(match.twoPointModifier.Lookup(3.0f), 71.0f);
    EXPECT_TRUE(match.ballStealth.IsEmpty());
    EXPECT_TRUE(match.spareCurve.IsEmpty()); // the 2D engine's tables are not this engine's

    // A second read appends rather than replaces.
    match.LoadTactics(CStr(m_dir.string().c_str()) + "\\ini\\InitData.xml");
    EXPECT_EQ(match.tactics.size(), 8u);
    EXPECT_EQ(match.moraleModifier.GetCount(), 8);
    EXPECT_EQ(match.moraleModifier.Lookup(40.0f), 0.5f);
}

TEST_F(InitDataFiles, EmptyOrMissingSectionsLeaveEverythingEmpty) {
    Write("ini/empty.xml", "<FileDescriptor><TARGETNUMBERS/></FileDescriptor>");
    CMatch3D match;
    match.LoadTactics("\\ini\\empty.xml");
    EXPECT_TRUE(match.tactics.empty());
    for (const ModifierCurve* curve :
         {&match.ballStealth, &match.moraleModifier, &match.staminaModifier, &match.aggressionModifier,
          &match.tacticTargetNum, &match.passingTargets, &match.twoPointModifier,
          &match.threePointModifier}) {
        EXPECT_TRUE(curve->IsEmpty());
        EXPECT_EQ(curve->Lookup(0.0f), 0.0f);
    }
}

TEST_F(InitDataFiles, SharedReaderFillsAnyTableByName) {
    Write("ini/InitData.xml", kInitData);
    XmlNode root = OpenInitData("\\ini\\InitData.xml");
    ModifierCurve dunks;
    EXPECT_EQ(ReadCurve(root, kDunkingModifier, dunks), 1);
    EXPECT_EQ(dunks.Lookup(1.0f), 70.0f);
    ModifierCurve absent;
    EXPECT_EQ(ReadCurve(root, kBlockingTargets, absent), 0);
    std::vector<TacticRecord*> list;
    EXPECT_EQ(ReadTacticList(root, list), 4);
    EXPECT_STREQ(FindTacticFile(list, 7).GetText(), "\\ini\\zone.xml");
    DeletePointerVector(list);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.capacity(), 0u);
}
