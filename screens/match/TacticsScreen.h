// CTacticsScreen: the user's attack and defence tactics with their formation previews, and the
// starting five against the bench, between matches (the squad records) and during either match.
#pragma once

#include "engine/Math3D.h"
#include "engine/TextRun.h"
#include "gui/GuiTypes.h"
#include "screens/ScreenContext.h"

#include <cstdint>
#include <vector>

class CGuiElement;
struct CPlayer;
struct CTeam;
class CMatchTeam;
class CCourtPlayer;
class CMatch2DTeam;

inline constexpr int kTacticCount = 20;
inline constexpr int kTacticsPerSide = 10;
inline constexpr int kFirstDefenceTactic = 10;

// The five formation points of one tactic, in file order; only x and z are drawn.
struct TacticPreview {
    Vec3 points[5];
};

// One player as both grids show him, whichever source he came from.
struct TacticsRow {
    int32_t id = -1;
    int index = 0; // place in the source list
    CStr name;
    int32_t naturalPosition = 0;
    int32_t playedPosition = 0;
    float stamina = 0.0f;
    int32_t form = 0;
    int32_t overall = 0;
    bool onCourt = false;
    bool unavailable = false; // injured or fouled out: the whole row is red
};

// The game path of a tactic's formation file; empty outside 0-19.
const char* TacticPreviewFile(int tacticId);
// The drop-list item chosen (-1 = none) to the tactic id: attack 0-9, defence 10-19.
int OffenceTacticOfItem(int item);
int DefenceTacticOfItem(int item);
// Top-left corner of a marker for a court point: 17 pixels a unit from the picture's centre. The
// horizontal centring takes half the marker's height and the vertical half its width, which is
// the same thing for the square markers the layout uses.
void MarkerTopLeft(const GuiRect& court, int markerW, int markerH, const Vec3& p, int& left, int& top);
// Red below 10, yellow below 60, green from there (colour words).
uint32_t BandColour(float value);
// The rows of each source, in list order.
// An injured player (or, in a match, one with six fouls) is unavailable, and with a text lookup
// his name carries the language's word for it.
std::vector<TacticsRow> RowsOfClub(const CTeam& club, const CScreenContext::TextLookup& text = {});
// A 3D match team's rows, with a change the user made but the match has not yet carried out
// shown as made; an injured or fouled-out player's name carries the language's word for it.
std::vector<TacticsRow> RowsOfMatchTeam(const CMatchTeam& team, const CScreenContext::TextLookup& text);
// The replacement an on-court player waits for (called off, not yet gone); null when none.
const CCourtPlayer* PendingReplacement(const CCourtPlayer* player);
// The on-court player of the team who waits for that bench player; null when none.
const CCourtPlayer* ReplacementFor(const CMatchTeam& team, const CCourtPlayer* incoming);
bool HasPendingChange(const CMatchTeam& team);
std::vector<TacticsRow> RowsOfMatch2DTeam(const CMatch2DTeam& team,
                                          const CScreenContext::TextLookup& text = {});

class CTacticsScreen : public CGameScreen {
public:
    static constexpr uint32_t kRed = 0x0000FFFFu;
    static constexpr uint32_t kYellow = 0x00FFFFFFu;
    static constexpr uint32_t kGreen = 0x00FF00FFu;
    static constexpr uint32_t kWhite = 0xFFFFFFFFu;
    static constexpr uint32_t kClubNameColour = 0x8FECF3FFu; // (243, 236, 143)

    // Reads the twenty previews; a missing formation file ends the game like every shipped file.
    explicit CTacticsScreen(const CScreenContext& ctx);

    void Refresh() override;
    void OnMessage(GuiMessage& message) override;

    int GetOffenceTactic() const;
    int GetDefenceTactic() const;

    void FillLineupGrids();
    void ReadTacticPreview(const CStr& path, int tacticId);
    void PlaceMarker(const Vec3& point, CGuiElement* marker);
    void ShowOffencePreview();
    void ShowDefencePreview();
    void UpdateOffence();
    void UpdateDefence();
    void ShowHeader();
    // A player of the user's on court who must leave (hurt, or six fouls) and has no change yet gets
    // the one the computer's coach would make: the freshest player on the bench who may come on. On
    // the 3D court the change is recorded, shown as made, and Done hands it to the match (swapping
    // the two back takes it back); on the flat court, where a swap is made at once, it is made. Either
    // way the user sees it in the lists and may pick another. Nothing while the 3D match carries out
    // another change (it records one at a time and asks again after it).
    void OfferMustLeaveChanges();
    // The player of that id in the user's club and his place in its list; null when absent.
    CPlayer* FindRosterEntry(int32_t playerId, int& index) const;

    const TacticPreview& Preview(int tacticId) const { return previews[tacticId]; }

    int32_t selectedStarterId = -1;
    int32_t selectedBenchId = -1;
    TacticPreview previews[kTacticCount];
    CStr dateText = "01-08-2007";
    uint8_t userIsHome = 1;          // rewritten by the day before each match of the user's club
    uint8_t substitutionPending = 0; // a 3D substitution is recorded and waits for apply

private:
    bool MatchRunning() const;
    bool Running3D() const;
    bool Running2D() const;
    void Swap(GuiMessage& message);
    // Records the 3D change of leaving for coming, shown as made until the match carries it out.
    void RecordChange3D(CCourtPlayer& leaving, CCourtPlayer& coming);
    // Says why a swap made while another change is under way was not recorded.
    void TellSwapMustWait();
    // Says why the chosen player may not come on: "<name> is injured ..." or "... six fouls ...".
    void TellSwapRefused(const CStr& name, bool fouledOut);
    // The swap's message box over the window, with the given text.
    void ShowSwapMessage(const CStr& text);
    void Apply(GuiMessage& message);
    void ClearGridSelections();
    void UpdateDescription(int combo, int textBox, const TextRun& texts);
    CGuiElement* Child(int id) const;

    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;
};
