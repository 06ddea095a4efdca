// CEmailScreen: the inbox. Five folder buttons with their unread counts, the chosen folder's mail
// list, the opened mail, removing a mail, and the unread counters on the screen headers.
#pragma once

#include "career/Mail.h"
#include "guidefines.h"
#include "screens/ScreenContext.h"

#include <array>
#include <initializer_list>

class CGuiElement;

class CEmailScreen : public CGameScreen {
public:
    static constexpr int kWindow = ID_INBOX;
    static constexpr int kGrid = ID_INBOX_GRID;
    static constexpr int kPane = ID_INBOX_PANE;
    static constexpr int kText = ID_INBOX_TEXT;
    static constexpr int kDeleteButton = ID_INBOX_DELETE;
    // The folder buttons by folder number.
    static constexpr int kFolderButtons[kEmailFolders] = {ID_INBOX_FOLDER_CLUB, ID_INBOX_FOLDER_STAFF,
                                                          ID_INBOX_FOLDER_LEAGUE, ID_INBOX_FOLDER_SPONSORS,
                                                          ID_INBOX_FOLDER_OFFERS};
    // Each header's counter of other mail, then of players' letters.
    static constexpr int kHeaderCounters[3][2] = {{ID_FR_MAILCOUNT, ID_FR_LETTERCOUNT},
                                                  {ID_SEASONFRAME_MAILCOUNT, ID_SEASONFRAME_LETTERCOUNT},
                                                  {ID_STATSFRAME_MAILCOUNT, ID_STATSFRAME_LETTERCOUNT}};

    explicit CEmailScreen(const CScreenContext& ctx);

    // The club, today and the whole inbox from the career.
    void Refresh() override;
    void RefreshAll();
    void OnMessage(GuiMessage& message) override;

    // Makes and files a mail (see ::CreateEmail) and brings the counters and the inbox up to
    // date. Main thread only; the daily steps use ::CreateEmail and the refresh after the day.
    CEmail* CreateEmail(int templateRow, int year, int month, int day, const CStr& senderText,
                        const CStr& senderName, int32_t type, std::initializer_list<CStr> values = {});

    void SetCaptions();
    // Unread counts, and the folder of the newest unread mail becomes the current one.
    void CountMails();
    void FillMailList();
    // Shows the selected mail and marks it read; hides the pane without a selection.
    void OpenMail();
    // Removes and frees the mail of that row of the current folder; anything out of range does
    // nothing. The header counters are brought up to date in every case.
    void DeleteMail(int row);
    void UpdateFolderButtons();
    void UpdateUnreadCounters();
    // A folder button's work: that folder, nothing selected.
    void SelectFolder(int folder);
    void SelectRow(int row);

    int CurrentFolder() const { return m_folder; }
    int SelectedRow() const { return m_row; }
    int UnreadIn(int folder) const;
    const CStr& ClubName() const { return m_clubName; }
    const CStr& DateText() const { return m_dateText; }

private:
    CEmailList* Mails() const;
    // The mail of a row of the current folder; null for any row or folder out of range.
    CEmail* MailAt(int row) const;
    int FolderSize() const;

    const CScreenContext& m_ctx;
    CStr m_clubName = "Your club";
    CStr m_dateText = "01-08-2007";
    int m_year = 1;
    int m_folder = -1; // 0-4, -1 none
    int m_row = -1;    // selected row of the current folder, -1 none
    CGuiElement* m_root = nullptr;
    std::array<int, kEmailFolders> m_unread{}; // by folder
};
