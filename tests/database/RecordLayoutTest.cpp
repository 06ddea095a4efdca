// Field orders on disk, pinned against bytes written out by hand from the file layouts: a field
// moved or dropped in any record shows up here.
#include "Bytes.h"
#include "database/Tables.h"

#include <gtest/gtest.h>

namespace {

template <class T> std::string BytesOf(T& record) {
    CArchive ar = CArchive::ForWriting();
    record.Serialize(ar);
    return ar.TakeBytes();
}

// Writing gives exactly the expected bytes, and reading them gives back a record that writes the
// same bytes again.
template <class T> void ExpectLayout(T& record, const std::string& expected) {
    ASSERT_EQ(BytesOf(record), expected);
    T read;
    CArchive ar = CArchive::ForReading(expected);
    read.Serialize(ar);
    ASSERT_FALSE(ar.Failed()) << ar.Error().GetText();
    EXPECT_EQ(ar.Remaining(), 0u);
    EXPECT_EQ(BytesOf(read), expected);
}

} // namespace

TEST(RecordLayout, TeamAndLeague) {
    CTeam team;
    team.id = 1;
    team.leagueId = 2;
    team.reserved3 = 3;
    team.name = "Ashford Rovers";
    team.leagueKind = 100005;
    team.countryTextId = 800100;
    team.shortName = "ASH";
    team.logo = "images\\logo01.png";
    team.cash = -9;
    team.totalBorrowed = 10;
    team.money11 = 11;
    team.money12 = 12;
    team.attendance = 13;
    team.fanBase = 14;
    team.stadiumKey = "std_eu_03";
    team.homeKit = 16;
    team.awayKit = 17;
    team.standing1 = 18;
    team.standing2 = 19;
    ExpectLayout(team, ByteBuilder()
                           .I(1)
                           .I(2)
                           .I(3)
                           .S("Ashford Rovers")
                           .I(100005)
                           .I(800100)
                           .S("ASH")
                           .S("images\\logo01.png")
                           .I(-9)
                           .I(10)
                           .I(11)
                           .I(12)
                           .I(13)
                           .I(14)
                           .S("std_eu_03")
                           .I(16)
                           .I(17)
                           .I(18)
                           .I(19)
                           .Bytes());

    CLeague league;
    league.id = 4;
    league.nameTextId = 800002;
    league.type = 100005;
    league.classNumber = 2;
    league.promotionLeague = -1;
    league.relegationLeague = 1;
    ExpectLayout(league, ByteBuilder().I(4).I(800002).I(100005).I(2).I(-1).I(1).Bytes());
}

TEST(RecordLayout, PlayerFieldsSitWhereTheGameNumbersThem) {
    CPlayer player;
    player.id = 1;
    player.birthDay = 2;
    player.birthMonth = 3;
    player.birthYear = 4;
    player.name = "Ivan Petrov";
    player.teamId = 6;
    player.reserved7 = 7;
    player.reserved8 = 8;
    player.originTextId = 9;
    player.note = "ten";
    for (int field = 11; field <= 74; ++field)
        player.Field(field) = field * 100;
    player.contractMonths = 75;
    player.picture = "pic";
    player.contractYear = 77;
    player.contractMonth = 78;
    player.contractDay = 79;
    player.overall = 80.5;
    player.skin = 81;
    player.bodyTexture = 82;
    player.headTexture = 83;
    player.shoeTexture = 84;

    ByteBuilder expected;
    expected.I(1).I(2).I(3).I(4).S("Ivan Petrov").I(6).I(7).I(8).I(9).S("ten");
    for (int field = 11; field <= 74; ++field)
        expected.I(field * 100);
    expected.I(75).S("pic").I(77).I(78).I(79).D(80.5).I(81).I(82).I(83).I(84);
    ExpectLayout(player, expected.Bytes());

    // The named words and skill triples land on the fields other code uses.
    EXPECT_EQ(player.words[kWordShirtNumber], 1500);
    EXPECT_EQ(player.SkillValue(1), 1600);
    EXPECT_EQ(player.SkillSecond(1), 1700);
    EXPECT_EQ(player.SkillValue(15), 5800);
    EXPECT_EQ(player.SkillValue(16), 6100);
    EXPECT_EQ(player.SkillProgress(16), 6300);
    EXPECT_EQ(player.words[kWordWageFactor], 6400);
    EXPECT_EQ(player.words[kWordMatchState], 6500);
    EXPECT_EQ(player.words[kWordInjured], 6600);
    EXPECT_EQ(player.words[kWordDaysOut], 7000);
    EXPECT_EQ(player.words[kWordWage], 7100);
    EXPECT_EQ(player.words[kWordCertificateValue], 7400);
}

TEST(RecordLayout, StaffStadiumAndParts) {
    CStaffRecord member;
    member.id = 1;
    member.clubId = 2;
    member.name = "three";
    member.text1 = "four";
    member.text2 = "five";
    member.category = 80056;
    member.specialityTextId = 70107;
    member.specialityPercent = 8;
    member.wage = 9;
    member.skill = 10;
    member.originTextId = 11;
    member.picture = "\\twelve";
    for (int i = 0; i < 4; ++i)
        member.extra[i] = 13 + i;
    ExpectLayout(member, ByteBuilder()
                             .I(1)
                             .I(2)
                             .S("three")
                             .S("four")
                             .S("five")
                             .I(80056)
                             .I(70107)
                             .I(8)
                             .I(9)
                             .I(10)
                             .I(11)
                             .S("\\twelve")
                             .I(13)
                             .I(14)
                             .I(15)
                             .I(16)
                             .Bytes());

    CStadiumRecord stadium;
    stadium.id = 1;
    stadium.teamId = 2;
    stadium.level = 3;
    stadium.capacity = 4;
    stadium.name = "five";
    stadium.upkeep = 6;
    stadium.picture = "seven";
    ExpectLayout(stadium, ByteBuilder().I(1).I(2).I(3).I(4).S("five").I(6).S("seven").Bytes());

    CStadiumWingRecord wing;
    wing.partId = 300054;
    wing.stadiumId = 2;
    wing.stageCost = 3;
    wing.stageDays = 4;
    wing.status = 5;
    wing.monthlyCost = 6;
    wing.daysDone = 7;
    wing.price = 8;
    wing.reserved9 = 9;
    wing.seats = 10;
    wing.level = 11;
    for (int i = 0; i < 7; ++i)
        wing.reserved[i] = 12 + i;
    ByteBuilder wingBytes;
    wingBytes.I(300054);
    for (int field = 2; field <= 18; ++field)
        wingBytes.I(field);
    ExpectLayout(wing, wingBytes.Bytes());
}

TEST(RecordLayout, CareerRows) {
    CEmail mail;
    mail.id = 1;
    mail.countWord = 2;
    mail.templateRow = 3;
    mail.type = 80062;
    mail.senderText = "five";
    mail.senderName = "six";
    mail.textId1 = 7;
    mail.textId2 = 8;
    mail.year = 2007;
    mail.day = 10;
    mail.month = 11;
    mail.unread = 1;
    ByteBuilder mailBytes;
    mailBytes.I(1).I(2).I(3).I(80062).S("five").S("six").I(7).I(8).I(2007).I(10).I(11).I(1);
    for (int k = 0; k < kEmailPlaceholders; ++k) {
        mail.placeholders[k] = CStr::Formatted("XX%d", k + 1);
        mailBytes.S("XX" + std::to_string(k + 1));
    }
    ExpectLayout(mail, mailBytes.Bytes());

    CFinanceEntry entry;
    entry.year = 2007;
    entry.month = 9;
    entry.day = 3;
    entry.kind = 7;
    for (int k = 0; k < 7; ++k)
        entry.values[k] = 5 + k;
    entry.text = "Signing";
    ExpectLayout(
        entry,
        ByteBuilder().I(2007).I(9).I(3).I(7).I(5).I(6).I(7).I(8).I(9).I(10).I(11).S("Signing").Bytes());

    CLeagueStanding fixture;
    fixture.homeTeam = 1;
    fixture.awayTeam = 2;
    fixture.year = 2007;
    fixture.month = 10;
    fixture.day = 5;
    fixture.homeScore = 88;
    fixture.awayScore = -1;
    fixture.leagueId = 2;
    ExpectLayout(fixture, ByteBuilder().I(1).I(2).I(2007).I(10).I(5).I(88).I(-1).I(2).Bytes());

    CStorageItem item;
    item.id = 1;
    item.itemIndex = 2;
    item.quantity = 3;
    item.kind = "sto";
    item.days = 5;
    item.sold = 6;
    item.year = 7;
    item.month = 8;
    item.day = 9;
    ExpectLayout(item, ByteBuilder().I(1).I(2).I(3).S("sto").I(5).I(6).I(7).I(8).I(9).Bytes());

    CCertificate certificate;
    certificate.playerName = "p";
    certificate.fromTeam = "f";
    certificate.toTeam = "t";
    certificate.amount = 4;
    certificate.rating = 5;
    certificate.contractMonths = 6;
    certificate.cardValue = 7;
    certificate.day = 8;
    certificate.month = 9;
    certificate.year = 10;
    ExpectLayout(certificate, ByteBuilder().S("p").S("f").S("t").I(4).I(5).I(6).I(7).I(8).I(9).I(10).Bytes());

    CTrainingType type;
    type.id = 1;
    type.textId = 70115;
    type.name = "x";
    type.firstDelta = -4;
    type.secondDelta = -5;
    ExpectLayout(type, ByteBuilder().I(1).I(70115).S("x").I(-4).I(-5).Bytes());

    CStadiumUpgradeRecord limit;
    ByteBuilder limitBytes;
    for (int k = 0; k < 7; ++k) {
        limit.elements[k] = CStr::Formatted("E%d", k);
        limitBytes.S("E" + std::to_string(k));
    }
    limit.leagueKind = 100005;
    limit.leagueClass = 2;
    limit.stageLimit = 3;
    ExpectLayout(limit, limitBytes.I(100005).I(2).I(3).Bytes());
}

TEST(RecordLayout, RunningConstructionKeepsFourWordsOnDisk) {
    CMyStadiumUpgrade work;
    work.partId = 300061;
    work.daysNeeded = 12;
    work.daysDone = 3;
    work.level = 2;
    work.cost = 40000;
    work.seats = 500;
    std::string expected = ByteBuilder().I(300061).I(12).I(3).I(2).Bytes();
    ASSERT_EQ(BytesOf(work), expected);

    CMyStadiumUpgrade read;
    read.cost = 99;
    read.seats = 99;
    CArchive ar = CArchive::ForReading(expected);
    read.Serialize(ar);
    EXPECT_EQ(read.partId, 300061);
    EXPECT_EQ(read.level, 2);
    EXPECT_EQ(read.cost, 0);
    EXPECT_EQ(read.seats, 0);
}
