// The match centre: set-up, buttons, the frame step, commentary and the forced-substitution popup.
#include "screens/match/MatchDayScreen.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "database/MemoryDB.h"
#include "database/Records.h"
#include "engine/Color.h"
#include "engine/GameRand.h"
#include "engine/Music.h"
#include "engine/Paths.h"
#include "engine/Sound.h"
#include "gui/Button.h"
#include "gui/Element.h"
#include "gui/Grid.h"
#include "gui/GuiTypes.h"
#include "gui/ScreenStack.h"
#include "guidefines.h"
#include "match2d/Match2D.h"
#include "screens/ClubCaption.h"
#include "screens/info/DayController.h"
#include "screens/match/CommentaryPopup.h"
#include "screens/match/MatchHud.h"
#include "screens/match/SubstitutionDialog.h"
#include "screens/match/TacticsScreen.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr int kFinishText = 500033;
constexpr int kFinalWhistleText = 61002;
constexpr uint32_t kBlack = 0x000000FFu;
constexpr uint32_t kYellow = 0x00FFFFFFu;
// The crowd's answer to a commentary line; the last slot stays quiet.
constexpr const char* kCrowdReactions[5] = {"WAAA_BELSO", "AHH_BELSO", "BRAVO_KULSO_SHORT", "SZURK_BELSO",
                                            nullptr};

// The running speed's button stays lit (off for a second click, but not greyed as a disabled one),
// as on the 3D display; with the match stopped neither is.
void LightSpeedButton(CGuiElement* play, CGuiElement* fast, bool running, bool isFast) {
    if (play)
        play->ForceState(CGuiButton::kPressed, running && !isFast);
    if (fast)
        fast->ForceState(CGuiButton::kPressed, running && isFast);
}

} // namespace

CMatchDayScreen::CMatchDayScreen(const CScreenContext& ctx) : m_ctx(ctx), m_root(ctx.Find(ID_MATCHCENTRE)) {
    for (int i = 0; i < 5; ++i) {
        m_homeMarkers.push_back(Child(ID_CENTRE_HOME_MARKER1 + i));
        m_awayMarkers.push_back(Child(ID_CENTRE_AWAY_MARKER1 + i));
    }
    // Markers only show where the players stand: they never take the mouse.
    for (auto* list : {&m_homeMarkers, &m_awayMarkers})
        for (CGuiElement* marker : *list)
            if (marker != nullptr) {
                marker->SetColours(kBlack, kBlack, kBlack, kYellow);
                marker->SetActive(false);
            }
}

CMatchDayScreen::~CMatchDayScreen() = default;

CGuiElement* CMatchDayScreen::Child(int id) const {
    return m_root != nullptr ? m_root->FindChild(id) : nullptr;
}

CMatch2D* CMatchDayScreen::Match() const {
    return m_match != nullptr ? m_match : g_pMatch2D;
}

bool CMatchDayScreen::Instant() const {
    const CMatch2D* match = Match();
    return match != nullptr && match->instantRun != 0;
}

CMatch2DTeam* CMatchDayScreen::UserSide() const {
    if (m_homeTeam != nullptr && m_homeTeam->userTeam)
        return m_homeTeam;
    return m_awayTeam;
}

CDayController* CMatchDayScreen::DayController() const {
    return m_ctx.ScreenAs<CDayController>(ScreenRole::DayController);
}

bool CMatchDayScreen::SoundPresent() const {
    return m_soundOverride ? m_soundPresent : g_pQuorelSound != nullptr;
}

void CMatchDayScreen::PlaySound(const char* tag) {
    if (m_soundOverride) {
        if (m_sound != nullptr)
            m_sound->Play(tag);
    } else if (g_pQuorelSound != nullptr) {
        g_pQuorelSound->Play(tag);
    }
}

void CMatchDayScreen::StopSound(const char* tag) {
    if (m_soundOverride) {
        if (m_sound != nullptr)
            m_sound->Stop(tag);
    } else if (g_pQuorelSound != nullptr) {
        g_pQuorelSound->Stop(tag);
    }
}

void CMatchDayScreen::Refresh() {
    if (m_root == nullptr)
        return;
    m_root->SetCaption(ClubCaptionLine(m_ctx, 100112, m_clubName, m_dateText));

    if (CGuiElement* score = Child(ID_CENTRE_SCORE))
        score->SetText("0 - 0", kFormatCentre, kWhite);
    if (CGuiElement* button = Child(ID_CENTRE_SUBSTITUTION)) {
        button->Show(true);
        button->SetText(m_ctx.Text(500028), kFormatCentreMiddle);
    }
    if (CGuiElement* button = Child(ID_CENTRE_TACTICS)) {
        button->SetText(m_ctx.Text(200229), kFormatCentreMiddle);
        button->SetDisabled(false);
    }
    if (CGuiElement* button = Child(ID_CENTRE_FINISH)) {
        // Text 100156 reads "Cancel" in this language file, which would misname the end of a match.
        button->SetText(m_ctx.Text(kFinishText), kFormatCentreMiddle);
        button->SetDisabled(true);
    }
    if (CGuiElement* button = Child(ID_CENTRE_PLAY)) {
        button->Show(true);
        button->SetDisabled(false);
    }
    if (CGuiElement* button = Child(ID_CENTRE_FAST))
        button->SetDisabled(false);
    LightSpeedButton(Child(ID_CENTRE_PLAY), Child(ID_CENTRE_FAST), false, false);
    if (CGuiElement* button = Child(ID_CENTRE_PAUSE))
        button->SetDisabled(true);
}

void CMatchDayScreen::SetupMatch(CTeam* homeRecord, CTeam* awayRecord) {
    const CCareerSession& session = m_ctx.Session();
    if (session.HasOpenCareer()) {
        const CTeam* club = session.careerDB->teams.At(0);
        const GameDate& today = session.currentDate;
        m_clubName = club->name;
        m_dateText = FormatDate(today.year, today.day, today.month, ".");
        m_clubId = club->id;
    }
    m_homeRecord = homeRecord;
    m_awayRecord = awayRecord;
    m_fixture = nullptr;
    m_recorded = false;
    m_running = false;
    m_started = false;
    m_forcedSubstitution = false;
    m_atmosphere = false;
    CMatch2D* match = Match();
    m_homeTeam = match != nullptr ? match->GetHomeTeam() : nullptr;
    m_awayTeam = match != nullptr ? match->GetAwayTeam() : nullptr;
    m_quarter = 1;
    m_commentaryCount = 0;
    // A match run at once has nobody to show it to: no window work (and no pictures loaded off the
    // main thread).
    if (Instant())
        return;
    Refresh();
    // The clubs' pictures, by the same path the statistics' match comparison uses. A club without
    // its picture file shows the layout's empty frame, without a log line at every match.
    const std::pair<int, const CTeam*> pictures[2] = {{ID_CENTRE_HOME_PICTURE, homeRecord},
                                                      {ID_CENTRE_AWAY_PICTURE, awayRecord}};
    for (const auto& [id, team] : pictures) {
        CGuiElement* picture = Child(id);
        if (picture == nullptr)
            continue;
        const CStr path = ClubCrestPath(team);
        picture->SetImage(!path.IsEmpty() && FileExists(path.GetText()) ? path : CStr());
    }
    FillHostBoxScore();
    FillVisitorBoxScore();
    FillTeamStats();
    if (CGuiElement* grid = Child(ID_CENTRE_COMMENTARY)) {
        grid->Clear();
        grid->SetRowCount(0);
        grid->ResetScroll(true);
    }
    PlaceCourtMarkers();
    UpdateScoreboard();
}

void CMatchDayScreen::StartAtmosphere() {
    if (m_atmosphere || !SoundPresent())
        return;
    PlaySound("ATMOSPHERE");
    m_atmosphere = true;
}

void CMatchDayScreen::Update() {
    CMatch2D* match = Match();
    if (match == nullptr)
        return;
    m_quarter = match->quarter;
    if (m_quarter >= 5) {
        if (CGuiElement* finish = Child(ID_CENTRE_FINISH))
            finish->SetDisabled(false);
        m_running = false;
        return;
    }
    if (!m_running)
        return;
    match->RunTicks(match->ticksPerFrame);
    m_quarter = match->quarter;
    if (Instant())
        return;
    if (m_quarter >= 5) {
        ShowFinalWhistle();
        return;
    }
    // The engine stopped itself: a quarter break or a player who must leave.
    if (match->paused && m_quarter < 5 && m_running) {
        m_running = false;
        ShowSpeedButtons(true);
        m_started = true; // a break keeps the match started; only the popup clears it
    }
    // A staff remark at full speed stops play: its window over the court is read while nothing
    // runs under it, and Fast again closes it.
    if (m_running && m_fast && m_ctx.Shell().IsOverlayOpen(Overlay::Commentary))
        Pause();
    UpdateScoreboard();
}

void CMatchDayScreen::ShowFinalWhistle() {
    // Nothing is left to play: the speed buttons stand off, the clock reads the last period's end
    // and the commentary says so; Finish takes the match to the records.
    m_running = false;
    for (int id : {ID_CENTRE_PLAY, ID_CENTRE_FAST, ID_CENTRE_PAUSE})
        if (CGuiElement* button = Child(id))
            button->SetDisabled(true);
    LightSpeedButton(Child(ID_CENTRE_PLAY), Child(ID_CENTRE_FAST), false, false);
    if (CGuiElement* finish = Child(ID_CENTRE_FINISH))
        finish->SetDisabled(false);
    AddCommentaryLine(m_ctx.Text(kFinalWhistleText), m_ctx.Text(kFinalWhistleText));
    UpdateScoreboard();
    m_ctx.Shell().SetMatchPace(true, false);
}

void CMatchDayScreen::OnQuarterBreak() {
    m_running = false;
    if (Instant())
        return;
    if (CGuiElement* pause = Child(ID_CENTRE_PAUSE))
        pause->SetDisabled(true);
    for (int id : {ID_CENTRE_PLAY, ID_CENTRE_FAST, ID_CENTRE_TACTICS})
        if (CGuiElement* button = Child(id))
            button->SetDisabled(false);
    LightSpeedButton(Child(ID_CENTRE_PLAY), Child(ID_CENTRE_FAST), false, false);
    m_ctx.Shell().SetMatchPace(true, false);
}

void CMatchDayScreen::ShowSpeedButtons(bool paused) {
    m_running = !paused;
    m_started = !paused;
    if (CMatch2D* match = Match())
        match->paused = paused ? 1 : 0;
    // A match run at once is run on the day's thread: no window work.
    if (Instant())
        return;
    if (CGuiElement* pause = Child(ID_CENTRE_PAUSE))
        pause->SetDisabled(paused);
    for (int id : {ID_CENTRE_PLAY, ID_CENTRE_FAST, ID_CENTRE_TACTICS})
        if (CGuiElement* button = Child(id))
            button->SetDisabled(!paused);
    LightSpeedButton(Child(ID_CENTRE_PLAY), Child(ID_CENTRE_FAST), !paused, false);
    m_ctx.Shell().SetMatchPace(paused, false);
}

void CMatchDayScreen::AddCommentary(const CStr& text, const CStr& name, bool homeSide) {
    if (text.IsEmpty())
        return;
    // As the 3D display writes its lines: "Club: Player text".
    const CMatch2DTeam* side = homeSide ? m_homeTeam : m_awayTeam;
    CStr line = side != nullptr ? side->name.Concat(": ") : CStr();
    if (!name.IsEmpty()) {
        line += name;
        line += " ";
    }
    line += text;
    AddCommentaryLine(line, text);
}

void CMatchDayScreen::AddCommentaryLine(const CStr& line, const CStr& text) {
    if (Instant())
        return;
    CGuiElement* grid = Child(ID_CENTRE_COMMENTARY);
    if (grid != nullptr && !line.IsEmpty()) {
        // A line wider than the box goes on in the rows below, so it is read whole, not cut to "...".
        std::vector<CStr> rows{line};
        if (const auto* commentary = dynamic_cast<const CGuiGridControl*>(grid))
            rows = WrapGuiText(GuiBackend(), commentary->Font(), line, commentary->ColumnWidth(0) - 10);
        int rowCount = grid->GetRowCount();
        for (const CStr& row : rows) {
            grid->AddCell(0, row, 0);
            ++rowCount;
        }
        ++m_commentaryCount;
        grid->SetRowCount(rowCount);
        grid->ResetScroll(false);
        // To the newest row: one step a line fell a row behind for every line that wrapped.
        m_ctx.Post(-1, ID_CENTRE_COMMENTARY, kMsgScrollStep, grid->ScrollMax(), 0);
        // The crowd answers by the line, not by the match's random numbers: a watched match plays out
        // exactly as the same match run at once.
        if (SoundPresent()) {
            const char* tag = kCrowdReactions[(m_commentaryCount * 3 + static_cast<int>(text.Length())) % 5];
            if (tag != nullptr)
                PlaySound(tag);
        }
    }
    FillTeamStats();
}

void CMatchDayScreen::ShowInfoPopup(const CStr& name, bool leaving) {
    // Every player who must leave at one stop is named: a second one adds his line to the first's
    // message (it once replaced it, and his change was made unannounced).
    if (!m_forcedSubstitution)
        m_leaveText = CStr();
    m_forcedSubstitution = true;
    if (!m_leaveText.IsEmpty())
        m_leaveText += " ";
    m_leaveText += name;
    m_leaveText += " ";
    m_leaveText += m_ctx.Text(leaving ? 100205 : 500025);
    // Without the popup window the match still stops and the tactics window still comes up.
    if (CGuiElement* popup = m_ctx.Find(ID_MATCH_POPUP)) {
        popup->SetCaption(m_ctx.Text(302065));
        if (CGuiElement* box = m_ctx.Find(ID_MATCH_POPUP_TEXT)) {
            box->Clear();
            box->SetText(m_leaveText);
        }
        m_ctx.Stack().BringToTop(ID_MATCH_POPUP);
    }
    ShowSpeedButtons(true);
    m_started = false;
    // The tables show the foul or the injury the message names: the match stopped before the
    // frame step could redraw them.
    FillHostBoxScore();
    FillVisitorBoxScore();
    m_ctx.Post(ID_QUARTERBREAK_OK, ID_MATCH_POPUP, kMsgOpenOnTop, ID_QUARTERBREAK_OK, 0);
    m_ctx.Shell().SetOverlayOpen(Overlay::Popup, true);
}

void CMatchDayScreen::Substitute2D(int outgoingId, int incomingId) {
    CMatch2DTeam* side = UserSide();
    if (side == nullptr)
        return;
    int index = 0;
    const CMatch2DPlayer* incoming = side->FindById(incomingId, index);
    if (incoming == nullptr || incoming->mustLeave != 0 || incoming->Fouls() >= 6)
        return;
    side->UserSubstitute(outgoingId, incomingId);
}

void CMatchDayScreen::SetButtonsForPlay(bool fast) {
    // Play never runs under the quarter break's window: Play or Fast close it as its own button
    // ("Back to the game") does.
    if (m_ctx.Shell().IsOverlayOpen(Overlay::QuarterBreak) || m_ctx.Stack().IsLayerActive(ID_QUARTERBREAK))
        m_ctx.Post(ID_QUARTERBREAK_OK, -1, kMsgClick, 0, 0);
    m_running = true;
    m_fast = fast;
    // Play at full speed runs with the court in sight: a remark's window is closed (and emptied).
    if (fast)
        if (auto* remarks = m_ctx.ScreenAs<CCommentaryPopup>(ScreenRole::Commentary))
            remarks->Close();
    if (CGuiElement* b = Child(ID_CENTRE_PAUSE))
        b->SetDisabled(false);
    if (CGuiElement* b = Child(ID_CENTRE_PLAY))
        b->SetDisabled(!fast);
    if (CGuiElement* b = Child(ID_CENTRE_FAST))
        b->SetDisabled(fast);
    LightSpeedButton(Child(ID_CENTRE_PLAY), Child(ID_CENTRE_FAST), true, fast);
    if (CGuiElement* b = Child(ID_CENTRE_TACTICS))
        b->SetDisabled(true);
    // Text 61000 ends in "Home side: ": the home club's name completes it, named once.
    if (!m_started) {
        const CStr tipOff = m_ctx.Text(61000).Concat(m_homeTeam != nullptr ? m_homeTeam->name : CStr());
        AddCommentaryLine(tipOff, tipOff);
    }
    m_started = true;
    if (CMatch2D* match = Match()) {
        match->ticksPerFrame = (fast ? kFastTicks : kPlayTicks) * m_ctx.Shell().MatchClockScale();
        match->paused = 0;
        match->running = 1;
    }
    m_ctx.Shell().SetMatchPace(false, fast);
}

void CMatchDayScreen::Pause() {
    if (CGuiElement* b = Child(ID_CENTRE_PAUSE))
        b->SetDisabled(true);
    LightSpeedButton(Child(ID_CENTRE_PLAY), Child(ID_CENTRE_FAST), false, false);
    for (int id : {ID_CENTRE_PLAY, ID_CENTRE_FAST, ID_CENTRE_TACTICS})
        if (CGuiElement* b = Child(id))
            b->SetDisabled(false);
    m_running = false;
    if (CMatch2D* match = Match())
        match->paused = 1;
    m_ctx.Shell().SetMatchPace(true, false);
}

void CMatchDayScreen::OpenSubstitution() {
    if (auto* dialog = m_ctx.ScreenAs<CSubstitutionDialog>(ScreenRole::Substitution)) {
        dialog->Show(true);
        return;
    }
    m_ctx.Post(ID_CENTRE_SUBSTITUTION, CSubstitutionDialog::kInstructionWindow, kMsgOpenOnTop,
               ID_CENTRE_SUBSTITUTION, 0);
    m_ctx.Shell().SetOverlayOpen(Overlay::Coaching, true);
}

void CMatchDayScreen::OpenTactics() {
    if (auto* tactics = m_ctx.ScreenAs<CTacticsScreen>(ScreenRole::Tactics)) {
        // A player who must leave comes with his change offered: Done alone leaves it made.
        tactics->OfferMustLeaveChanges();
        tactics->FillLineupGrids();
    }
    m_ctx.Post(ID_CENTRE_TACTICS, ID_TACTICS, kMsgOpenOnTop, ID_CENTRE_TACTICS, 0);
    DeactivateMarkers();
    if (m_forcedSubstitution) {
        m_forcedSubstitution = false; // a forced change costs no time-out
    } else if (CMatch2DTeam* side = UserSide(); side != nullptr && side->timeOuts < kMaxTimeOuts) {
        ++side->timeOuts;
        UpdateScoreboard();
        FillTeamStats();
    }
    // The window takes its messages whether or not a time-out was left to count.
    m_ctx.Shell().SetOverlayOpen(Overlay::Tactics, true);
}

void CMatchDayScreen::OnMessage(GuiMessage& message) {
    const int source = message.sID;
    if (source == ID_CENTRE_PLAY || source == ID_CENTRE_FAST) {
        SetButtonsForPlay(source == ID_CENTRE_FAST);
        Consume(message);
    } else if (source == ID_CENTRE_PAUSE && message.cID == ID_TACTICS && message.MSG == kMsgClick) {
        // The engine asks for the tactics window: a player of the user's side must come off. The
        // message saying who stays above it.
        OpenTactics();
        if (m_ctx.Shell().IsOverlayOpen(Overlay::Popup))
            m_ctx.Post(ID_QUARTERBREAK_OK, ID_MATCH_POPUP, kMsgOpenOnTop, ID_QUARTERBREAK_OK, 0);
        Consume(message);
    } else if (source == ID_CENTRE_PAUSE) {
        Pause();
        Consume(message);
    } else if (IsClick(message, ID_CENTRE_SUBSTITUTION)) {
        OpenSubstitution();
        Consume(message);
    } else if (IsClick(message, ID_CENTRE_TACTICS)) {
        OpenTactics();
        Consume(message);
    } else if (IsClick(message, ID_CENTRE_FINISH)) {
        FinishMatch();
        Consume(message);
    }
}

void CMatchDayScreen::FinishMatch() {
    CMatch2D* match = Match();
    CGuiElement* finish = Child(ID_CENTRE_FINISH);
    // Only a match that is over, and only once: a second click queued in the same frame finds the
    // button disabled and the match recorded.
    if (match == nullptr || match->quarter < 5 || m_recorded || (finish != nullptr && !finish->IsEnabled()))
        return;
    if (finish != nullptr)
        finish->SetDisabled(true);
    RecordMatch(m_homeRecord, m_awayRecord);
    m_ctx.Shell().SetMatchRunning(false);
    m_ctx.Session().matchMode = 0;
    match->running = 0;
    const int homeScore = m_homeTeam != nullptr ? m_homeTeam->score : 0;
    const int awayScore = m_awayTeam != nullptr ? m_awayTeam->score : 0;
    // The day controller writes the fixture's score (it writes every other one) and the day
    // panel's row; without a fixture there is nothing to write.
    CDayController* controller = DayController();
    if (controller != nullptr)
        controller->FinishUserMatch(m_fixture, homeScore, awayScore);
    else if (m_fixture != nullptr) {
        m_fixture->homeScore = homeScore;
        m_fixture->awayScore = awayScore;
    }
    // Every screen that shows the club's matches takes this one in now, not with the next day: the
    // overview, the coming matches and the line-up's tables as well as the statistics.
    m_ctx.Shell().RefreshAllScreens();
    m_atmosphere = false;
    if (SoundPresent())
        StopSound("ATMOSPHERE");
    if (g_pQuorelMusic != nullptr && g_pQuorelMusic->IsEnabled())
        g_pQuorelMusic->SwitchTrack(kMenuTracks[GameRand() % 3]);
    m_ctx.Shell().SetMatchPace(false, false);
    // On the season's last fixture day the results window judges the season; on any other day
    // the statistics show where the match leaves the table. The day panel keeps the day's rows.
    if (controller != nullptr && controller->SeasonEndPending() && m_ctx.Find(ID_RESULTS)) {
        m_ctx.Post(ID_CENTRE_FINISH, ID_RESULTS, kMsgSwitchTo, ID_CENTRE_FINISH, 0);
    } else if (m_ctx.Find(ID_STATISTICS)) {
        if (m_ctx.Find(ID_STATISTICS_FRAME))
            m_ctx.Post(ID_CENTRE_FINISH, ID_STATISTICS_FRAME, kMsgSwitchTo, ID_CENTRE_FINISH, 0);
        m_ctx.Post(ID_CENTRE_FINISH, ID_STATISTICS, kMsgSwitchTo, ID_CENTRE_FINISH, 0);
    } else {
        m_ctx.Post(ID_CENTRE_FINISH, ID_DAYPANEL, kMsgSwitchTo, ID_CENTRE_FINISH, 0);
    }
}
