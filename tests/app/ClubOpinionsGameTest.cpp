// Two months of a league career played through the game's own Continue: the club's results move
// the fans' and the squad's opinion the indicators show, and a club whose opinion falls low hears
// it from its business manager.
#include "career/SquadSteps.h"
#include "database/HiredStaff.h"
#include "engine/GameFolder.h"
#include "engine/GameRand.h"

#include "GameKit.h"

#include <gtest/gtest.h>

class ClubOpinionsGame : public GameFolderTest {};

TEST_F(ClubOpinionsGame, TwoMonthsOfLossesLowerTheIndicatorsAndBringTheLowOpinionMail) {
    GameSrand(21);
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::AfterCareer, gamekit::Without3D()));
    CGameManager& gm = game.gm;
    gm.Session().view3D = 0;
    gm.Session().resultOnly = 1;             // every match of the user's club is played at once
    CMemoryDB* world = gm.Session().worldDB; // the career's own copy of the world

    CMemoryDB* career = gm.Session().careerDB;
    CTeam* club = career->teams.At(0);
    // A squad that cannot shoot loses, whatever the draw; its fitness stays as it was.
    for (CPlayer* player : club->players)
        for (int skill : {2, 8, 9, 10, 14})
            player->SkillValue(skill) = 5;
    for (const CStaffRecord* member : world->staff)
        if (member->category == kStaffBusinessManager) {
            ASSERT_NE(HireStaffMember(world, *career, *member), nullptr);
            break;
        }
    CTeamOpinion* opinion = world->opinions.FindByTeam(club->id);
    ASSERT_NE(opinion, nullptr) << "the club has no opinion row for the indicators to show";
    opinion->current[0] = 12;
    opinion->current[1] = 12;
    gm.RefreshAllScreens();
    const CStr fansBefore = gm.FindElement(ID_IND_PERCENT_1)->GetText();
    auto lowOpinionMails = [&] {
        int n = 0;
        for (const CEmail* mail : career->emails)
            n += mail->templateRow == kMailRowLowOpinion ? 1 : 0;
        return n;
    };
    ASSERT_EQ(lowOpinionMails(), 0);

    const GameDate end{2007, 10, 1};
    for (int presses = 0; presses < 80 && MakeDateKey(gm.Session().currentDate) < MakeDateKey(end); ++presses)
        ASSERT_TRUE(game.RunDay());
    ASSERT_GE(MakeDateKey(gm.Session().currentDate), MakeDateKey(end)) << "two months were not played";

    int lost = 0;
    for (const CMatchStat* match : club->matchStats)
        lost += match->Field(9) < match->Field(10) ? 1 : 0;
    ASSERT_GE(lost, 2) << "a squad that cannot shoot should lose";
    EXPECT_LT(opinion->current[0], 12);
    EXPECT_LT(opinion->current[1], 12);
    gm.RefreshAllScreens();
    EXPECT_NE(gm.FindElement(ID_IND_PERCENT_1)->GetText().Std(), fansBefore.Std())
        << "the indicators stayed where they were";
    EXPECT_GE(lowOpinionMails(), 1) << "the business manager did not warn of the low opinion";
}
