// CClubOverviewScreen: the career's home page. The club's season record and figures, the manager's
// card, the team leaders against the next opponent's best, the seat classes, the coming fixtures and
// the stadium picture layered from the levels of its eighteen parts. Display only.
#pragma once

#include "engine/Str.h"
#include "guidefines.h"
#include "screens/ScreenContext.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class CGuiElement;
struct CTeam;

constexpr int kStadiumParts = 18;
constexpr int kLeaderStats = 6;
constexpr int kSeatClasses = 5;

// The club's results of this season: records dated on or after the season's start.
struct SeasonRecord {
    int homeWins = 0, homeLosses = 0, awayWins = 0, awayLosses = 0;
    int games = 0; // draws included
    float winPercent = 0.0f;
};
SeasonRecord CountSeasonRecord(const CTeam& club, int64_t seasonStartKey);

// Per statistic, the squad's best figure per game played (records dated from firstKey, yyyymmdd, as
// the statistics screen counts them) and who holds it; a tie keeps the earlier player, no figure
// above 0 keeps "" and 0.
struct TeamLeaders {
    std::array<float, kLeaderStats> values{};
    std::array<CStr, kLeaderStats> names;
};
TeamLeaders FindTeamLeaders(const CTeam& team, int64_t firstKey);

// The overview's index (0-17) of a stadium part id, -1 for none.
int StadiumPartIndex(int32_t partId);
// Language text id of the part shown at an index.
int32_t StadiumPartTextId(int index);
// The picture of a part at a level: the plain one until a stage is built, then the finished one.
CStr StadiumPartPicture(int index, int level);

// One coming fixture of the club as its grid shows it.
struct NextMatchRow {
    CStr opponent;
    CStr date;
    CStr venue;
};

class CClubOverviewScreen : public CGameScreen {
public:
    static constexpr int kWindow = ID_CLUBOVERVIEW;
    static constexpr uint32_t kWhite = 0xFFFFFFFFu;
    static constexpr uint32_t kDimColour = 0xFFFFFF80u; // a seat class whose part is not built
    static constexpr const char* kGreyPixel = "\\images\\WinObjects\\1x1\\PX_szurke.png";
    static constexpr const char* kGreenPixel = "\\images\\WinObjects\\1x1\\PX_zold.png";

    explicit CClubOverviewScreen(const CScreenContext& ctx);
    CClubOverviewScreen(const CClubOverviewScreen&) = delete;
    CClubOverviewScreen& operator=(const CClubOverviewScreen&) = delete;

    void Refresh() override;
    // Sets the eighteen pictures and their bars from the stored levels; reads no database.
    void ShowStadiumPicture();

    void SetCaptions();
    void FillClubRecord();
    void FillManagerCard();
    void FillTeamLeaders();
    void FillComparison();
    void FillSeatClasses();
    void FillNextMatches();
    void ClearNextMatches() { m_nextMatches.clear(); }

    const SeasonRecord& Record() const { return m_record; }
    const TeamLeaders& Leaders() const { return m_leaders; }
    const std::array<float, kLeaderStats>& OpponentValues() const { return m_opponentValues; }
    const std::vector<std::unique_ptr<NextMatchRow>>& NextMatches() const { return m_nextMatches; }
    int PartLevel(int index) const { return m_partLevels[static_cast<size_t>(index)]; }
    // Levels as the stadium construction leaves them; shown at the next ShowStadiumPicture.
    void SetPartLevel(int index, int level) { m_partLevels[static_cast<size_t>(index)] = level; }

private:
    struct SeatClass {
        int32_t seats = 0;
        int32_t amount = 0;
    };

    CGuiElement* Child(int id) const;
    void GatherStadium(const CTeam& club);
    // The coming matches; the next opponent's figures count from figuresFrom (yyyymmdd).
    void GatherFixtures(const CTeam& club, int64_t figuresFrom);

    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;
    CStr m_clubName;
    CStr m_dateText = "01.08.2007";
    SeasonRecord m_record;
    int32_t m_clubFigures[5] = {}; // cash, then team fields 11 to 14
    CStr m_managerName;
    int32_t m_managerNumber1 = 35;
    CStr m_managerRole;
    int32_t m_careerModeTextId = 100063;
    int32_t m_managerNumber2 = 0;
    TeamLeaders m_leaders;
    std::array<float, kLeaderStats> m_opponentValues{};
    CStr m_opponentName;
    std::array<SeatClass, kSeatClasses> m_seatClasses{};
    CStr m_logoPath = "\\images\\Winobjects\\Logos\\logo1.png";
    std::array<int, kStadiumParts> m_partLevels{};
    std::vector<std::unique_ptr<NextMatchRow>> m_nextMatches;
};
