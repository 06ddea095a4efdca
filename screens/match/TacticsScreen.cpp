// The tactics screen: tactic choice, formation previews, and swaps between court and bench.
#include "screens/match/TacticsScreen.h"

#include "engine/TextRun.h"
#include "screens/info/PlayerInfoWindow.h"
#include "screens/match/MatchDayScreen.h"

#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "database/MemoryDB.h"
#include "database/Records.h"
#include "gui/Element.h"
#include "gui/ScreenStack.h"
#include "guidefines.h"
#include "match/Formation.h"
#include "match2d/Match2D.h"
#include "match2d/Match2DTeam.h"
#include "match3d/Match3D.h"
#include "screens/ClubCaption.h"
#include "screens/FormatFigures.h"

#include <utility>

namespace {

constexpr const char* kPreviewFiles[kTacticCount] = {
    "\\ini\\awaypicnpop.xml",     "\\ini\\triangle.xml",         "\\ini\\pick_and_roll.xml",
    "\\ini\\fastbreak_32.xml",    "\\ini\\three_on_two.xml",     "\\ini\\backdoor_1.xml",
    "\\ini\\man_1.xml",           "\\ini\\motions_options.xml",  "\\ini\\four_slide.xml",
    "\\ini\\corners.xml",         "\\ini\\1-2-1-1_diamond.xml",  "\\ini\\1-2-1-1_zone_press.xml",
    "\\ini\\3-2_zone_press.xml",  "\\ini\\homedefender_01.xml",  "\\ini\\5-5_full_match.xml",
    "\\ini\\fullcourt_trap.xml",  "\\ini\\fullcourt_trap.xml",   "\\ini\\1-2-2_half_court_zone.xml",
    "\\ini\\diamond_defense.xml", "\\ini\\greyzone_defense.xml",
};

// The tactics' names and descriptions, item k of a list at offset k.
constexpr TextRun kOffenceNames{200122, 10};
constexpr TextRun kDefenceNames{200132, 10};
constexpr TextRun kOffenceDescriptions{200142, 10};
constexpr TextRun kDefenceDescriptions{200152, 10};
static_assert(kOffenceNames.count == kTacticsPerSide && kDefenceDescriptions.count == kTacticsPerSide);
constexpr int kCourtRows = 5;
// "A substitution is already under way ..."
constexpr int kSwapMustWaitText = 500034;
// Why the chosen bench player may not come on; "XYPLAYER" stands for his name.
constexpr int kSwapInjuredText = 500071;
constexpr int kSwapFouledOutText = 500072;
constexpr int kSwapNeedsTwoText = 500073;
constexpr int kTextInjured = 100356;   // " (inj)"
constexpr int kTextFouledOut = 100357; // " (disq)"

// The name as the lists show it: an unavailable player carries the word for why.
CStr MarkedName(const CStr& name, bool injured, bool fouledOut, const CScreenContext::TextLookup& text) {
    if (!text)
        return name;
    if (injured)
        return name + text(kTextInjured);
    if (fouledOut)
        return name + text(kTextFouledOut);
    return name;
}

// The fifteen values of an overall: stamina and fourteen skills, all but the twelfth.
template <class Attr> int32_t OverallOf(float stamina, Attr attribute) {
    float sum = stamina;
    for (int i = 0; i < 15; ++i)
        if (i != 11)
            sum += static_cast<float>(attribute(i));
    return static_cast<int32_t>(sum / 15.0f);
}

} // namespace

const char* TacticPreviewFile(int tacticId) {
    return tacticId >= 0 && tacticId < kTacticCount ? kPreviewFiles[tacticId] : "";
}

int OffenceTacticOfItem(int item) {
    return item >= 1 && item <= 9 ? item : 0;
}

int DefenceTacticOfItem(int item) {
    return item >= 1 && item <= 9 ? kFirstDefenceTactic + item : kFirstDefenceTactic;
}

void MarkerTopLeft(const GuiRect& court, int markerW, int markerH, const Vec3& p, int& left, int& top) {
    left = court.x + court.w / 2 - markerH / 2 + static_cast<int>(17.0f * p.x);
    top = court.y + court.h / 2 - markerW / 2 + static_cast<int>(17.0f * p.z);
}

uint32_t BandColour(float value) {
    if (value < 10.0f)
        return CTacticsScreen::kRed;
    if (value < 60.0f)
        return CTacticsScreen::kYellow;
    return CTacticsScreen::kGreen;
}

std::vector<TacticsRow> RowsOfClub(const CTeam& club, const CScreenContext::TextLookup& text) {
    std::vector<TacticsRow> rows;
    int index = 0;
    for (const CPlayer* player : club.players) {
        if (player == nullptr)
            continue;
        TacticsRow row;
        row.id = player->id;
        row.index = index++;
        const bool injured = player->words[kWordInjured] != 0;
        row.name = MarkedName(player->name, injured, false, text);
        row.unavailable = injured;
        row.naturalPosition = player->words[kWordPosition];
        row.playedPosition = player->words[kWordPlayedPosition];
        // The records keep the day's condition in the second word of the stamina and morale skills.
        row.stamina = static_cast<float>(player->words[6]);
        row.form = player->words[9];
        row.overall = static_cast<int32_t>(CPlayer::ComputeOverall(const_cast<CPlayer*>(player), false));
        row.onCourt = player->words[kWordMatchState] == kOnCourt;
        rows.push_back(row);
    }
    return rows;
}

std::vector<TacticsRow> RowsOfMatchTeam(const CMatchTeam& team, const CScreenContext::TextLookup& text) {
    std::vector<TacticsRow> rows;
    for (int i = 0; i < team.GetCount(); ++i) {
        const CCourtPlayer* p = team.GetPlayer(i);
        // The match keeps fifteen places a side: those no squad player took are nobody to pick.
        if (p == nullptr || (p->matchState != kOnCourt && p->matchState != kOnBench))
            continue;
        TacticsRow row;
        row.id = p->playerId;
        row.index = i;
        row.name = MarkedName(CStr(p->name), p->injured != 0, p->personalFouls > 5, text);
        row.naturalPosition = p->positionId;
        row.playedPosition = p->courtPositionId;
        row.stamina = p->stamina;
        row.form = p->attributes[0];
        row.overall = OverallOf(p->stamina, [p](int k) { return p->attributes[k]; });
        row.onCourt = p->matchState == kOnCourt;
        row.unavailable = p->injured != 0 || p->personalFouls > 5;
        rows.push_back(row);
    }
    // A change made but not yet carried out (the called-off player still walks to the bench)
    // shows as made: the replacement takes his row and he takes the replacement's.
    auto rowOf = [&rows](int32_t id) {
        size_t k = 0;
        while (k < rows.size() && rows[k].id != id)
            ++k;
        return k;
    };
    for (int i = 0; i < team.OnCourtCount(); ++i) {
        const CCourtPlayer* p = team.GetPlayer(i);
        const CCourtPlayer* in = PendingReplacement(p);
        if (in == nullptr)
            continue;
        const size_t outRow = rowOf(p->playerId);
        const size_t inRow = rowOf(in->playerId);
        if (outRow >= rows.size() || inRow >= rows.size() || !rows[outRow].onCourt || rows[inRow].onCourt)
            continue;
        std::swap(rows[outRow], rows[inRow]);
        rows[outRow].onCourt = true;
        rows[inRow].onCourt = false;
    }
    return rows;
}

const CCourtPlayer* PendingReplacement(const CCourtPlayer* player) {
    if (player == nullptr || player->matchState != kOnCourt || player->inSubstitution == 0 ||
        player->cameOn != 0)
        return nullptr;
    const CCourtPlayer* in = player->replacement;
    return in != nullptr && in->matchState == kOnBench ? in : nullptr;
}

const CCourtPlayer* ReplacementFor(const CMatchTeam& team, const CCourtPlayer* incoming) {
    for (int i = 0; i < team.OnCourtCount(); ++i) {
        const CCourtPlayer* p = team.GetPlayer(i);
        if (incoming != nullptr && PendingReplacement(p) == incoming)
            return p;
    }
    return nullptr;
}

bool HasPendingChange(const CMatchTeam& team) {
    for (int i = 0; i < team.OnCourtCount(); ++i)
        if (PendingReplacement(team.GetPlayer(i)) != nullptr)
            return true;
    return false;
}

std::vector<TacticsRow> RowsOfMatch2DTeam(const CMatch2DTeam& team, const CScreenContext::TextLookup& text) {
    std::vector<TacticsRow> rows;
    for (int i = 0; i < team.PlayerCount(); ++i) {
        const CMatch2DPlayer* p = team.GetPlayer(i);
        // The match keeps fifteen places a side: those no squad player took are nobody to pick.
        if (p == nullptr || (p->MatchState() != kOnCourtState && p->MatchState() != kOnBenchState))
            continue;
        TacticsRow row;
        row.id = p->id;
        row.index = i;
        // The match's leave flag marks a hurt player; six fouls put a player out of the match.
        const bool injured = p->mustLeave != 0;
        const bool fouledOut = !injured && p->Fouls() >= 6;
        row.name = MarkedName(p->name, injured, fouledOut, text);
        row.unavailable = injured || fouledOut;
        row.naturalPosition = p->positionId;
        row.playedPosition = p->positionIdCopy;
        row.stamina = p->energy;
        row.form = p->Morale();
        // The skill values sit every third record word from word 8 (skill 2) on.
        row.overall = OverallOf(p->energy, [p](int k) { return p->Attribute(8 + 3 * k); });
        row.onCourt = p->MatchState() == kOnCourtState;
        rows.push_back(row);
    }
    return rows;
}

CTacticsScreen::CTacticsScreen(const CScreenContext& ctx) : m_ctx(ctx), m_root(ctx.Find(ID_TACTICS)) {
    for (int id = 0; id < kTacticCount; ++id)
        ReadTacticPreview(kPreviewFiles[id], id);
    // Escape leaves the window as "Done" does, over a running match as well as between matches.
    m_ctx.Stack().SetEscapeButton(ID_TACTICS, ID_TA_APPLY);
}

CGuiElement* CTacticsScreen::Child(int id) const {
    return m_root ? m_root->FindChild(id) : nullptr;
}

void CTacticsScreen::ReadTacticPreview(const CStr& path, int tacticId) {
    if (tacticId < 0 || tacticId >= kTacticCount)
        return;
    Formation formation = ReadFormationFile(path);
    for (int i = 0; i < kFormationSpots; ++i)
        previews[tacticId].points[i] = formation.spots[i].spot;
}

int CTacticsScreen::GetOffenceTactic() const {
    CGuiElement* combo = Child(ID_TA_OFFENCE);
    return OffenceTacticOfItem(combo ? combo->GetSelectedIndex() : -1);
}

int CTacticsScreen::GetDefenceTactic() const {
    CGuiElement* combo = Child(ID_TA_DEFENCE);
    return DefenceTacticOfItem(combo ? combo->GetSelectedIndex() : -1);
}

void CTacticsScreen::PlaceMarker(const Vec3& point, CGuiElement* marker) {
    CGuiElement* court = Child(ID_TA_COURT);
    if (marker == nullptr || court == nullptr)
        return;
    const ElementDesc& c = court->Desc();
    int left = 0;
    int top = 0;
    MarkerTopLeft(GuiRect{c.x, c.y, c.w, c.h}, marker->Desc().w, marker->Desc().h, point, left, top);
    marker->MoveTo(left, top);
}

void CTacticsScreen::ShowOffencePreview() {
    const TacticPreview& preview = previews[GetOffenceTactic()];
    // The attack runs toward the top of the picture: its formation is drawn mirrored in z.
    for (int i = 0; i < 5; ++i) {
        const Vec3& p = preview.points[i];
        PlaceMarker(Vec3(p.x, p.y, -p.z), Child(ID_TA_ATTACK_MARKER1 + i));
    }
}

void CTacticsScreen::ShowDefencePreview() {
    const TacticPreview& preview = previews[GetDefenceTactic()];
    for (int i = 0; i < 5; ++i)
        PlaceMarker(preview.points[i], Child(ID_TA_DEFENCE_MARKER1 + i));
}

void CTacticsScreen::UpdateDescription(int combo, int textBox, const TextRun& texts) {
    // The text describes the tactic chosen, whatever the mouse hovers over later (a refresh
    // leaves no hovered row, which would otherwise describe tactic 0 beside another's markers).
    CGuiElement* list = Child(combo);
    int item = list ? list->GetSelectedIndex() : -1;
    if (item < 0 || item >= kTacticsPerSide)
        item = 0;
    m_ctx.SetText(textBox, m_ctx.Text(texts.At(item)));
}

void CTacticsScreen::UpdateOffence() {
    UpdateDescription(ID_TA_OFFENCE, ID_TA_OFFENCE_TEXT, kOffenceDescriptions);
    ShowOffencePreview();
}

void CTacticsScreen::UpdateDefence() {
    UpdateDescription(ID_TA_DEFENCE, ID_TA_DEFENCE_TEXT, kDefenceDescriptions);
    ShowDefencePreview();
}

void CTacticsScreen::ShowHeader() {
    const CCareerSession& session = m_ctx.Session();
    if (m_root != nullptr && session.HasOpenCareer()) {
        const CTeam* club = session.UserClub();
        m_root->SetCaption(ClubCaptionLine(m_ctx, 200163, club ? club->name : CStr(), dateText));
    }
    if (CGuiElement* label = Child(ID_TA_OFFENCE_LABEL))
        label->SetText(m_ctx.Text(200248), kFormatTopLeft, kWhite);
    if (CGuiElement* label = Child(ID_TA_DEFENCE_LABEL))
        label->SetText(m_ctx.Text(200249), kFormatTopLeft, kWhite);
    if (CGuiElement* apply = Child(ID_TA_APPLY))
        apply->SetText(m_ctx.Text(100071), kFormatCentreMiddle);
    ShowOffencePreview();
    ShowDefencePreview();
}

bool CTacticsScreen::MatchRunning() const {
    return m_ctx.Session().matchMode != 0;
}

bool CTacticsScreen::Running3D() const {
    return MatchRunning() && m_ctx.Session().view3D != 0 && g_pMatch3D != nullptr;
}

bool CTacticsScreen::Running2D() const {
    return MatchRunning() && m_ctx.Session().view3D == 0 && g_pMatch2D != nullptr;
}

void CTacticsScreen::FillLineupGrids() {
    if (m_root == nullptr)
        return;
    const CTeam* club = m_ctx.Session().UserClub();
    if (CGuiElement* label = Child(ID_TA_CLUB))
        label->SetText(club ? club->name : CStr(), kFormatCentreMiddle, kClubNameColour);
    if (CGuiElement* swap = Child(ID_TA_SWAP))
        swap->SetText(m_ctx.Text(300114), kFormatCentreMiddle);

    CGuiElement* court = Child(ID_TA_COURT_GRID);
    CGuiElement* bench = Child(ID_TA_BENCH_GRID);
    static constexpr int kCourtHeaders[6] = {80035, 200085, 302508, 200220, 200221, 80071};
    static constexpr int kTextCourtTips[6] = {900027, 900026, 910413, 900001, 900016, 900017};
    static constexpr int kCourtFormats[6] = {4, 4, 4, 5, 5, 5};
    static constexpr int kBenchHeaders[5] = {80035, 200085, 200220, 200221, 80071};
    static constexpr int kTextBenchTips[5] = {900027, 900026, 900001, 900016, 900017};
    static constexpr int kBenchFormats[5] = {4, 4, 5, 5, 5};
    if (court) {
        court->Clear();
        for (int c = 0; c < 6; ++c) {
            court->SetHeaderText(c, m_ctx.Text(kCourtHeaders[c]), kCourtFormats[c]);
            court->SetHeaderTooltip(c, m_ctx.Text(kTextCourtTips[c]));
            court->SetColumnFormat(c, kCourtFormats[c]);
        }
    }
    if (bench) {
        bench->Clear();
        for (int c = 0; c < 5; ++c) {
            bench->SetHeaderText(c, m_ctx.Text(kBenchHeaders[c]), kBenchFormats[c]);
            bench->SetHeaderTooltip(c, m_ctx.Text(kTextBenchTips[c]));
            bench->SetColumnFormat(c, kBenchFormats[c]);
        }
    }

    std::vector<TacticsRow> rows;
    const bool in3D = Running3D();
    if (in3D) {
        const CMatchTeam* team = userIsHome ? g_pMatch3D->GetHomeTeam() : g_pMatch3D->GetAwayTeam();
        if (team)
            rows = RowsOfMatchTeam(*team, m_ctx.Texts());
    } else if (Running2D()) {
        const CMatch2DTeam* team = userIsHome ? g_pMatch2D->GetHomeTeam() : g_pMatch2D->GetAwayTeam();
        if (team)
            rows = RowsOfMatch2DTeam(*team, m_ctx.Texts());
    } else if (club) {
        rows = RowsOfClub(*club, m_ctx.Texts());
    }

    int courtRows = 0;
    int benchRows = 0;
    int32_t firstCourtId = -1;
    int32_t firstBenchId = -1;
    for (const TacticsRow& row : rows) {
        if (row.onCourt && court) {
            court->AddCell(0, row.name, row.id);
            court->AddCell(1, m_ctx.Text(row.naturalPosition), row.index);
            court->AddCell(2, m_ctx.Text(row.playedPosition), row.index);
            court->SetCellColour(2, courtRows, row.playedPosition == row.naturalPosition ? kGreen : kRed);
            court->AddCell(3, StaminaText(row.stamina), row.index);
            court->SetCellColour(3, courtRows, BandColour(row.stamina));
            court->AddCell(4, CStr::Formatted("%d", row.form), row.index);
            court->SetCellColour(4, courtRows, BandColour(static_cast<float>(row.form)));
            court->AddCell(5, CStr::Formatted("%d", row.overall), row.index);
            if (row.unavailable)
                for (int c = 0; c < 6; ++c)
                    court->SetCellColour(c, courtRows, kRed);
            if (courtRows == 0)
                firstCourtId = row.id;
            ++courtRows;
        } else if (!row.onCourt && bench) {
            bench->AddCell(0, row.name, row.id);
            bench->AddCell(1, m_ctx.Text(row.naturalPosition), row.index);
            bench->AddCell(2, StaminaText(row.stamina), row.index);
            bench->SetCellColour(2, benchRows, BandColour(row.stamina));
            bench->AddCell(3, CStr::Formatted("%d", row.form), row.index);
            bench->SetCellColour(3, benchRows, BandColour(static_cast<float>(row.form)));
            bench->AddCell(4, CStr::Formatted("%d", row.overall), row.index);
            if (row.unavailable)
                for (int c = 0; c < 5; ++c)
                    bench->SetCellColour(c, benchRows, kRed);
            if (benchRows == 0)
                firstBenchId = row.id;
            ++benchRows;
        }
    }
    // Between matches and on the flat court the first player of each list is picked for the user,
    // so Swap alone changes the two at the top; the lists show them picked, or a swap with one
    // player picked would take a bench player nobody saw chosen. Over the 3D match nobody is.
    if (in3D) {
        selectedStarterId = -1;
        selectedBenchId = -1;
    } else {
        selectedStarterId = firstCourtId;
        selectedBenchId = firstBenchId;
    }
    if (court) {
        court->SetRowCount(kCourtRows);
        court->ResetScroll(true);
        court->SetSelectedRow(selectedStarterId >= 0 ? 0 : -1, true);
    }
    if (bench) {
        // A squad of five or fewer leaves an empty bench, never a negative count.
        bench->SetRowCount(std::max(0, static_cast<int>(rows.size()) - kCourtRows));
        bench->ResetScroll(true);
        bench->SetSelectedRow(selectedBenchId >= 0 ? 0 : -1, true);
    }

    for (int side = 0; side < 2; ++side) {
        CGuiElement* combo = Child(side == 0 ? ID_TA_OFFENCE : ID_TA_DEFENCE);
        if (combo == nullptr)
            continue;
        // The combo keeps its selection through the refill: the tactics stay as the user left them.
        combo->ClearItems();
        const TextRun& names = side == 0 ? kOffenceNames : kDefenceNames;
        for (int k = 0; k < kTacticsPerSide; ++k)
            combo->AddItem(m_ctx.Text(names.At(k)), k);
        combo->SetListRows(kTacticsPerSide + 1);
        combo->UpdateScrollRange();
    }
}

CPlayer* CTacticsScreen::FindRosterEntry(int32_t playerId, int& index) const {
    index = -1;
    CTeam* club = m_ctx.Session().UserClub();
    if (club == nullptr)
        return nullptr;
    for (size_t i = 0; i < club->players.size(); ++i) {
        CPlayer* player = club->players[i];
        if (player != nullptr && player->id == playerId) {
            index = static_cast<int>(i);
            return player;
        }
    }
    return nullptr;
}

void CTacticsScreen::ClearGridSelections() {
    selectedStarterId = -1;
    selectedBenchId = -1;
    if (CGuiElement* grid = Child(ID_TA_COURT_GRID))
        grid->SetSelectedRow(-1, true);
    if (CGuiElement* grid = Child(ID_TA_BENCH_GRID))
        grid->SetSelectedRow(-1, true);
}

void CTacticsScreen::Swap(GuiMessage& message) {
    Consume(message);
    if (selectedStarterId < 0 || selectedBenchId < 0) {
        // One player picked, or none: say what the button needs instead of doing nothing.
        ClearGridSelections();
        ShowSwapMessage(m_ctx.Text(kSwapNeedsTwoText));
        return;
    }
    int starterIndex = -1;
    int benchIndex = -1;
    CPlayer* starter = FindRosterEntry(selectedStarterId, starterIndex);
    CPlayer* sub = FindRosterEntry(selectedBenchId, benchIndex);
    if (starter == nullptr || sub == nullptr)
        return;
    // A hurt player may leave the court but not come on; the user hears why nothing changed.
    if (sub->words[kWordInjured] != 0) {
        TellSwapRefused(sub->name, false);
        ClearGridSelections();
        return;
    }
    // Before a match the swap changes the starting five; during one it changes only who is on
    // court now, and the next match starts with the five the player picked.
    if (!Running2D() && !Running3D()) {
        sub->words[kWordMatchState] = kOnCourt;
        sub->words[kWordPlayedPosition] = starter->words[kWordPlayedPosition];
        starter->words[kWordMatchState] = kOnBench;
        CTeam* club = m_ctx.Session().UserClub();
        std::swap(club->players[static_cast<size_t>(starterIndex)],
                  club->players[static_cast<size_t>(benchIndex)]);
        // The line-up's rows name players by their place in the squad, which just changed.
        if (CGameScreen* lineup = m_ctx.Screen(ScreenRole::Lineup))
            lineup->Refresh();
    }

    const int32_t outId = selectedStarterId;
    const int32_t inId = selectedBenchId;
    if (Running2D()) {
        // The match centre lets on only a player who may play (not hurt, fewer than six fouls).
        CMatch2DTeam* side = userIsHome ? g_pMatch2D->GetHomeTeam() : g_pMatch2D->GetAwayTeam();
        int place = 0;
        const CMatch2DPlayer* coming = side != nullptr ? side->FindById(inId, place) : nullptr;
        if (coming != nullptr && (coming->mustLeave != 0 || coming->Fouls() >= 6)) {
            TellSwapRefused(coming->name, coming->mustLeave == 0);
            ClearGridSelections();
            return;
        }
        if (auto* centre = m_ctx.ScreenAs<CMatchDayScreen>(ScreenRole::MatchCentre)) {
            centre->Substitute2D(outId, inId);
            // The match centre's tables show who is on court now.
            centre->FillHostBoxScore();
            centre->FillVisitorBoxScore();
        } else if (side != nullptr) {
            side->Substitute(outId, inId);
        }
    }
    if (Running3D() &&
        (g_pMatch3D->flags.substitutionPhase != 0 || g_pMatch3D->flags.substitutionRequested != 0)) {
        // The match carries out one change at a time: the player hears why his is not recorded
        // and makes it again once the other is done.
        TellSwapMustWait();
        ClearGridSelections();
        return;
    }
    if (Running3D()) {
        CMatch3D& match = *g_pMatch3D;
        auto find = [&match](int32_t id) -> CCourtPlayer* {
            int index = 0;
            CCourtPlayer* p = match.GetHomeTeam() ? match.GetHomeTeam()->FindById(id, index) : nullptr;
            if (p == nullptr && match.GetAwayTeam())
                p = match.GetAwayTeam()->FindById(id, index);
            return p;
        };
        CCourtPlayer* leaving = find(outId);
        CCourtPlayer* coming = find(inId);
        CMatchTeam* team = userIsHome ? match.GetHomeTeam() : match.GetAwayTeam();
        if (leaving != nullptr && coming != nullptr && PendingReplacement(coming) == leaving) {
            // The lists show a change not yet carried out as made: swapping the two back takes
            // it back, and the called-off player stays on.
            coming->inSubstitution = 0;
            coming->replacement = nullptr;
            if (match.flags.calledOffUser == coming)
                match.flags.calledOffUser = nullptr;
            if (match.incomingPlayer == leaving)
                match.incomingPlayer = nullptr;
            substitutionPending = team != nullptr && HasPendingChange(*team) ? 1 : 0;
            FillLineupGrids();
            ClearGridSelections();
            return;
        }
        if (leaving == nullptr || coming == nullptr || leaving->matchState != kOnCourt ||
            leaving->inSubstitution != 0 || coming->matchState != kOnBench ||
            (team != nullptr && ReplacementFor(*team, coming) != nullptr)) {
            // Not a player on court against one on the bench (or one of them already in a change
            // under way): nothing to record, and the changes already made stand.
            ClearGridSelections();
            return;
        }
        if (coming->injured != 0 || coming->personalFouls > 5) {
            // Refused: no called-off player is left behind without a replacement.
            if (match.flags.calledOffUser == leaving)
                match.flags.calledOffUser = nullptr;
            if (match.incomingPlayer == coming)
                match.incomingPlayer = nullptr;
            leaving->replacement = nullptr;
            substitutionPending = team != nullptr && HasPendingChange(*team) ? 1 : 0;
            TellSwapRefused(CStr(coming->name), coming->injured == 0);
            ClearGridSelections();
            return;
        }
        RecordChange3D(*leaving, *coming);
    }
    FillLineupGrids();
    ClearGridSelections();
}

void CTacticsScreen::RecordChange3D(CCourtPlayer& leaving, CCourtPlayer& coming) {
    // The replacement is known before the player is called off.
    leaving.replacement = &coming;
    leaving.inSubstitution = 1;
    g_pMatch3D->flags.calledOffUser = &leaving;
    g_pMatch3D->flags.substitutionSide = userIsHome ? 0 : 1;
    g_pMatch3D->incomingPlayer = &coming;
    substitutionPending = 1;
}

void CTacticsScreen::OfferMustLeaveChanges() {
    if (Running2D()) {
        CMatch2DTeam* side = userIsHome ? g_pMatch2D->GetHomeTeam() : g_pMatch2D->GetAwayTeam();
        auto* centre = m_ctx.ScreenAs<CMatchDayScreen>(ScreenRole::MatchCentre);
        for (int i = 0; side != nullptr && i < kCourtPlayers && i < side->PlayerCount(); ++i) {
            const CMatch2DPlayer* p = side->GetPlayer(i);
            if (p == nullptr || p->MatchState() != kOnCourtState || (p->mustLeave == 0 && p->Fouls() < 6))
                continue;
            // The change the computer makes for him (like for like, a tired one rather than nobody),
            // made now: Done at the first press leaves it made. A change re-seats the five, so the
            // look starts again.
            if (g_pMatch2D->ForcedChange(*side, p->id))
                i = -1;
        }
        if (centre != nullptr) {
            centre->FillHostBoxScore();
            centre->FillVisitorBoxScore();
        }
        return;
    }
    if (!Running3D())
        return;
    CMatch3D& match = *g_pMatch3D;
    CMatchTeam* team = userIsHome ? match.GetHomeTeam() : match.GetAwayTeam();
    if (team == nullptr)
        return;
    for (int i = 0; i < team->OnCourtCount(); ++i) {
        CCourtPlayer* p = team->GetPlayer(i);
        if (p == nullptr || p->inSubstitution != 0 || (p->injured == 0 && p->personalFouls <= 5))
            continue;
        // The rest rule's change of this side not yet begun gives way: he must leave now, and a
        // change already asked for used to leave the window with nothing to offer, so Done changed
        // nothing. The tired player is asked for again once this change is made.
        CCourtPlayer* waiting = match.flags.calledOffAuto;
        if (match.flags.substitutionPhase == 0 && waiting != nullptr && waiting->side == p->side &&
            waiting->inSubstitution != 0 && waiting->cameOn == 0) {
            waiting->inSubstitution = 0;
            waiting->replacement = nullptr;
            waiting->rested = 0;
            match.flags.calledOffAuto = nullptr;
            match.flags.substitutionRequested = 0;
            match.incomingPlayer = nullptr;
        }
        // The change the computer would make: like for like among the fit, else among anyone who
        // may come on.
        int picked = team->PickSubstitute(p->playerId);
        if (picked < 0)
            picked = team->PickAnySubstitute(p->playerId);
        int index = 0;
        CCourtPlayer* coming = picked >= 0 ? team->FindById(picked, index) : nullptr;
        if (coming != nullptr)
            RecordChange3D(*p, *coming);
    }
}

void CTacticsScreen::TellSwapMustWait() {
    ShowSwapMessage(m_ctx.Text(kSwapMustWaitText));
}

void CTacticsScreen::TellSwapRefused(const CStr& name, bool fouledOut) {
    CStr text = m_ctx.Text(fouledOut ? kSwapFouledOutText : kSwapInjuredText);
    text.ReplaceAll("XYPLAYER", name.GetText());
    ShowSwapMessage(text);
}

void CTacticsScreen::ShowSwapMessage(const CStr& text) {
    if (CGuiElement* popup = m_ctx.Find(ID_MATCH_POPUP)) {
        popup->SetCaption(m_ctx.Text(200163));
        if (CGuiElement* box = m_ctx.Find(ID_MATCH_POPUP_TEXT)) {
            box->Clear();
            box->SetText(text);
        }
        m_ctx.Stack().BringToTop(ID_MATCH_POPUP);
    }
    m_ctx.Post(ID_TA_SWAP, ID_MATCH_POPUP, kMsgOpenOnTop, ID_TA_SWAP, 0);
    m_ctx.Shell().SetOverlayOpen(Overlay::Popup, true);
}

void CTacticsScreen::Apply(GuiMessage& message) {
    if (MatchRunning()) {
        // The running match takes the career's choice, which the combos have just written.
        const UserTactics chosen = m_ctx.Session().Tactics();
        if (Running3D()) {
            CMatchTeam* team = userIsHome ? g_pMatch3D->GetHomeTeam() : g_pMatch3D->GetAwayTeam();
            // With nobody on the bench who may come on, the hurt player stays and Done closes. So
            // does he while the other side's change is under way: no swap can be recorded then, and
            // a window that refused to close would hold the paused match for good. The rules ask
            // for him again once that change is done.
            const bool changeUnderWay =
                g_pMatch3D->flags.substitutionPhase != 0 || g_pMatch3D->flags.substitutionRequested != 0;
            bool blocked = false;
            for (int i = 0; team && !changeUnderWay && team->HasFitSubstitute() && i < 5; ++i) {
                const CCourtPlayer* p = team->GetPlayer(i);
                if (p && p->injured == 1 && p->inSubstitution == 0)
                    blocked = true;
            }
            if (!blocked) {
                if (userIsHome)
                    g_pMatch3D->PlaceHomeTeam(chosen.attack, chosen.defence);
                else
                    g_pMatch3D->PlaceAwayTeam(chosen.attack, chosen.defence);
                if (substitutionPending == 1)
                    g_pMatch3D->flags.substitutionPhase = 1;
                substitutionPending = 0;
                m_ctx.Shell().SetOverlayOpen(Overlay::Tactics, false);
                // Back to the court: the window over the 3D match closes as over the flat one.
                m_ctx.Post(ID_TA_APPLY, ID_TACTICS, kMsgClose, ID_TA_APPLY, 0);
            }
            // A hurt player still on court keeps the window open for his change; the layout's own
            // action must not take the frame away from the match either way.
            Consume(message);
        } else if (g_pMatch2D != nullptr) {
            if (userIsHome)
                g_pMatch2D->LoadHomeFormation(chosen.attack, chosen.defence);
            else
                g_pMatch2D->LoadAwayFormation(chosen.attack, chosen.defence);
            m_ctx.Shell().SetOverlayOpen(Overlay::Tactics, false);
            // Back to the match: the window over it closes.
            m_ctx.Post(ID_TA_APPLY, ID_TACTICS, kMsgClose, ID_TA_APPLY, 0);
            Consume(message);
        }
    }
    // Outside a match apply changes nothing: the layout's own action closes the window.
}

void CTacticsScreen::OnMessage(GuiMessage& message) {
    // A double-click on a player opens his window (not over a running match).
    if (message.MSG == kMsgDoubleClick &&
        (message.sID == ID_TA_COURT_GRID || message.sID == ID_TA_BENCH_GRID)) {
        CGuiElement* grid = Child(message.sID);
        const GuiGridCell* cell = grid && !MatchRunning() ? grid->FindCell(0, message.p1) : nullptr;
        if (cell && OpenPlayerInfo(m_ctx, cell->data))
            Consume(message);
        return;
    }
    if (message.MSG == kMsgSelection &&
        (message.sID == ID_TA_COURT_GRID || message.sID == ID_TA_BENCH_GRID)) {
        int32_t& selection = message.sID == ID_TA_COURT_GRID ? selectedStarterId : selectedBenchId;
        CGuiElement* grid = Child(message.sID);
        if (message.p1 < 0) {
            selection = -1;
        } else if (grid != nullptr) {
            if (const GuiGridCell* cell = grid->FindCell(0, message.p1))
                selection = cell->data;
        }
        Consume(message);
    } else if (IsClick(message, ID_TA_SWAP)) {
        Swap(message);
    } else if (IsClick(message, ID_TA_APPLY)) {
        Apply(message);
    } else if (message.MSG == kMsgSelection && message.sID == ID_TA_OFFENCE) {
        if (Child(ID_TA_OFFENCE)) {
            UpdateOffence();
            // The choice is the career's: it is saved with it.
            m_ctx.Session().userAttack = GetOffenceTactic();
            Consume(message);
        }
    } else if (message.MSG == kMsgSelection && message.sID == ID_TA_DEFENCE) {
        if (Child(ID_TA_DEFENCE)) {
            UpdateDefence();
            m_ctx.Session().userDefence = GetDefenceTactic();
            Consume(message);
        }
    }
}

void CTacticsScreen::Refresh() {
    const GameDate& today = m_ctx.Session().currentDate;
    dateText = FormatDate(today.year, today.day, today.month, ".");
    ShowHeader();
    FillLineupGrids();
    // The combos show the career's tactics (a loaded career brings its own).
    const CCareerSession& session = m_ctx.Session();
    if (CGuiElement* offence = Child(ID_TA_OFFENCE))
        offence->SetSelection(session.userAttack.load());
    if (CGuiElement* defence = Child(ID_TA_DEFENCE))
        defence->SetSelection(session.userDefence.load() - 10);
    UpdateOffence();
    UpdateDefence();
}
