// The shared header strip: picture, date and the mail buttons.
#include "screens/club/ScreenHeader.h"

#include "career/CareerSession.h"
#include "database/MemoryDB.h"
#include "gui/Element.h"
#include "guidefines.h"
#include "screens/club/EmailScreen.h"

namespace {

// Per copy: picture, first and second mail counter, date; then the two mail buttons.
constexpr int kElements[CScreenHeader::kCopies][4] = {
    {ID_FR_PICTURE, ID_FR_MAILCOUNT, ID_FR_LETTERCOUNT, ID_FR_HEADERDATE},
    {ID_SEASONFRAME_PICTURE, ID_SEASONFRAME_MAILCOUNT, ID_SEASONFRAME_LETTERCOUNT, ID_SEASONFRAME_DATE},
    {ID_STATSFRAME_PICTURE, ID_STATSFRAME_MAILCOUNT, ID_STATSFRAME_LETTERCOUNT, ID_STATSFRAME_DATE},
};
constexpr int kMailButtons[] = {ID_FR_MAILBUTTON, ID_SEASONFRAME_MAILBUTTON, ID_STATSFRAME_MAILBUTTON};
// The "Players" buttons beside the players' letter counters open the squad.
constexpr int kPlayersButtons[] = {ID_FR_LETTERBUTTON, ID_SEASONFRAME_LETTERBUTTON,
                                   ID_STATSFRAME_LETTERBUTTON};

} // namespace

CScreenHeader::CScreenHeader(const CScreenContext& ctx) : m_ctx(ctx) {
    for (int k = 0; k < kCopies; ++k) {
        Copy& copy = m_copies[static_cast<size_t>(k)];
        copy.root = ctx.Find(kWindows[static_cast<size_t>(k)]);
        if (!copy.root)
            continue;
        copy.picture = copy.root->FindChild(kElements[k][0]);
        copy.mailCount = copy.root->FindChild(kElements[k][1]);
        copy.letterCount = copy.root->FindChild(kElements[k][2]);
        copy.date = copy.root->FindChild(kElements[k][3]);
    }
}

int CScreenHeader::BoundCopies() const {
    int count = 0;
    for (const Copy& copy : m_copies)
        count += copy.root ? 1 : 0;
    return count;
}

bool CScreenHeader::IsMailButton(int id) {
    for (int button : kMailButtons)
        if (button == id)
            return true;
    return false;
}

void CScreenHeader::Refresh() {
    const CCareerSession& session = m_ctx.Session();
    const CTeam* club = session.careerDB ? session.careerDB->teams.At(0) : nullptr;
    if (club && !club->logo.IsEmpty()) {
        const CStr path = CStr("\\").Concat(club->logo);
        for (Copy& copy : m_copies)
            if (copy.picture)
                copy.picture->SetImage(path);
    }
    const GameDate& today = session.currentDate;
    const CStr date = FormatDate(today.year, today.day, today.month, ".");
    for (Copy& copy : m_copies)
        if (copy.date)
            copy.date->SetText(date, kFormatCentre, 0xFFFFFFFF);
}

void CScreenHeader::OnMessage(GuiMessage& m) {
    if (m.MSG != kMsgClick)
        return;
    const int button = m.sID;
    for (int players : kPlayersButtons)
        if (button == players) {
            if (CGameScreen* lineup = m_ctx.Screen(ScreenRole::Lineup))
                lineup->Refresh();
            m_ctx.Post(button, ID_FRAME, kMsgSwitchTo, button, 0);
            m_ctx.Post(button, ID_LINEUP, kMsgSwitchTo, button, 0);
            Consume(m);
            return;
        }
    if (!IsMailButton(button))
        return;
    if (auto* inbox = m_ctx.ScreenAs<CEmailScreen>(ScreenRole::Inbox)) {
        inbox->CountMails();
        inbox->FillMailList();
        inbox->OpenMail();
    }
    m_ctx.Post(button, ID_FRAME, kMsgSwitchTo, button, 0);
    m_ctx.Post(button, ID_INBOX, kMsgSwitchTo, button, 0);
    Consume(m);
}
