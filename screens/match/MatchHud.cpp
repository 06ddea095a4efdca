// The in-match display: its clock, buttons, event lines, live panels and crowd.
#include "screens/match/MatchHud.h"

#include "career/CareerSession.h"
#include "engine/Device.h"
#include "engine/GameRand.h"
#include "engine/Log.h"
#include "engine/Sound.h"
#include "engine/Timer.h"
#include "gui/Backend.h"
#include "gui/Button.h"
#include "gui/Element.h"
#include "gui/Grid.h"
#include "gui/GuiTypes.h"
#include "gui/ScreenStack.h"
#include "guidefines.h"
#include "match3d/MatchTeam.h"
#include "screens/match/MatchStatsView.h"
#include "screens/match/SubstitutionDialog.h"
#include "screens/match/TacticsScreen.h"

#include <algorithm>

namespace {

// The must-leave message for a player whose change was already under way when he had to go.
constexpr int kTextHurtOnHisWay = 500090;
constexpr int kTextFouledOutOnHisWay = 500091;
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kCyan = 0xFFFF00FFu;
constexpr int kPanels[5] = {ID_HUD_PANEL1, ID_HUD_PANEL2, ID_HUD_PANEL3, ID_HUD_PANEL4, ID_HUD_PANEL5};

constexpr const char* kIndoorShouts[16] = {"WAAA_BELSO", "AHH_BELSO", "FUJJ",  "SZURK_BELSO", "DAD1", "DAD2",
                                           "DAD3",       "DAD4",      "DAD5",  "DAD6",        "DAD7", "DAD8",
                                           "DAD9",       "DAD10",     "DAD11", "DAD12"};
constexpr const char* kOutdoorShouts[6] = {"WAAA_KULSO",  "OOH_KULSO",   "FUJJ",
                                           "SZURK_KULSO", "BRAVO_KULSO", "BRAVO_KULSO_SHORT"};

} // namespace

CMatchHud::CMatchHud(const CScreenContext& ctx) : m_ctx(ctx), m_root(ctx.Find(ID_MATCHHUD)) {
    m_scoreLabel = Child(ID_HUD_SCORE);
    m_shotClockLabel = Child(ID_HUD_SHOTCLOCK);
    m_quarterLabel = Child(ID_HUD_QUARTER);
    m_gameClockLabel = Child(ID_HUD_CLOCK);
    SetCaptions();
}

CGuiElement* CMatchHud::Child(int id) const {
    return m_root ? m_root->FindChild(id) : nullptr;
}

uint32_t CMatchHud::Now() const {
    return m_now ? m_now() : GetTickCountMs();
}

bool CMatchHud::SoundPresent() const {
    return m_soundOverride ? m_soundPresent : g_pQuorelSound != nullptr;
}

void CMatchHud::PlaySound(const char* tag) {
    if (m_soundOverride) {
        if (m_sound)
            m_sound->Play(tag);
    } else if (g_pQuorelSound) {
        g_pQuorelSound->Play(tag);
    }
}

void CMatchHud::StopSound(const char* tag) {
    if (m_soundOverride) {
        if (m_sound)
            m_sound->Stop(tag);
    } else if (g_pQuorelSound) {
        g_pQuorelSound->Stop(tag);
    }
}

void CMatchHud::SetLabel(CGuiElement* label, const CStr& text) {
    if (label)
        label->SetText(text, kFormatLeftMiddle, kWhite);
}

void CMatchHud::SetCaptions() {
    const int captions[3][2] = {
        {ID_HUD_CAP_SHOT, 60041}, {ID_HUD_CAP_QUARTER, 60040}, {ID_HUD_CAP_TIME, 60042}};
    for (const auto& caption : captions)
        if (CGuiElement* label = Child(caption[0]))
            label->SetText(m_ctx.Text(caption[1]), kFormatLeftMiddle, kCyan);
    if (CGuiElement* button = Child(ID_HUD_COACHING))
        button->SetText(m_ctx.Text(500028), kFormatCentreMiddle);
    if (CGuiElement* button = Child(ID_HUD_TACTICS))
        button->SetText(m_ctx.Text(200163), kFormatCentreMiddle);
}

void CMatchHud::SetTeamNames(const CStr& home, const CStr& away) {
    m_homeName = home;
    m_awayName = away;
    if (CGuiElement* label = Child(ID_HUD_HOME))
        label->SetText(home, kFormatLeftMiddle, kWhite);
    if (CGuiElement* label = Child(ID_HUD_AWAY))
        label->SetText(away, kFormatRightMiddle, kWhite);
}

void CMatchHud::SetMatchParams(CTeam* home, CTeam* away, int fixture, int year, int month, int day) {
    m_homeRecord = home;
    m_awayRecord = away;
    m_fixture = fixture;
    m_fixtureYear = year;
    m_fixtureMonth = month;
    m_fixtureDay = day;
}

void CMatchHud::ShowStreetballImage() {
    if (m_root)
        m_root->SetImage(kStreetballImage);
}

void CMatchHud::SetStatisticsTeam(CMatchTeam* team) {
    m_statsTeam = team;
    m_statsTeam2D = nullptr;
    m_panelsKnown = false;
}

void CMatchHud::SetStatisticsTeam(CMatch2DTeam* team) {
    m_statsTeam2D = team;
    m_statsTeam = nullptr;
    m_panelsKnown = false;
}

// ---- Pace ----

void CMatchHud::PublishPace() {
    if (m_match) {
        m_match->SetPaused(m_paused);
        m_match->SetFast(m_fast);
    }
    // The frame's step follows the clock: nothing while paused, doubled in fast mode.
    m_ctx.Shell().SetMatchPace(m_paused, m_fast);
    // The chosen speed stays pressed, so the player sees which one runs.
    const bool running = m_started && !m_paused;
    const struct {
        int id;
        bool on;
    } buttons[] = {
        {ID_HUD_PLAY, running && !m_fast}, {ID_HUD_FAST, running && m_fast}, {ID_HUD_PAUSE, !running}};
    for (const auto& button : buttons)
        if (CGuiElement* element = Child(button.id))
            element->ForceState(CGuiButton::kPressed, button.on);
}

void CMatchHud::TipOff() {
    m_started = true;
    const uint32_t now = Now();
    m_lastTick = now;
    m_atmosphereTimer = now;
    ShowEventLine(m_ctx.Text(61000).Concat(m_homeName));
    if (m_match)
        m_match->JumpBall();
}

void CMatchHud::Resume() {
    m_lastTick = Now();
    m_paused = false;
    m_clock.owedMs = 0.0;
    // Each period's jump ball is announced once, as play resumes after the break.
    if (m_tipOffDue) {
        m_tipOffDue = false;
        ShowEventLine(m_ctx.Text(61000).Concat(m_homeName));
    }
}

void CMatchHud::Play() {
    if (m_finalWhistleHeld) {
        EndAtFinalWhistle();
        return;
    }
    m_fast = false;
    if (!m_started)
        TipOff();
    else if (m_paused)
        Resume();
    PublishPace();
}

void CMatchHud::PlayFast() {
    if (m_finalWhistleHeld) {
        EndAtFinalWhistle();
        return;
    }
    if (!m_started) {
        // The first press only gives the tip-off, at normal speed.
        m_fast = false;
        TipOff();
    } else {
        if (m_paused)
            Resume();
        m_lastTick = Now();
        m_fast = true;
    }
    PublishPace();
}

void CMatchHud::Pause() {
    m_paused = true;
    m_fast = false;
    PublishPace();
}

// ---- Clock ----

void CMatchHud::TickGameClock() {
    if (!m_started || m_paused)
        return;
    const uint32_t now = Now();
    // Unsigned, so the tick count's wrap-around still measures right. The frames play the match by
    // the time the clock counts (a second per 1000 ms, per 400 ms fast), in the clock's own steps,
    // so the Fast button changes how long a match takes and nothing else. A long stall plays one
    // second at most; the rest is dropped.
    int steps = m_clock.StepsFor(now - m_lastTick, m_fast);
    m_lastTick = now;
    for (; steps > 0 && !m_paused && m_started; --steps) {
        const bool played = m_match == nullptr || m_match->PlayStep();
        NoteInjuries();
        if (!played) {
            // A player of the user's must leave: the clock stops with the match until he is
            // replaced and play is pressed.
            if (!m_paused)
                Pause();
            return;
        }
        const CMatchClock::Event event =
            m_clock.CountStep(m_match && m_match->PositioningWait(), m_match && m_match->InboundRunning(),
                              m_match && m_match->MatchQuarter() > 0, m_match ? m_match->HomeScore() : 0,
                              m_match ? m_match->AwayScore() : 0);
        if (m_clock.secondPlayed && m_match)
            CountCourtSecond(m_match->HomeTeam(), m_match->AwayTeam());
        LogFreeThrows();
        if (event == CMatchClock::Event::MatchOver) {
            if (m_match)
                m_match->FinalWhistle();
            if (m_onFinalWhistleHeld) {
                m_finalWhistleHeld = true;
                Pause();
                m_onFinalWhistleHeld();
                return;
            }
            EndAtFinalWhistle();
            return;
        }
        if (event == CMatchClock::Event::QuarterOver) {
            Pause();
            StartQuarterBreak();
        }
    }
}

void CMatchHud::LogFreeThrows() {
    const bool running = m_match != nullptr && m_match->FreeThrowsRunning();
    if (running == m_freeThrowsLogged)
        return;
    m_freeThrowsLogged = running;
    QuorelLog("[CMatchHud] free throws %s at second %d of the match", running ? "begin" : "over",
              MatchSecond());
}

void CMatchHud::EndAtFinalWhistle() {
    m_finalWhistleHeld = false;
    m_ctx.Shell().SetMatchRunning(false);
    m_ctx.Session().matchMode = 0;
    if (SoundPresent() && m_outdoor == 0)
        StopSound("ATMOSPHERE");
    EndMatch();
}

int CMatchHud::MatchSecond() const {
    const int quarters = std::min(m_clock.quarter - 1, CMatchClock::kQuarters);
    const int overtimes = std::max(0, m_clock.quarter - 1 - CMatchClock::kQuarters);
    return static_cast<int>(quarters * m_clock.quarterSeconds + overtimes * CMatchClock::kOvertimeSeconds +
                            m_clock.gameClock);
}

void CMatchHud::NoteInjuries() {
    if (m_match == nullptr)
        return;
    for (CMatchTeam* team : {m_match->HomeTeam(), m_match->AwayTeam()})
        for (int i = 0; team != nullptr && i < team->OnCourtCount(); ++i) {
            CCourtPlayer* p = team->GetPlayer(i);
            if (p != nullptr && p->injured != 0 && p->injuredAtSecond < 0)
                p->injuredAtSecond = MatchSecond();
        }
}

void CMatchHud::StartQuarterBreak() {
    m_tipOffDue = true;
    // The coach's word at the break opens the break message itself; without the dialog the
    // message opens bare.
    if (auto* dialog = m_ctx.ScreenAs<CSubstitutionDialog>(ScreenRole::Substitution)) {
        dialog->QuarterBreak(false);
    } else {
        m_ctx.Post(ID_QUARTERBREAK_OK, ID_QUARTERBREAK, kMsgOpenOnTop, ID_QUARTERBREAK_OK, 0);
        m_ctx.Shell().SetOverlayOpen(Overlay::QuarterBreak, true);
    }
    // A player who must leave as the quarter ends: the change he waits for stays in front of the
    // coach's word, the message naming him first, so the break neither hides them nor takes the
    // tactics window's Escape.
    if (m_ctx.Shell().IsOverlayOpen(Overlay::Popup)) {
        if (m_ctx.Shell().IsOverlayOpen(Overlay::Tactics))
            m_ctx.Post(ID_HUD_TACTICS, ID_TACTICS, kMsgOpenOnTop, ID_HUD_TACTICS, 0);
        m_ctx.Post(ID_QUARTERBREAK_OK, ID_MATCH_POPUP, kMsgOpenOnTop, ID_QUARTERBREAK_OK, 0);
    }
    if (!m_match)
        return;
    m_match->BeginQuarterBreak();
    ResetPlayersForBreak(m_match->HomeTeam(), m_match->AwayTeam());
    // The break is when the tables are read: they show the quarter's last baskets and fouls as the
    // live panels do, not the figures of the last time the tactics window opened.
    FillHostBoxScore();
    FillVisitorBoxScore();
}

void CMatchHud::UpdateClock() {
    // The clock keeps the seconds gone in the possession; the display counts down what is left.
    m_shotClockText = CStr::Formatted("%.2d", ShotClockSecondsLeft(m_clock.shotClock));
    m_quarterText = CStr::Formatted("%d", m_clock.quarter);
    m_clockMinutes = static_cast<int>(m_clock.gameClock * (1.0 / 60.0));
    m_clockSeconds = static_cast<int>(m_clock.gameClock) - m_clockMinutes * 60;
    m_gameClockText = CStr::Formatted("%.2d:%.2d", m_clockMinutes, m_clockSeconds);
    SetLabel(m_shotClockLabel, m_shotClockText);
    SetLabel(m_quarterLabel, m_quarterText);
    SetLabel(m_gameClockLabel, m_gameClockText);
}

void CMatchHud::EndMatch() {
    // The clock waits for the next match's tip-off; lines, names and the crowd's counters stay.
    m_fast = false;
    if (m_match)
        m_match->SetFast(false);
    m_ctx.Shell().SetMatchPace(false, false);
    m_clock.Reset();
    m_tipOffDue = false;
    m_started = false;
    m_paused = false;
    m_clockMinutes = 0;
    m_clockSeconds = 0;
    if (m_onEnd)
        m_onEnd();
}

void CMatchHud::FrameStep() {
    // The clock plays the match's steps and ends it itself.
    TickGameClock();
    UpdateClock();
    PlayCrowdReaction(m_match ? m_match->HomeScore() : 0, m_match ? m_match->AwayScore() : 0);
    UpdateAtmosphere();
    UpdateStatsPanel();
    UpdateBoxScores();
    UpdateAutoCamera();
}

// ---- The cube's scoreboard ----

bool CMatchHud::DrawScoreboard(CQuorelRenderTarget& target, IGuiBackend& backend, uint32_t nowMs) const {
    if (m_root == nullptr || g_pQuorelDevice == nullptr)
        return false;
    // The score bar's middle: the score over the quarter, the game clock and the shot clock.
    const QuorelRect source(324, 0, 708, 66);
    if (!g_pQuorelDevice->BeginRenderTarget(&target, &source))
        return false;
    g_pQuorelDevice->Clear(0x0B1220FFu);
    m_root->Draw(backend, nowMs);
    g_pQuorelDevice->EndRenderTarget();
    return true;
}

bool CMatchHud::RefreshScoreboard(CQuorelRenderTarget& target, IGuiBackend& backend, uint32_t nowMs) {
    // The bar's labels are all it shows; they change a few times a second at most, while the
    // picture costs a drawing of the whole display.
    CStr shown;
    for (int id : {ID_HUD_HOME, ID_HUD_SCORE, ID_HUD_AWAY, ID_HUD_CAP_QUARTER, ID_HUD_QUARTER,
                   ID_HUD_CAP_TIME, ID_HUD_CLOCK, ID_HUD_CAP_SHOT, ID_HUD_SHOTCLOCK})
        if (const CGuiElement* label = Child(id))
            shown = shown.Concat(label->GetText()).Concat("\n");
    if (m_scoreboardTarget == &target && shown.Equals(m_scoreboardShown))
        return false;
    if (!DrawScoreboard(target, backend, nowMs))
        return false;
    m_scoreboardTarget = &target;
    m_scoreboardShown = shown;
    return true;
}

// ---- Crowd ----

void CMatchHud::PlayCrowdReaction(int homeScore, int awayScore) {
    if (m_scoreLabel == nullptr)
        return;
    const bool indoor = m_outdoor == 0;
    auto react = [&](int score, int& last) {
        if (score == last)
            return;
        if (SoundPresent()) {
            const int r = GameRand() % 100;
            PlaySound(indoor ? "WAAA_BELSO" : "WAAA_KULSO");
            if (r > 90)
                PlaySound(indoor ? "AHH_BELSO" : "OOH_KULSO");
        }
        last = score;
    };
    react(homeScore, m_lastHomeScore);
    react(awayScore, m_lastAwayScore);
    // Each side's points on its own side of the board: the home name stands left, the away name right.
    m_scoreText = CStr::Formatted("%.3d - %.3d", homeScore, awayScore);
    m_scoreLabel->SetText(m_scoreText, kFormatLeftMiddle, kWhite);
}

void CMatchHud::UpdateAtmosphere() {
    const bool indoor = m_outdoor == 0;
    if (m_started && indoor)
        PlaySound("ATMOSPHERE");
    const int target = GameRand() % 100 + 30;
    const uint32_t now = Now();
    if ((now - m_atmosphereTimer) / 1000u == 0u)
        return;
    ++m_atmosphereSeconds;
    m_atmosphereTimer = now;
    if (m_atmosphereSeconds != target || !SoundPresent())
        return;
    if (indoor)
        PlaySound(kIndoorShouts[GameRand() % 16]);
    else
        PlaySound(kOutdoorShouts[GameRand() % 6]);
}

// ---- Cameras ----

void CMatchHud::UpdateAutoCamera() {
    if (!m_autoCamera || m_match == nullptr)
        return;
    const uint32_t now = Now();
    if (now - m_lastAutoCamera < kAutoCameraMs)
        return;
    m_lastAutoCamera = now;
    // An arena without camera records keeps its view.
    const int count = m_match->CameraCount();
    if (count > 0)
        m_match->SetCamera(GameRand() % count);
}

// ---- Event lines and statistics ----

void CMatchHud::ShowEventLine(const CStr& text) {
    CGuiElement* grid = Child(ID_HUD_EVENTS);
    if (grid == nullptr)
        return;
    // A reader who scrolled back keeps his place; otherwise the newest line comes into view.
    const bool following = grid->ScrollPos() >= grid->ScrollMax();
    grid->SetColumnColour(0, kCyan);
    // A line wider than the list goes on in the rows below, as on the flat court, so it is read
    // whole rather than cut to "...".
    std::vector<CStr> rows{text};
    if (const auto* list = dynamic_cast<const CGuiGridControl*>(grid))
        rows = WrapGuiText(GuiBackend(), list->Font(), text, list->ColumnWidth(0) - 10);
    for (const CStr& row : rows) {
        grid->AddCell(0, row, 0);
        ++m_eventLines;
    }
    grid->SetRowCount(m_eventLines);
    grid->ResetScroll(false);
    if (following)
        grid->ScrollTo(grid->ScrollMax());
    // Scrolls the list on to its newest line.
    if (CGuiElement* parent = grid->Parent())
        m_ctx.Post(-1, parent->GetId(), kMsgScrollDown, 0, 0);
}

void CMatchHud::UpdateStatsPanel() {
    std::vector<MatchStatLine> lines;
    if (m_statsTeam)
        lines = StatLinesOf(*m_statsTeam);
    else if (m_statsTeam2D)
        lines = StatLinesOf(*m_statsTeam2D);
    // The figures a panel shows, as it shows them.
    auto same = [](const MatchStatLine& a, const MatchStatLine& b) {
        return a.name.Equals(b.name) && a.injured == b.injured && a.fouledOut == b.fouledOut &&
               RoundHalfAway(a.stamina) == RoundHalfAway(b.stamina) && a.morale == b.morale &&
               a.points == b.points && a.personalFouls == b.personalFouls;
    };
    for (size_t k = 0; k < 5; ++k) {
        // Without a team, or a team short of five, the panel stays empty rather than stale.
        const MatchStatLine* line = k < lines.size() ? &lines[k] : nullptr;
        if (m_panelsKnown &&
            (line == nullptr ? !m_panelFilled[k] : m_panelFilled[k] && same(*line, m_panelShown[k])))
            continue;
        FillLivePanel(Child(kPanels[k]), line, m_ctx.Texts());
        m_panelFilled[k] = line != nullptr;
        if (line != nullptr)
            m_panelShown[k] = *line;
    }
    m_panelsKnown = true;
}

namespace {

// A side's players in roster order (the first five on court) with the figures the table shows.
void AppendBoxScoreKey(const CMatchTeam* team, std::vector<int32_t>& key) {
    if (team == nullptr)
        return;
    key.push_back(team->GetCount());
    for (int i = 0; i < team->GetCount(); ++i) {
        const CCourtPlayer* p = team->GetPlayer(i);
        if (p == nullptr)
            continue;
        // The stamina and morale as the table shows them, so it never lags the live panels.
        key.insert(key.end(), {p->playerId, p->threePointersMade, p->twoPointersMade, p->freeThrowsMade,
                               p->personalFouls, p->foulsCharged, p->foulsBooked, p->injured,
                               RoundHalfAway(p->stamina), p->attributes[0]});
    }
}

} // namespace

void CMatchHud::UpdateBoxScores() {
    if (m_match == nullptr)
        return;
    std::vector<int32_t> key;
    key.reserve(m_boxScoreShown.size());
    AppendBoxScoreKey(m_match->HomeTeam(), key);
    AppendBoxScoreKey(m_match->AwayTeam(), key);
    if (key == m_boxScoreShown)
        return;
    m_boxScoreShown = std::move(key);
    FillHostBoxScore();
    FillVisitorBoxScore();
}

void CMatchHud::FillHostBoxScore() {
    CMatchTeam* team = m_match ? m_match->HomeTeam() : nullptr;
    if (team)
        FillBoxScore(Child(ID_BOX_HOME), Child(ID_BOX_HOME_BENCH), StatLinesOf(*team), true, m_ctx.Texts());
}

void CMatchHud::FillVisitorBoxScore() {
    CMatchTeam* team = m_match ? m_match->AwayTeam() : nullptr;
    if (team)
        FillBoxScore(Child(ID_BOX_AWAY), Child(ID_BOX_AWAY_BENCH), StatLinesOf(*team), false, m_ctx.Texts());
}

// ---- Buttons ----

void CMatchHud::OpenTactics() {
    Pause();
    // Opened once: the must-leave check asks again every time play is pressed without the change.
    if (!m_ctx.Shell().IsOverlayOpen(Overlay::Tactics)) {
        m_ctx.Post(ID_HUD_TACTICS, ID_TACTICS, kMsgOpenOnTop, ID_HUD_TACTICS, 0);
        m_ctx.Shell().SetOverlayOpen(Overlay::Tactics, true);
    }
    // The message saying who must leave stays in front of the window that makes the change.
    if (m_ctx.Shell().IsOverlayOpen(Overlay::Popup))
        m_ctx.Post(ID_QUARTERBREAK_OK, ID_MATCH_POPUP, kMsgOpenOnTop, ID_QUARTERBREAK_OK, 0);
    CMatchTeam* home = m_match ? m_match->HomeTeam() : nullptr;
    if (home && home->isUserTeam)
        FillHostBoxScore();
    else
        FillVisitorBoxScore();
    if (auto* tactics = m_ctx.ScreenAs<CTacticsScreen>(ScreenRole::Tactics)) {
        // A player who must leave comes with his change offered: Done alone makes it.
        tactics->OfferMustLeaveChanges();
        tactics->FillLineupGrids();
    }
}

void CMatchHud::ShowMustLeavePopup(const CStr& name, bool hurt, bool onHisWay) {
    CStr message = name;
    message += " ";
    if (onHisWay)
        message += m_ctx.Text(hurt ? kTextHurtOnHisWay : kTextFouledOutOnHisWay);
    else
        message += m_ctx.Text(hurt ? 100205 : 500025);
    for (const CStr& shown : m_mustLeaveShown)
        if (shown.Equals(message))
            return;
    m_mustLeaveShown.push_back(message);
    m_mustLeaveWaiting.push_back(message);
    if (!m_ctx.Shell().IsOverlayOpen(Overlay::Popup))
        ShowNextMustLeave();
}

void CMatchHud::ShowNextMustLeave() {
    if (m_mustLeaveWaiting.empty())
        return;
    const CStr message = m_mustLeaveWaiting.front();
    m_mustLeaveWaiting.erase(m_mustLeaveWaiting.begin());
    if (CGuiElement* popup = m_ctx.Find(ID_MATCH_POPUP)) {
        popup->SetCaption(m_ctx.Text(302065));
        if (CGuiElement* box = m_ctx.Find(ID_MATCH_POPUP_TEXT)) {
            box->Clear();
            box->SetText(message);
        }
        m_ctx.Stack().BringToTop(ID_MATCH_POPUP);
    }
    m_ctx.Post(ID_QUARTERBREAK_OK, ID_MATCH_POPUP, kMsgOpenOnTop, ID_QUARTERBREAK_OK, 0);
    m_ctx.Shell().SetOverlayOpen(Overlay::Popup, true);
}

void CMatchHud::OnMessage(GuiMessage& message) {
    if (message.MSG != kMsgClick)
        return;
    if (message.sID == ID_MATCH_POPUP_OK) {
        // The layout's own action closes the message; the next player who must leave gets his.
        m_ctx.Shell().SetOverlayOpen(Overlay::Popup, false);
        ShowNextMustLeave();
        return;
    }
    switch (message.sID) {
    case ID_HUD_COACHING:
        // The clock keeps running while the coaching window is open.
        if (auto* dialog = m_ctx.ScreenAs<CSubstitutionDialog>(ScreenRole::Substitution))
            dialog->FillLists(false);
        m_ctx.Post(ID_HUD_COACHING, ID_SUBSTITUTION, kMsgOpenOnTop, ID_HUD_COACHING, 0);
        m_ctx.Shell().SetOverlayOpen(Overlay::Coaching, true);
        break;
    case ID_HUD_TACTICS:
        OpenTactics();
        break;
    case ID_HUD_CAM1:
    case ID_HUD_CAM2:
    case ID_HUD_CAM3:
        if (m_match) {
            m_cameraMode = message.sID - ID_HUD_CAM1;
            m_match->SetCamera(m_cameraMode);
            m_autoCamera = false;
        }
        break;
    case ID_HUD_CAMAUTO:
        if (m_match) {
            // The first change comes after a full interval.
            m_cameraMode = 3;
            m_autoCamera = true;
            m_lastAutoCamera = Now();
        }
        break;
    case ID_HUD_PLAY:
        Play();
        break;
    case ID_HUD_FAST:
        PlayFast();
        break;
    case ID_HUD_PAUSE:
        Pause();
        break;
    default:
        return;
    }
    Consume(message);
}
