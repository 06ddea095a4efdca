// The club overview: gathers the club's figures from the career, then fills each panel from them.
#include "screens/stadium/ClubOverviewScreen.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "career/Standings.h"
#include "database/MemoryDB.h"
#include "engine/TextRun.h"
#include "gui/Element.h"
#include "screens/ClubCaption.h"
#include "screens/FormatFigures.h"
#include "screens/FormatMoney.h"

#include <algorithm>
#include <initializer_list>

namespace {

// Player-statistics fields of the six leader statistics and their captions.
constexpr int kLeaderFields[kLeaderStats] = {10, 29, 30, 26, 27, 28};
constexpr int kLeaderCaptions[kLeaderStats] = {80013, 80014, 80015, 80016, 80017, 80018};
constexpr TextRun kSeatHeaderTexts{80021, 3}; // class, seats, amount
constexpr TextRun kSeatClassTexts{80024, 5};  // the seat classes by index

// Per index: picture element, bar elements first to fourth, row title element. The rows of parts
// 300060 and 300061 lie in the layout the other way round from their ids.
struct PartElements {
    int picture;
    int bars[4];
    int title;
};
constexpr PartElements kPartElements[kStadiumParts] = {
    {ID_OV_PART0,
     {ID_OV_PART0_BAR1, ID_OV_PART0_BAR2, ID_OV_PART0_BAR3, ID_OV_PART0_BAR4},
     ID_OV_PART0_TITLE},
    {ID_OV_PART1,
     {ID_OV_PART1_BAR1, ID_OV_PART1_BAR2, ID_OV_PART1_BAR3, ID_OV_PART1_BAR4},
     ID_OV_PART1_TITLE},
    {ID_OV_PART2,
     {ID_OV_PART2_BAR1, ID_OV_PART2_BAR2, ID_OV_PART2_BAR3, ID_OV_PART2_BAR4},
     ID_OV_PART2_TITLE},
    {ID_OV_PART3,
     {ID_OV_PART3_BAR1, ID_OV_PART3_BAR2, ID_OV_PART3_BAR3, ID_OV_PART3_BAR4},
     ID_OV_PART3_TITLE},
    {ID_OV_PART4,
     {ID_OV_PART4_BAR1, ID_OV_PART4_BAR2, ID_OV_PART4_BAR3, ID_OV_PART4_BAR4},
     ID_OV_PART4_TITLE},
    {ID_OV_PART5,
     {ID_OV_PART5_BAR1, ID_OV_PART5_BAR2, ID_OV_PART5_BAR3, ID_OV_PART5_BAR4},
     ID_OV_PART5_TITLE},
    {ID_OV_PART6,
     {ID_OV_PART6_BAR1, ID_OV_PART6_BAR2, ID_OV_PART6_BAR3, ID_OV_PART6_BAR4},
     ID_OV_PART6_TITLE},
    {ID_OV_PART7,
     {ID_OV_PART7_BAR1, ID_OV_PART7_BAR2, ID_OV_PART7_BAR3, ID_OV_PART7_BAR4},
     ID_OV_PART7_TITLE},
    {ID_OV_PART8,
     {ID_OV_PART8_BAR1, ID_OV_PART8_BAR2, ID_OV_PART8_BAR3, ID_OV_PART8_BAR4},
     ID_OV_PART8_TITLE},
    {ID_OV_PART9,
     {ID_OV_PART9_BAR1, ID_OV_PART9_BAR2, ID_OV_PART9_BAR3, ID_OV_PART9_BAR4},
     ID_OV_PART9_TITLE},
    {ID_OV_PART10,
     {ID_OV_PART10_BAR1, ID_OV_PART10_BAR2, ID_OV_PART10_BAR3, ID_OV_PART10_BAR4},
     ID_OV_PART10_TITLE},
    {ID_OV_PART11,
     {ID_OV_PART11_BAR1, ID_OV_PART11_BAR2, ID_OV_PART11_BAR3, ID_OV_PART11_BAR4},
     ID_OV_PART11_TITLE},
    {ID_OV_PART12,
     {ID_OV_PART12_BAR1, ID_OV_PART12_BAR2, ID_OV_PART12_BAR3, ID_OV_PART12_BAR4},
     ID_OV_PART12_TITLE},
    {ID_OV_PART13,
     {ID_OV_PART13_BAR1, ID_OV_PART13_BAR2, ID_OV_PART13_BAR3, ID_OV_PART13_BAR4},
     ID_OV_PART13_TITLE},
    {ID_OV_PART14,
     {ID_OV_PART14_BAR1, ID_OV_PART14_BAR2, ID_OV_PART14_BAR3, ID_OV_PART14_BAR4},
     ID_OV_PART14_TITLE},
    {ID_OV_PART15,
     {ID_OV_PART15_BAR1, ID_OV_PART15_BAR2, ID_OV_PART15_BAR3, ID_OV_PART15_BAR4},
     ID_OV_PART15_TITLE},
    {ID_OV_PART16,
     {ID_OV_PART16_BAR1, ID_OV_PART16_BAR2, ID_OV_PART16_BAR3, ID_OV_PART16_BAR4},
     ID_OV_PART16_TITLE},
    {ID_OV_PART17,
     {ID_OV_PART17_BAR1, ID_OV_PART17_BAR2, ID_OV_PART17_BAR3, ID_OV_PART17_BAR4},
     ID_OV_PART17_TITLE},
};

CStr Money(int32_t amount) {
    return FormatMoney(CStr::Formatted("%d", amount), ',', '$');
}
CStr Count(int32_t amount) {
    return GroupedCount(amount);
}

// Starts a grid's fill: no cells, the logical rows, the cells' formats.
void StartGrid(CGuiElement* grid, int rows, std::initializer_list<int> formats) {
    grid->Clear();
    grid->SetRowCount(rows);
    int column = 0;
    for (int format : formats)
        grid->SetColumnFormat(column++, format);
}

void AddRow(CGuiElement* grid, std::initializer_list<CStr> cells) {
    int column = 0;
    for (const CStr& cell : cells)
        grid->AddCell(column++, cell, -1);
}

} // namespace

SeasonRecord CountSeasonRecord(const CTeam& club, int64_t seasonStartKey) {
    SeasonRecord record;
    int wins = 0;
    for (const CMatchStat* stat : club.matchStats) {
        if (!stat || stat->DateKey() < seasonStartKey)
            continue;
        ++record.games;
        int own = stat->Score();
        int against = stat->OpponentScore();
        bool home = stat->Side() == 0;
        if (own > against) {
            ++(home ? record.homeWins : record.awayWins);
            ++wins;
        } else if (own < against) {
            ++(home ? record.homeLosses : record.awayLosses);
        }
    }
    // The share of this season's games, so last season's matches no longer drag it down.
    if (record.games > 0)
        record.winPercent = static_cast<float>(wins) / static_cast<float>(record.games) * 100.0f;
    return record;
}

TeamLeaders FindTeamLeaders(const CTeam& team, int64_t firstKey) {
    TeamLeaders leaders;
    for (const CPlayer* player : team.players) {
        if (!player)
            continue;
        // Per game played, over the same records the statistics screen reads.
        int games = 0;
        std::array<int64_t, kLeaderStats> sums{};
        for (const CPlayerStat* stat : player->stats) {
            if (!stat || stat->DateKey() < firstKey || !PlayedInMatch(*stat))
                continue;
            ++games;
            for (int k = 0; k < kLeaderStats; ++k)
                sums[static_cast<size_t>(k)] += stat->Field(kLeaderFields[k]);
        }
        if (games == 0)
            continue;
        for (int k = 0; k < kLeaderStats; ++k) {
            const float value = static_cast<float>(sums[static_cast<size_t>(k)]) / static_cast<float>(games);
            if (value > leaders.values[static_cast<size_t>(k)]) {
                leaders.values[static_cast<size_t>(k)] = value;
                leaders.names[static_cast<size_t>(k)] = player->name;
            }
        }
    }
    return leaders;
}

int StadiumPartIndex(int32_t partId) {
    if (partId == kCorePart)
        return 0;
    if (partId >= kFirstPart && partId < kFirstPart + kStadiumParts - 1)
        return partId - kFirstPart + 1;
    return -1;
}

int32_t StadiumPartTextId(int index) {
    return index == 0 ? kCorePart : kFirstPart + index - 1;
}

CStr StadiumPartPicture(int index, int level) {
    return CStr::Formatted("\\images\\WinObjects\\STADIONADVELEMENTS\\kep%.2da%s.png", index + 1,
                           level >= 1 ? "_f2" : "");
}

CClubOverviewScreen::CClubOverviewScreen(const CScreenContext& ctx) : m_ctx(ctx), m_root(ctx.Find(kWindow)) {}

CGuiElement* CClubOverviewScreen::Child(int id) const {
    return m_root ? m_root->FindChild(id) : nullptr;
}

void CClubOverviewScreen::Refresh() {
    const CCareerSession& session = m_ctx.Session();
    if (!session.HasOpenCareer())
        return;
    const CMemoryDB& career = *session.careerDB;
    const CTeam* club = career.teams.At(0);
    const CProfile* profile = career.profiles.At(0);
    if (!club || !profile)
        return;

    for (int i = 0; i < kStadiumParts; ++i)
        if (CGuiElement* title = Child(kPartElements[i].title))
            title->SetText(m_ctx.Text(StadiumPartTextId(i)), kFormatCentreMiddle, kWhite);

    m_managerName = profile->managerName;
    m_managerNumber1 = profile->managerNumber;
    m_managerRole = m_ctx.Text(profile->roleTextId);
    m_careerModeTextId = profile->modeTextId;
    m_managerNumber2 = profile->progress;

    m_clubName = club->name;
    const GameDate& today = session.currentDate;
    m_dateText = FormatDate(today.year, today.day, today.month, ".");

    SeasonSpan season;
    if (session.fixtureList)
        season = session.fixtureList->Season();
    // A tournament career is one tournament: its record runs over every round, not only the one
    // under way (each round starts its own tables).
    const int64_t recordFrom =
        session.tournamentMode ? 0 : MakeDateKey(season.startYear, season.startMonth, season.startDay);
    m_record = CountSeasonRecord(*club, recordFrom);

    const int32_t figures[5] = {club->cash, club->money11, club->money12, club->attendance, club->fanBase};
    std::copy(std::begin(figures), std::end(figures), m_clubFigures);

    m_leaders = FindTeamLeaders(*club, recordFrom);
    GatherFixtures(*club, recordFrom);
    GatherStadium(*club);

    SetCaptions();
    if (CGuiElement* logo = Child(ID_OV_LOGO))
        logo->SetImage(m_logoPath);
    FillClubRecord();
    FillManagerCard();
    FillTeamLeaders();
    FillComparison();
    ShowStadiumPicture();
    FillSeatClasses();
    FillNextMatches();
}

void CClubOverviewScreen::GatherFixtures(const CTeam& club, int64_t figuresFrom) {
    m_opponentValues.fill(0.0f);
    m_opponentName = CStr();
    // A season with nothing left to play shows no fixtures rather than those of an earlier refresh.
    m_nextMatches.clear();
    const CCareerSession& session = m_ctx.Session();
    if (!session.fixtureList)
        return;
    const GameDate& today = session.currentDate;
    std::vector<CFixture*> coming =
        session.fixtureList->GetTeamFixturesFrom(club.id, today.year, today.month, today.day);
    bool first = true;
    for (const CFixture* fixture : coming) {
        // Today's match once played is a result, not a coming match.
        if (fixture->homeScore >= 0)
            continue;
        bool atHome = fixture->home && fixture->home->id == club.id;
        const CTeam* opponent = atHome ? fixture->away : fixture->home;
        if (first && opponent) {
            m_opponentValues = FindTeamLeaders(*opponent, figuresFrom).values;
            m_opponentName = opponent->name;
        }
        first = false;
        auto row = std::make_unique<NextMatchRow>();
        row->date = FormatDate(fixture->year, fixture->day, fixture->month, ".");
        row->opponent = opponent ? opponent->name : CStr();
        row->venue = m_ctx.Text(atHome ? 100011 : 100010);
        m_nextMatches.push_back(std::move(row));
    }
}

void CClubOverviewScreen::GatherStadium(const CTeam& club) {
    m_logoPath = ClubCrestPath(&club);
    m_seatClasses.fill(SeatClass{});
    // Every refresh reads the levels afresh: a club without a stadium (or a career loaded after
    // another) must not show the levels of an earlier refresh.
    m_partLevels.fill(0);
    if (!club.stadium)
        return;
    for (const CStadiumWingRecord* wing : club.stadium->wings) {
        int index = wing ? StadiumPartIndex(wing->partId) : -1;
        if (index < 0)
            continue;
        m_partLevels[static_cast<size_t>(index)] = wing->level;
        if (wing->partId >= kFirstSeatPart && wing->partId <= kLastSeatPart) {
            SeatClass& seat = m_seatClasses[static_cast<size_t>(wing->partId - kFirstSeatPart)];
            seat = wing->level > 0 ? SeatClass{wing->seats, wing->price} : SeatClass{};
        }
    }
}

void CClubOverviewScreen::SetCaptions() {
    if (m_root)
        m_root->SetCaption(ClubCaptionLine(m_ctx, 80029, m_clubName, m_dateText));
    // The coming matches keep the layout's title: text 100010 is the word for an away match, which
    // their venue column shows.
    const std::pair<int, int> titles[] = {{ID_OV_RECORD_TITLE, 100022},
                                          {ID_OV_MANAGER_TITLE, 100190},
                                          {ID_OV_LEADERS_TITLE, 80113},
                                          {ID_OV_COMPARE_TITLE, 100128},
                                          {ID_OV_SEATS_TITLE, 80023}};
    for (const auto& [element, text] : titles)
        if (CGuiElement* title = Child(element))
            title->SetText(m_ctx.Text(text), kFormatLeftMiddle, kWhite);
    // The comparison names the opponent it is made against.
    if (CGuiElement* title = Child(ID_OV_COMPARE_TITLE); title && !m_opponentName.IsEmpty())
        title->SetText(m_ctx.Text(100128).Concat(": ").Concat(m_opponentName), kFormatLeftMiddle, kWhite);
}

void CClubOverviewScreen::FillClubRecord() {
    CGuiElement* grid = Child(ID_OV_RECORD);
    if (!grid)
        return;
    StartGrid(grid, 8, {kFormatLeftMiddle, kFormatLeftMiddle});
    AddRow(grid, {m_ctx.Text(80000), PercentText(static_cast<double>(m_record.winPercent))});
    AddRow(grid, {m_ctx.Text(80001), CStr::Formatted("%d/%d", m_record.homeWins, m_record.homeLosses)});
    AddRow(grid, {m_ctx.Text(80002), CStr::Formatted("%d/%d", m_record.awayWins, m_record.awayLosses)});
    AddRow(grid, {m_ctx.Text(80003), Money(m_clubFigures[0])});
    AddRow(grid, {m_ctx.Text(80005), Money(m_clubFigures[1])});
    AddRow(grid, {m_ctx.Text(80006), Money(m_clubFigures[2])});
    // No figure of another season's crowd before the first home match.
    AddRow(grid, {m_ctx.Text(80007),
                  m_record.homeWins + m_record.homeLosses > 0 ? Count(m_clubFigures[3]) : CStr("-")});
    AddRow(grid, {m_ctx.Text(100033), Count(m_clubFigures[4])});
}

void CClubOverviewScreen::FillManagerCard() {
    CGuiElement* grid = Child(ID_OV_MANAGER);
    if (!grid)
        return;
    StartGrid(grid, 5, {kFormatLeftMiddle, kFormatLeftMiddle});
    AddRow(grid, {m_ctx.Text(80008), m_managerName});
    AddRow(grid, {m_ctx.Text(80009), CStr::Formatted("%d", m_managerNumber1)});
    AddRow(grid, {m_ctx.Text(80010), CStr::Formatted("%d", m_managerNumber2)});
    AddRow(grid, {m_ctx.Text(80011), m_managerRole});
    AddRow(grid, {m_ctx.Text(80012), m_ctx.Text(m_careerModeTextId)});
}

void CClubOverviewScreen::FillTeamLeaders() {
    CGuiElement* grid = Child(ID_OV_LEADERS);
    if (!grid)
        return;
    StartGrid(grid, 7, {kFormatLeftMiddle, kFormatCentreMiddle, kFormatRightMiddle});
    // A header of its own: the ledger row texts next to it in the language file name money kinds.
    grid->SetHeaderText(0, m_ctx.Text(80124), kFormatLeftMiddle);
    grid->SetHeaderText(1, m_ctx.Text(100043), kFormatCentreMiddle);
    grid->SetHeaderText(2, m_ctx.Text(80035), kFormatRightMiddle);
    for (int k = 0; k < kLeaderStats; ++k) {
        size_t i = static_cast<size_t>(k);
        AddRow(grid, {m_ctx.Text(kLeaderCaptions[k]),
                      CStr::Formatted("%.2f", static_cast<double>(m_leaders.values[i])), m_leaders.names[i]});
    }
}

void CClubOverviewScreen::FillComparison() {
    CGuiElement* grid = Child(ID_OV_COMPARE);
    if (!grid)
        return;
    StartGrid(grid, 7, {kFormatLeftMiddle, kFormatCentreMiddle, kFormatCentreMiddle});
    for (int c = 0; c < 3; ++c)
        grid->SetHeaderColours(c, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF);
    grid->SetHeaderText(1, m_ctx.Text(80019), kFormatCentreMiddle);
    grid->SetHeaderText(2, m_ctx.Text(80020), kFormatCentreMiddle);
    for (int k = 0; k < kLeaderStats; ++k) {
        size_t i = static_cast<size_t>(k);
        AddRow(grid, {m_ctx.Text(kLeaderCaptions[k]),
                      CStr::Formatted("%.2f", static_cast<double>(m_leaders.values[i])),
                      CStr::Formatted("%.2f", static_cast<double>(m_opponentValues[i]))});
    }
}

void CClubOverviewScreen::FillSeatClasses() {
    CGuiElement* grid = Child(ID_OV_SEATS);
    if (!grid)
        return;
    StartGrid(grid, 6, {kFormatLeftMiddle, kFormatLeftMiddle, kFormatLeftMiddle});
    for (int c = 0; c < 3; ++c) {
        grid->SetHeaderColours(c, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF);
        grid->SetHeaderText(c, m_ctx.Text(kSeatHeaderTexts.At(c)), kFormatLeftMiddle);
    }
    for (int r = 0; r < kSeatClasses; ++r) {
        const SeatClass& seat = m_seatClasses[static_cast<size_t>(r)];
        AddRow(grid, {m_ctx.Text(kSeatClassTexts.At(r)), Count(seat.seats), Money(seat.amount)});
    }
    for (int r = 0; r < kSeatClasses; ++r)
        if (PartLevel(StadiumPartIndex(kFirstSeatPart + r)) <= 0)
            for (int c = 0; c < 3; ++c)
                grid->SetCellColour(c, r, kDimColour);
}

void CClubOverviewScreen::FillNextMatches() {
    CGuiElement* grid = Child(ID_OV_NEXT);
    if (!grid)
        return;
    StartGrid(grid, static_cast<int>(m_nextMatches.size()),
              {kFormatLeftMiddle, kFormatCentreMiddle, kFormatRightMiddle});
    for (const auto& row : m_nextMatches)
        AddRow(grid, {row->opponent, row->date, row->venue});
    grid->ResetScroll(true);
}

void CClubOverviewScreen::ShowStadiumPicture() {
    if (!Child(kPartElements[0].picture))
        return;
    for (int i = 0; i < kStadiumParts; ++i) {
        const PartElements& part = kPartElements[i];
        int level = m_partLevels[static_cast<size_t>(i)];
        if (CGuiElement* picture = Child(part.picture))
            picture->SetImage(StadiumPartPicture(i, level));
        for (int b = 0; b < 4; ++b)
            if (CGuiElement* bar = Child(part.bars[b]))
                bar->SetImage(level > b ? kGreenPixel : kGreyPixel);
    }
}
