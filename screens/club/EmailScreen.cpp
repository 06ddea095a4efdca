// The inbox: folders, the mail list, the reading pane and the unread counters.
#include "screens/club/EmailScreen.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "database/MemoryDB.h"
#include "gui/Button.h"
#include "gui/Element.h"
#include "gui/GuiTypes.h"

namespace {

constexpr int kTextDelete = 100062;
constexpr int kTextInbox = 300123;
constexpr int kTextSeason = 80030;
constexpr int kTextRead = 100149;
// Text 100150 is the season-end popup's "Leave career", so the unread mark has a text of its own.
constexpr int kTextUnreadMark = 300957;
constexpr int kFolderCaptions[kEmailFolders] = {80040, 80054, 100151, 300109, 100153};
// Column captions: date, subject, sender, status.
constexpr int kColumnCaptions[4] = {80039, 100148, 80050, 300107};
constexpr int kStatusColumn = 3;
constexpr int kColumns = 4;
// The folder the inbox opens on before any mail asked for another.
constexpr int kFirstFolder = 2;
constexpr uint32_t kUnreadColour = 0x66D1FFFFu; // gold (#FFD166), as the frame's date
constexpr uint32_t kReadColour = 0xFFFFFFFFu;

} // namespace

CEmailScreen::CEmailScreen(const CScreenContext& ctx) : m_ctx(ctx), m_root(ctx.Find(kWindow)) {}

CEmailList* CEmailScreen::Mails() const {
    CMemoryDB* career = m_ctx.Session().careerDB;
    return career ? &career->emails : nullptr;
}

int CEmailScreen::FolderSize() const {
    const CEmailList* mails = Mails();
    return mails ? static_cast<int>(mails->Folder(m_folder).size()) : 0;
}

CEmail* CEmailScreen::MailAt(int row) const {
    const CEmailList* mails = Mails();
    if (!mails || row < 0 || row >= FolderSize())
        return nullptr;
    return mails->Folder(m_folder)[static_cast<size_t>(row)];
}

int CEmailScreen::UnreadIn(int folder) const {
    return folder >= 0 && folder < kEmailFolders ? m_unread[static_cast<size_t>(folder)] : 0;
}

void CEmailScreen::Refresh() {
    const CCareerSession& session = m_ctx.Session();
    if (session.careerDB && !session.careerDB->teams.IsEmpty()) {
        m_clubName = session.careerDB->teams.At(0)->name;
        const GameDate& today = session.currentDate;
        m_dateText = FormatDate(today.year, today.day, today.month, ".");
        m_year = today.year;
    }
    RefreshAll();
}

void CEmailScreen::RefreshAll() {
    SetCaptions();
    CountMails();
    FillMailList();
    OpenMail();
    UpdateUnreadCounters();
}

CEmail* CEmailScreen::CreateEmail(int templateRow, int year, int month, int day, const CStr& senderText,
                                  const CStr& senderName, int32_t type, std::initializer_list<CStr> values) {
    CCareerSession& session = m_ctx.Session();
    CEmail* mail = ::CreateEmail(session.worldDB, session.careerDB, templateRow, year, month, day, senderText,
                                 senderName, type, values);
    if (!mail)
        return nullptr;
    UpdateUnreadCounters();
    CountMails();
    FillMailList();
    OpenMail();
    return mail;
}

void CEmailScreen::SetCaptions() {
    m_ctx.SetText(kDeleteButton, m_ctx.Text(kTextDelete));
    const CCareerSession& session = m_ctx.Session();
    if (m_root) {
        const CLeague* league = session.UserLeague();
        int startYear = SeasonSpan::kDefaultStartYear;
        int endYear = SeasonSpan::kDefaultEndYear;
        if (session.fixtureList) {
            startYear = session.fixtureList->Season().startYear;
            endYear = session.fixtureList->Season().endYear;
        }
        CStr caption = m_ctx.Text(kTextInbox);
        caption += " / ";
        caption += league ? m_ctx.Text(league->nameTextId) : CStr();
        caption += " / ";
        caption += FormatSeasonYears(startYear, endYear);
        caption += " ";
        caption += m_ctx.Text(kTextSeason);
        caption += " / ";
        caption += m_clubName;
        m_root->SetCaption(caption);
    }
    if (CGuiElement* grid = m_ctx.Find(kGrid))
        for (int column = 0; column < kColumns; ++column)
            grid->SetHeaderText(column, m_ctx.Text(kColumnCaptions[column]), kFormatLeftMiddle);
}

void CEmailScreen::CountMails() {
    m_unread.fill(0);
    const CEmailList* mails = Mails();
    if (!mails)
        return;
    m_unread = CountUnreadByFolder(*mails);
    int folder = NewestUnreadFolder(*mails, m_folder);
    if (folder < 0)
        folder = kFirstFolder;
    // Another folder's rows are other mails: nothing stays selected.
    if (folder != m_folder)
        m_row = -1;
    m_folder = folder;
}

void CEmailScreen::FillMailList() {
    if (m_row >= FolderSize())
        m_row = -1;
    // The open folder's button stays pressed, so the player sees which folder the list shows.
    for (int folder = 0; folder < kEmailFolders; ++folder)
        if (CGuiElement* button = m_ctx.Find(kFolderButtons[folder]))
            button->ForceState(CGuiButton::kPressed, folder == m_folder);
    CGuiElement* grid = m_ctx.Find(kGrid);
    if (CGuiElement* text = m_ctx.Find(kText))
        text->Clear();
    if (!grid)
        return;
    grid->Clear();
    const CEmailList* mails = Mails();
    const CCareerSession& session = m_ctx.Session();
    int rows = 0;
    if (mails)
        for (const CEmail* mail : mails->Folder(m_folder)) {
            const bool unread = mail->unread == 1;
            grid->AddCell(0, FormatDate(mail->year, mail->day, mail->month, "."), mail->id);
            grid->AddCell(1, MailSubject(session.worldDB, *mail, m_ctx.Texts()), mail->id);
            grid->AddCell(2, MailSender(*mail), mail->id);
            grid->AddCell(kStatusColumn, m_ctx.Text(unread ? kTextUnreadMark : kTextRead), mail->id);
            for (int column = 0; column < kColumns; ++column)
                grid->SetCellColour(column, rows, unread ? kUnreadColour : kReadColour);
            ++rows;
        }
    grid->SetRowCount(rows);
    grid->SetSelectedRow(m_row);
    UpdateFolderButtons();
}

void CEmailScreen::OpenMail() {
    CEmail* mail = MailAt(m_row);
    CGuiElement* pane = m_ctx.Find(kPane);
    CGuiElement* text = m_ctx.Find(kText);
    if (!mail) {
        if (pane)
            pane->Show(false);
        if (text)
            text->Show(false);
        return;
    }
    if (CGuiElement* grid = m_ctx.Find(kGrid)) {
        if (GuiGridCell* status = grid->FindCell(kStatusColumn, m_row))
            status->text = m_ctx.Text(kTextRead);
        for (int column = 0; column < kColumns; ++column)
            grid->SetCellColour(column, m_row, kReadColour);
    }
    if (mail->unread == 1 && m_unread[static_cast<size_t>(m_folder)] > 0)
        --m_unread[static_cast<size_t>(m_folder)];
    mail->unread = 0;
    if (pane)
        pane->Show(true);
    if (text)
        text->Show(true);
    m_ctx.SetText(kText, MailReadingText(m_ctx.Session().worldDB, *mail, m_ctx.Texts()));
    UpdateFolderButtons();
}

void CEmailScreen::DeleteMail(int row) {
    CEmail* mail = MailAt(row);
    CEmailList* mails = Mails();
    if (mail && mails) {
        // The folders are the career's mail store: a removed mail is gone, not kept unsaved.
        mails->Erase(mail);
        m_row = -1;
        m_unread = CountUnreadByFolder(*mails);
    }
    UpdateUnreadCounters();
}

void CEmailScreen::UpdateFolderButtons() {
    for (int folder = 0; folder < kEmailFolders; ++folder)
        m_ctx.SetText(kFolderButtons[folder], FolderCaption(m_ctx.Text(kFolderCaptions[folder]),
                                                            m_unread[static_cast<size_t>(folder)]));
}

void CEmailScreen::UpdateUnreadCounters() {
    UnreadMail counts;
    if (const CEmailList* mails = Mails()) {
        counts = CountUnreadMail(*mails);
        // Mail also arrives where no refresh of the inbox follows: the folder buttons are counted
        // with the headers, so no folder lags behind them.
        m_unread = CountUnreadByFolder(*mails);
        UpdateFolderButtons();
    }
    // The count stands beside the "Mail" button, which opens the inbox where the players' letters
    // are too; the "Players" button opens the line-up, so no mail count stands beside it.
    const CStr unread = UnreadCounterText(counts.others + counts.laments, m_ctx.Texts());
    for (const auto& header : kHeaderCounters) {
        m_ctx.SetText(header[0], unread);
        m_ctx.SetText(header[1], CStr());
    }
    // The frame's menu button tells of new mail too.
    m_ctx.SetText(ID_FR_INBOX, FolderCaption(m_ctx.Text(kTextInbox), counts.others + counts.laments));
}

void CEmailScreen::SelectFolder(int folder) {
    if (folder < 0 || folder >= kEmailFolders)
        return;
    m_folder = folder;
    m_row = -1;
    FillMailList();
    OpenMail();
}

void CEmailScreen::SelectRow(int row) {
    m_row = row >= 0 && row < FolderSize() ? row : -1;
    OpenMail();
}

void CEmailScreen::OnMessage(GuiMessage& m) {
    for (int folder = 0; folder < kEmailFolders; ++folder)
        if (IsClick(m, kFolderButtons[folder])) {
            Consume(m);
            SelectFolder(folder);
            UpdateUnreadCounters();
            return;
        }
    if (m.sID == kGrid && m.MSG == kMsgSelection) {
        if (!m_ctx.Find(kGrid))
            return;
        Consume(m);
        SelectRow(m.p1);
        UpdateUnreadCounters();
    } else if (IsClick(m, kDeleteButton)) {
        Consume(m);
        if (!m_ctx.Find(kGrid))
            return;
        if (CGuiElement* text = m_ctx.Find(kText))
            text->Clear();
        DeleteMail(m_row);
        FillMailList();
        OpenMail();
    }
}
