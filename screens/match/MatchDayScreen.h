// CMatchDayScreen: the match centre of the flat-court match. It shows the user's match as markers on
// a drawn court with the clock, score, box scores, a team comparison and the commentary, drives the
// 2D engine a few ticks each frame while running, and records the finished match into the season.
// The same object serves a match run at once: then it only sets up, runs and records.
#pragma once

#include "engine/Math3D.h"
#include "engine/Str.h"
#include "screens/ScreenContext.h"

#include <cstdint>
#include <vector>

class CGuiElement;
class CMatch2D;
class CMatch2DTeam;
class CMemoryDB;
class CDayController;
class IHudSound;
struct CFixture;
struct CTeam;

// Court coordinates (x across, z along the long axis; y unused) to the marker's top-left pixel on a
// court picture at (courtX, courtY) of courtW x courtH: the court's centre is the picture's centre,
// one unit of x is 20 pixels to the right, one unit of z 21 pixels down.
void CourtToPixel(int courtX, int courtY, int courtW, int courtH, int markerW, int markerH,
                  const Vec3& position, int& left, int& top);
// The box score's foul colour (a colour word): green at no fouls, through yellow to red, clamped so
// that seven and more fouls stay red.
uint32_t FoulColour(int fouls);

class CMatchDayScreen : public CGameScreen {
public:
    static constexpr int kPlayTicks = 5;
    static constexpr int kFastTicks = 15;
    static constexpr int kMaxTimeOuts = 7;

    explicit CMatchDayScreen(const CScreenContext& ctx);
    ~CMatchDayScreen() override;
    CMatchDayScreen(const CMatchDayScreen&) = delete;
    CMatchDayScreen& operator=(const CMatchDayScreen&) = delete;

    void Refresh() override;
    void OnMessage(GuiMessage& message) override;

    // The match day's hand-off: the engine has the match set up already.
    void SetupMatch(CTeam* homeRecord, CTeam* awayRecord);
    void SetFixture(CFixture* fixture) { m_fixture = fixture; }
    CFixture* Fixture() const { return m_fixture; }

    // The application's frame calls these three in this order while the screen is the view.
    void ShowTeamHeader();
    void Update();
    void StartAtmosphere();
    void FrameStep() {
        ShowTeamHeader();
        Update();
        StartAtmosphere();
    }

    // The engine's event lines and its forced substitutions.
    void AddCommentary(const CStr& text, const CStr& name, bool homeSide);
    // A whole line as it stands; `text` is what the crowd answers.
    void AddCommentaryLine(const CStr& line, const CStr& text);
    void ShowInfoPopup(const CStr& name, bool leaving);
    // The engine paused itself between quarters: play, fast and tactics wait for the user.
    void OnQuarterBreak();
    // The match is over: the speed buttons off, the clock at the last period's end, a last line.
    void ShowFinalWhistle();
    void ShowSpeedButtons(bool paused);
    void Substitute2D(int outgoingId, int incomingId);

    // Writes the finished match into the databases, once per match (a second call records nothing).
    void RecordMatch(CTeam* homeRecord, CTeam* awayRecord);
    // The finish button: record, score to the fixture through the day controller, leave.
    void FinishMatch();

    // Court view and tables.
    void PlaceMarker(const Vec3& position, CGuiElement* marker, bool highlighted);
    void PlaceCourtMarkers();
    void DeactivateMarkers();
    void FillTeamStats();
    void UpdateScoreboard();
    void FillVisitorBoxScore();
    void FillHostBoxScore();

    // Tests and tools: the engine to drive (the running game's by default), the crowd.
    void SetMatch(CMatch2D* match) { m_match = match; }
    void SetSound(IHudSound* sound, bool present = true) {
        m_sound = sound;
        m_soundPresent = present;
        m_soundOverride = true;
    }

    bool Running() const { return m_running; }
    bool Started() const { return m_started; }
    bool Recorded() const { return m_recorded; }
    int Quarter() const { return m_quarter; }
    int CommentaryCount() const { return m_commentaryCount; }
    bool ForcedSubstitution() const { return m_forcedSubstitution; }
    bool AtmospherePlaying() const { return m_atmosphere; }

private:
    CMatch2D* Match() const;
    bool Instant() const;
    CGuiElement* Child(int id) const;
    CMatch2DTeam* UserSide() const;
    CDayController* DayController() const;
    void FillBoxScore(const CMatch2DTeam* side, int firstGrid, int secondGrid, bool headersOnSecond);
    // The clock line's labels and, during a match, its figures (shot clock, quarter, time).
    void FillClockLine(CGuiElement& clock) const;
    void SetButtonsForPlay(bool fast);
    void Pause();
    void OpenTactics();
    void OpenSubstitution();
    bool SoundPresent() const;
    void PlaySound(const char* tag);
    void StopSound(const char* tag);

    const CScreenContext& m_ctx;
    CStr m_clubName{"-"};
    CStr m_dateText{"01-08-2007"};
    int32_t m_clubId = -1;
    CGuiElement* m_root = nullptr;
    std::vector<CGuiElement*> m_homeMarkers;
    std::vector<CGuiElement*> m_awayMarkers;
    CMatch2DTeam* m_homeTeam = nullptr;
    CMatch2DTeam* m_awayTeam = nullptr;
    int32_t m_quarter = 1;
    int32_t m_commentaryCount = 0;
    bool m_running = false;
    bool m_fast = false;    // play runs at full speed (meaningful while m_running)
    bool m_started = false; // the tip-off line has been given since the last stop
    CFixture* m_fixture = nullptr;
    CTeam* m_homeRecord = nullptr;
    CTeam* m_awayRecord = nullptr;
    bool m_atmosphere = false;
    bool m_forcedSubstitution = false;
    CStr m_leaveText;        // the message of the players who must leave at this stop
    bool m_recorded = false; // this match's records are written

    CMatch2D* m_match = nullptr;
    IHudSound* m_sound = nullptr;
    bool m_soundOverride = false;
    bool m_soundPresent = false;
};
