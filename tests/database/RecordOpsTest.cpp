// Record operations other code relies on: the overall rating, new-record defaults, mail folders,
// profile lines and the helpers that move records between tables.
#include "database/MemoryDB.h"
#include "database/Ownership.h"

#include <gtest/gtest.h>

TEST(PlayerOverall, MeanOfFifteenSkillsIsExactAndLeavesOutSkillThirteen) {
    CPlayer player;
    for (int s = 1; s <= kSkillCount; ++s)
        player.SkillValue(s) = 60;
    player.SkillValue(13) = 0; // must not count
    player.overall = -1.0;
    // Truncated by its callers, so a whole mean must come out whole, not 59.999...
    EXPECT_EQ(CPlayer::ComputeOverall(&player, false), 60.0);
    EXPECT_EQ(player.overall, -1.0);
    EXPECT_EQ(static_cast<int>(CPlayer::ComputeOverall(&player, true)), 60);
    EXPECT_EQ(player.overall, 60.0);

    player.SkillValue(1) = 75; // +15 over fifteen skills
    EXPECT_EQ(CPlayer::ComputeOverall(&player, false), 61.0);
    EXPECT_EQ(CPlayer::ComputeOverall(nullptr, true), 0.0);
}

TEST(RecordDefaults, NewRecordsStartWithIdsUnset) {
    CLeague league;
    EXPECT_EQ(league.id, -1);
    EXPECT_EQ(league.nameTextId, -1);
    EXPECT_EQ(league.type, -1);
    EXPECT_EQ(league.classNumber, -1);
    EXPECT_EQ(league.promotionLeague, -1);
    EXPECT_EQ(league.relegationLeague, -1);
    CMyPromotion promotion;
    EXPECT_EQ(promotion.catalogueRow, -1);
    EXPECT_EQ(promotion.day, -1);
    CStaffRecord member;
    EXPECT_EQ(member.clubId, -1);
    CEmail mail;
    EXPECT_EQ(mail.id, -1);
    EXPECT_EQ(mail.type, 0);
    EXPECT_EQ(mail.unread, 0);
    CPlayerStat stat;
    CMatchStat match;
    for (int n = 1; n <= kPlayerStatFields; ++n)
        EXPECT_EQ(stat.Field(n), 0);
    for (int n = 1; n <= kMatchStatFields; ++n)
        EXPECT_EQ(match.Field(n), 0);
}

TEST(MailFolders, MailsAreFiledByTypeAndDeletedMailsAreNotSavedAgain) {
    CEmailList mails;
    const int32_t types[] = {100152, 80055, 80062, 100151, 80092, 100153, 80056, 12345};
    for (int32_t type : types) {
        CEmail* mail = new CEmail();
        mail->id = mails.NextId();
        mail->type = type;
        mails.Add(mail);
    }
    EXPECT_EQ(mails.Folder(0).size(), 1u);
    EXPECT_EQ(mails.Folder(1).size(), 2u);
    EXPECT_EQ(mails.Folder(2).size(), 1u);
    EXPECT_EQ(mails.Folder(3).size(), 1u);
    EXPECT_EQ(mails.Folder(4).size(), 1u);
    EXPECT_TRUE(mails.Folder(5).empty());
    // Types without a folder stay owned and are saved after the filed ones.
    ASSERT_EQ(mails.MailsToSave().size(), 8u);
    EXPECT_EQ(mails.MailsToSave()[6]->type, 80056);

    ASSERT_TRUE(mails.RemoveFromFolder(1, 0));
    EXPECT_FALSE(mails.RemoveFromFolder(1, 5));
    EXPECT_FALSE(mails.RemoveFromFolder(7, 0));
    std::vector<CEmail*> saved = mails.MailsToSave();
    EXPECT_EQ(saved.size(), 7u);
    for (CEmail* mail : saved)
        EXPECT_NE(mail->type, 80055);
    EXPECT_EQ(mails.Size(), 8); // still owned until the list goes
    EXPECT_EQ(mails.NextId(), 8);

    // Deleting a filed mail takes it out of its folder too.
    CEmail* filed = mails.Folder(2)[0];
    ASSERT_TRUE(mails.Erase(filed));
    EXPECT_TRUE(mails.Folder(2).empty());
    EXPECT_EQ(mails.MailsToSave().size(), 6u);

    // A saved mail id at the integer limit gives the next mail the smallest free id (the deleted
    // mail's), not a wrapped one.
    CEmail* last = new CEmail();
    last->id = INT32_MAX;
    mails.Add(last);
    EXPECT_EQ(mails.NextId(), 3);
}

TEST(ProfileLines, RoundTripAndHostileText) {
    CProfile profile;
    profile.id = 4;
    profile.folder = "Anna_4";
    profile.clubId = 17;
    profile.year = 2008;
    profile.month = 3;
    profile.day = 9;
    profile.managerName = "Anna|Lee\r\nX";
    profile.modeTextId = 100064;
    profile.dataSet = 1;
    profile.cupStage = 2;
    profile.progress = 3;
    profile.seasonStartYear = 2007;
    profile.seasonEndYear = 2008;
    profile.seasonStartMonth = 9;
    profile.seasonStartDay = 7;

    CProfileList list;
    list.Append(new CProfile(profile));
    std::string text = list.WriteText();
    // One line, seventeen fields: the name cannot break the format.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
    EXPECT_EQ(std::count(text.begin(), text.end(), '|'), 16);

    CProfileList read;
    // Windows line ends are accepted; short and non-numeric lines are skipped.
    std::string withNoise =
        "1|x|2\r\n" + text.substr(0, text.size() - 1) + "\r\n" + "abc|F|0|0|0|0|0|0|n|0|0|0|0|0|0|0|0\n";
    read.ReadText(withNoise);
    ASSERT_EQ(read.Size(), 1);
    const CProfile* back = read.At(0);
    EXPECT_EQ(back->ToLine(), profile.ToLine());
    EXPECT_EQ(back->managerName.Std(), "Anna Lee  X");
    EXPECT_EQ(back->seasonStartDay, 7);
    EXPECT_EQ(back->modeTextId, 100064);
    EXPECT_EQ(read.NextId(), 5);
    read.Clear();
    EXPECT_EQ(read.NextId(), 0);
}

TEST(Ownership, MovedPlayersAndFiredStaffLeaveNoDanglingLinks) {
    CMemoryDB world;
    CMemoryDB career;
    CTeam* worldTeam = world.teams.Append(new CTeam());
    worldTeam->id = 3;
    CTeam* club = career.teams.Append(new CTeam());
    club->id = 5;
    CPlayer* player = world.players.Append(new CPlayer());
    player->id = 40;
    player->teamId = 3;
    world.Link();
    ASSERT_EQ(worldTeam->players.size(), 1u);

    ASSERT_TRUE(MovePlayer(world, career, player, club));
    EXPECT_TRUE(worldTeam->players.empty());
    EXPECT_EQ(world.players.Size(), 0);
    EXPECT_EQ(career.players.At(0), player);
    EXPECT_EQ(player->teamId, 5);
    ASSERT_EQ(club->players.size(), 1u);
    EXPECT_FALSE(MovePlayer(world, career, player, club)); // no longer in the world

    ASSERT_TRUE(MovePlayer(career, world, player, nullptr)); // released
    EXPECT_EQ(player->teamId, -1);
    EXPECT_TRUE(club->players.empty());

    CStaffRecord* coach = new CStaffRecord();
    coach->id = 9;
    HireStaffCopy(career, club, coach);
    EXPECT_EQ(coach->clubId, 5);
    ASSERT_EQ(club->staff.size(), 1u);
    EXPECT_FALSE(FireStaff(career, club, 10));
    ASSERT_TRUE(FireStaff(career, club, 9));
    EXPECT_TRUE(club->staff.empty());
    EXPECT_EQ(career.staff.Size(), 0);

    CPlayerStat* stat = AddPlayerStat(world, player, new CPlayerStat());
    EXPECT_EQ(stat->PlayerId(), 40);
    EXPECT_EQ(player->stats.back(), stat);
    CMatchStat* match = AddMatchStat(career, club, new CMatchStat());
    EXPECT_EQ(club->matchStats.back(), match);
    EXPECT_EQ(career.matchStats.Size(), 1);
}

TEST(Ownership, RunningConstructionsEraseKeepsTheRestInOrder) {
    CMyStadiumUpgradeList works;
    for (int32_t part : {300050, 300051, 300052, 300053})
        works.Append(new CMyStadiumUpgrade())->partId = part;
    ASSERT_TRUE(works.EraseAt(1));
    EXPECT_FALSE(works.EraseAt(3));
    ASSERT_EQ(works.Size(), 3);
    EXPECT_EQ(works.At(0)->partId, 300050);
    EXPECT_EQ(works.At(1)->partId, 300052);
    EXPECT_EQ(works.At(2)->partId, 300053);
}

TEST(StadiumCapacity, PartsOfHugeSeatCountsStopAtTheIntegerLimit) {
    // Two parts of 2,000,000,000 seats, as a damaged file may hold: the sum must not wrap.
    CMemoryDB db;
    CStadiumRecord* stadium = db.stadiums.Append(new CStadiumRecord());
    stadium->id = 1;
    for (int i = 0; i < 2; ++i) {
        CStadiumWingRecord* wing = db.wings.Append(new CStadiumWingRecord());
        wing->stadiumId = 1;
        wing->seats = 2000000000;
    }
    db.Link();
    db.UpdateStadiumCapacities();
    EXPECT_EQ(stadium->capacity, INT32_MAX);
}
