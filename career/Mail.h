// Game mail: mails made from the numbered templates of the world database and filed into the
// career's five folders by type, the unread counts, and the text an opened mail reads.
#pragma once

#include "career/TextLookup.h"
#include "database/Tables.h"
#include "engine/Str.h"

#include <array>
#include <cstdint>
#include <initializer_list>

class CMemoryDB;

// Mail types: the sender category, which picks the folder (CEmailList::FolderOfType).
constexpr int32_t kMailTypeClub = 100152;   // players' complaints, sponsor decisions, the board
constexpr int32_t kMailTypeLeague = 100151; // the league office
constexpr int32_t kMailTypeSponsor = 80092; // sponsors under contract
constexpr int32_t kMailTypeOffer = 100153;  // sponsor offers
constexpr int32_t kMailTypeFinance = 80062; // the business manager (one of the staff types)

// Players' complaints use these template rows; the headers count them apart from other mail.
constexpr int kFirstLamentRow = 6;
constexpr int kLastLamentRow = 15;
inline bool IsLamentRow(int row) {
    return row >= kFirstLamentRow && row <= kLastLamentRow;
}

// Folder of each folder button, in the order the inbox lays them out.
constexpr int kMailFolderOrder[kEmailFolders] = {2, 0, 1, 3, 4};

// Makes a mail from template row `templateRow` dated (year, month, day) and files it by type;
// values fill "XX1" to "XX8" in order (more than eight are ignored). Only while both databases are
// there; the mail is new (unread). The career database owns it. Null without the databases.
// Safe on the day worker: it touches no window.
CEmail* CreateEmail(CMemoryDB* world, CMemoryDB* career, int templateRow, int year, int month, int day,
                    const CStr& senderText, const CStr& senderName, int32_t type,
                    std::initializer_list<CStr> values = {});

// Unread mails of each folder.
std::array<int, kEmailFolders> CountUnreadByFolder(const CEmailList& mails);

// Unread filed mails as the screen headers count them: players' complaints apart from the rest.
struct UnreadMail {
    int others = 0;
    int laments = 0;
};
UnreadMail CountUnreadMail(const CEmailList& mails);

// "Unread (n)" for a count above 0, else the text for no new mail.
CStr UnreadCounterText(int count, const TextLookup& text);
// A folder button's caption: the caption text, with "(n)" when n mails are unread.
CStr FolderCaption(const CStr& caption, int unread);

// The folder of the newest unread mail, the folders visited 2, 4, 3, 1, 0 and each from its first
// mail, so that of equal dates the last visited wins; `current` when nothing is unread.
int NewestUnreadFolder(const CEmailList& mails, int current);

// The template of a mail; null for a row the world database does not have.
const CEmailTemplate* MailTemplate(const CMemoryDB* world, const CEmail& mail);
CStr MailSubject(const CMemoryDB* world, const CEmail& mail, const TextLookup& text);
// "name [category]", or whichever of the two the mail has.
CStr MailSender(const CEmail& mail);
// The body with every "XX1" to "XX8" replaced by the mail's values and the file's "\n" escapes
// turned into line breaks.
CStr MailBody(const CMemoryDB* world, const CEmail& mail, const TextLookup& text);
// Subject, sender line and body, as the reading pane shows them.
CStr MailReadingText(const CMemoryDB* world, const CEmail& mail, const TextLookup& text);
