// The coaching dialog and the quarter-break message.
#include "screens/match/SubstitutionDialog.h"

#include "career/CareerSession.h"
#include "database/HiredStaff.h"
#include "engine/GameRand.h"
#include "gui/Element.h"
#include "guidefines.h"
#include "match2d/Match2D.h"
#include "match3d/Match3D.h"
#include "match3d/MatchTeam.h"
#include "screens/info/DayController.h"
#include "screens/match/TacticsScreen.h"

#include <algorithm>

namespace {

constexpr int kFormFloor = 10;
constexpr int kFormCeiling = 100;
// The 2D player keeps record words; the court player's attributes[k] is record attribute k + 1,
// and record attribute n sits in word 3n + 5.
constexpr int kFormWord = 8;
int WordOfAttribute(int attribute) {
    return 3 * attribute + 5;
}

// The record attributes an instruction lifts; empty for an id that is no instruction.
std::vector<int> InstructionAttributes(int instruction) {
    switch (instruction) {
    case kInstructionPassing:
        return {14};
    case kInstructionShooting:
        return {8, 7, 9};
    case kInstructionPhysical:
        return {11};
    case kInstructionConcentrate:
        return {10};
    default:
        return {};
    }
}

} // namespace

int InstructionBonus(int headCoachSkill) {
    return static_cast<int>(headCoachSkill * 0.1);
}

int FormAfterQuarterBreak(int form, int ownScore, int otherScore) {
    if (ownScore < otherScore) {
        const double ratio = static_cast<double>(ownScore) / otherScore;
        const int delta = std::clamp(static_cast<int>((1.0 - ratio) * 10.0), 1, 10);
        // A form already under the floor is not raised by a bad quarter.
        return std::max(form - delta, std::min(form, kFormFloor));
    }
    // A tie, 0:0 included, is worth one point of form.
    int delta = 1;
    if (ownScore > otherScore) {
        const double ratio = static_cast<double>(otherScore) / ownScore;
        delta = std::clamp(static_cast<int>((1.0 - ratio) * 10.0), 1, 10);
    }
    return std::min(form + delta, std::max(form, kFormCeiling));
}

void QuarterBreakMessage(int ownScore, int otherScore, int roll, int& firstText, int& secondText) {
    if (ownScore >= otherScore) {
        // 0:0 has no ratio: it reads as the tie it is.
        const double lead = ownScore > 0 ? 1.0 - static_cast<double>(otherScore) / ownScore : 0.0;
        firstText = lead > 0.7 ? 700003 : 700002;
        secondText = lead > 0.7 ? 700004 : 700005;
        return;
    }
    // "Not far behind" only within a tenth of their score (a basket or two early on, 6-8 points late);
    // from there "outplaying us", and beyond 30 % "not good enough".
    const double gap = 1.0 - static_cast<double>(ownScore) / otherScore;
    if (gap <= 0.1) {
        firstText = 700006;
        secondText = 700009;
        return;
    }
    firstText = gap > 0.3 ? 700007 : 700008;
    secondText = roll > 70 ? 700007 : (roll > 40 ? 700008 : 700009);
    // The coach does not say the same line twice.
    if (secondText == firstText)
        secondText = 700009;
}

CSubstitutionDialog::CSubstitutionDialog(const CScreenContext& ctx)
    : m_ctx(ctx), m_instructionWindow(ctx.Find(kInstructionWindow)),
      m_messageWindow(ctx.Find(kMessageWindow)) {
    if (m_instructionWindow) {
        m_instructionList = m_instructionWindow->FindChild(ID_COACH_INSTRUCTIONS);
        m_playerList = m_instructionWindow->FindChild(ID_COACH_PLAYERS);
    }
    if (m_messageWindow)
        m_messageText = m_messageWindow->FindChild(ID_QUARTERBREAK_TEXT);
    // The tactics screen holds where the user's club plays; the day controller knows it too.
    m_userIsHome = [this]() -> bool {
        if (auto* tactics = m_ctx.ScreenAs<CTacticsScreen>(ScreenRole::Tactics))
            return tactics->userIsHome != 0;
        auto* day = m_ctx.ScreenAs<CDayController>(ScreenRole::DayController);
        return day && day->UserAtHome();
    };
    SetCaptions();
}

void CSubstitutionDialog::SetMatches(CMatch2D* match2D, CMatch3D* match3D) {
    m_match2D = match2D;
    m_match3D = match3D;
    m_matchesSet = true;
}

CMatch2D* CSubstitutionDialog::Match2D() const {
    return m_matchesSet ? m_match2D : g_pMatch2D;
}

CMatch3D* CSubstitutionDialog::Match3D() const {
    return m_matchesSet ? m_match3D : g_pMatch3D;
}

CMatch2DTeam* CSubstitutionDialog::UserTeam2D() const {
    CMatch2D* match = Match2D();
    if (!match || !m_userIsHome)
        return nullptr;
    return m_userIsHome() ? match->GetHomeTeam() : match->GetAwayTeam();
}

CMatchTeam* CSubstitutionDialog::UserTeam3D() const {
    CMatch3D* match = Match3D();
    if (!match || !m_userIsHome)
        return nullptr;
    return m_userIsHome() ? match->GetHomeTeam() : match->GetAwayTeam();
}

void CSubstitutionDialog::SetCaptions() {
    if (m_instructionWindow)
        m_instructionWindow->SetCaption(m_ctx.Text(500026));
    if (m_instructionList)
        m_instructionList->SetColumnCaption(0, m_ctx.Text(500027));
    if (m_playerList)
        m_playerList->SetColumnCaption(0, m_ctx.Text(80036));
    m_ctx.SetText(ID_COACH_APPLY, m_ctx.Text(500028), kFormatCentreMiddle);
    m_ctx.SetText(ID_COACH_CANCEL, m_ctx.Text(100156), kFormatCentreMiddle);
    if (m_messageWindow)
        m_messageWindow->SetCaption(m_ctx.Text(700000));
    m_ctx.SetText(ID_QUARTERBREAK_OK, m_ctx.Text(700001), kFormatCentreMiddle);
}

void CSubstitutionDialog::FillLists(bool twoD) {
    m_twoDMode = twoD;
    if (!m_instructionList)
        return;
    if (m_playerList) {
        m_playerList->ClearItems();
        if (twoD) {
            if (CMatch2DTeam* team = UserTeam2D())
                for (int place = 0; place < team->PlayerCount(); ++place)
                    if (CMatch2DPlayer* p = team->GetPlayer(place); p && p->MatchState() == kOnCourtState)
                        m_playerList->AddItem(p->name, place);
        } else if (CMatchTeam* team = UserTeam3D()) {
            for (int place = 0; place < team->GetCount(); ++place)
                if (CCourtPlayer* p = team->GetPlayer(place); p && p->matchState == kMatchStateOnCourt)
                    m_playerList->AddItem(CStr(p->name), place);
        }
        m_playerList->AddItem(m_ctx.Text(80019), kAllPlayers);
        m_playerList->UpdateScrollRange();
    }
    m_instructionList->ClearItems();
    for (int id : {kInstructionPassing, kInstructionShooting, kInstructionPhysical, kInstructionConcentrate})
        m_instructionList->AddItem(m_ctx.Text(id), id);
    m_instructionList->UpdateScrollRange();
}

void CSubstitutionDialog::Show(bool twoD) {
    FillLists(twoD);
    m_ctx.Post(-1, kInstructionWindow, kMsgOpenOnTop, 0, 0);
    m_ctx.Shell().SetOverlayOpen(Overlay::Coaching, true);
}

void CSubstitutionDialog::Apply() {
    if (!m_instructionList || !m_playerList || !m_userIsHome)
        return;
    const int instructionRow = m_instructionList->GetSelectedIndex();
    const int playerRow = m_playerList->GetSelectedIndex();
    if (instructionRow < 0 || playerRow < 0)
        return;
    const int instruction = m_instructionList->GetItemData(instructionRow);
    const int target = m_playerList->GetItemData(playerRow);
    auto applyTo = [&](int place) {
        if (m_twoDMode)
            ApplyInstruction2D(UserTeam2D(), place, instruction);
        else
            ApplyInstruction3D(UserTeam3D(), place, instruction);
    };
    if (target < kAllPlayers) {
        applyTo(target);
        return;
    }
    // The row for all players stands for the player rows above it, each given the instruction once.
    for (int row = 0; row < m_playerList->GetItemCount(); ++row) {
        const int place = m_playerList->GetItemData(row);
        if (place >= 0 && place != kAllPlayers)
            applyTo(place);
    }
}

void CSubstitutionDialog::ApplyInstruction3D(CMatchTeam* team, int place, int instruction) {
    const std::vector<int> attributes = InstructionAttributes(instruction);
    // A place whose player has gone (a roster changed since the list was filled) gets nothing.
    CCourtPlayer* player = team ? team->GetPlayer(place) : nullptr;
    if (attributes.empty() || !player)
        return;
    std::unique_ptr<CStaffRecord> coach = FindHiredStaff(m_ctx.Session().careerDB, kStaffHeadCoach);
    const int bonus = InstructionBonus(coach ? coach->skill : 0);
    for (int attribute : attributes)
        player->attributes[attribute - 1] += bonus;
    player->stamina -= static_cast<float>(bonus);
    player->attributes[0] -= bonus;
}

void CSubstitutionDialog::ApplyInstruction2D(CMatch2DTeam* team, int place, int instruction) {
    const std::vector<int> attributes = InstructionAttributes(instruction);
    CMatch2DPlayer* player = team ? team->GetPlayer(place) : nullptr;
    if (attributes.empty() || !player)
        return;
    std::unique_ptr<CStaffRecord> coach = FindHiredStaff(m_ctx.Session().careerDB, kStaffHeadCoach);
    const int bonus = InstructionBonus(coach ? coach->skill : 0);
    for (int attribute : attributes) {
        const int word = WordOfAttribute(attribute);
        player->SetAttribute(word, player->Attribute(word) + bonus);
    }
    player->energy -= static_cast<float>(bonus);
    player->SetAttribute(kFormWord, player->Attribute(kFormWord) - bonus);
}

void CSubstitutionDialog::QuarterBreak(bool twoD) {
    if (!m_messageText || !m_userIsHome)
        return;
    int own = 0;
    int other = 0;
    if (twoD) {
        CMatch2D* match = Match2D();
        CMatch2DTeam* user = UserTeam2D();
        if (!match || !user || !match->GetHomeTeam() || !match->GetAwayTeam())
            return;
        CMatch2DTeam* opponent = user == match->GetHomeTeam() ? match->GetAwayTeam() : match->GetHomeTeam();
        own = user->score;
        other = opponent->score;
        for (int place = 0; place < user->PlayerCount(); ++place)
            if (CMatch2DPlayer* p = user->GetPlayer(place))
                p->SetAttribute(kFormWord, FormAfterQuarterBreak(p->Attribute(kFormWord), own, other));
    } else {
        CMatch3D* match = Match3D();
        CMatchTeam* user = UserTeam3D();
        if (!match || !user)
            return;
        const bool home = user == match->GetHomeTeam();
        own = home ? match->homeScore : match->awayScore;
        other = home ? match->awayScore : match->homeScore;
        for (CCourtPlayer* p : user->players)
            if (p)
                p->attributes[0] = FormAfterQuarterBreak(p->attributes[0], own, other);
    }
    int first = 0;
    int second = 0;
    // The roll is drawn only when it is read: a side that trails.
    const int roll = own < other ? static_cast<int>(GameRand() / 32767.0 * 100.0) : 0;
    QuarterBreakMessage(own, other, roll, first, second);
    m_messageText->Clear();
    m_messageText->SetText(m_ctx.Text(first) + " " + m_ctx.Text(second));
    m_ctx.Post(ID_QUARTERBREAK_OK, kMessageWindow, kMsgOpenOnTop, ID_QUARTERBREAK_OK, 0);
    m_ctx.Shell().SetOverlayOpen(Overlay::QuarterBreak, true);
}

void CSubstitutionDialog::OnMessage(GuiMessage& m) {
    if (IsClick(m, ID_COACH_APPLY)) {
        Apply();
        m_ctx.Post(ID_COACH_APPLY, kInstructionWindow, kMsgClose, ID_COACH_APPLY, 0);
        m_ctx.Shell().SetOverlayOpen(Overlay::Coaching, false);
        Consume(m);
    } else if (IsClick(m, ID_COACH_CANCEL)) {
        // The layout's action closes the window.
        m_ctx.Shell().SetOverlayOpen(Overlay::Coaching, false);
    } else if (IsClick(m, ID_QUARTERBREAK_OK)) {
        m_ctx.Shell().SetOverlayOpen(Overlay::QuarterBreak, false);
    }
}
