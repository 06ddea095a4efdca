// Making, counting and reading game mail.
#include "career/Mail.h"

#include "career/Calendar.h"
#include "database/MemoryDB.h"

namespace {

constexpr int kTextUnread = 300955;
constexpr int kTextNoUnread = 300956;
constexpr int kTextFrom = 80050;

} // namespace

CEmail* CreateEmail(CMemoryDB* world, CMemoryDB* career, int templateRow, int year, int month, int day,
                    const CStr& senderText, const CStr& senderName, int32_t type,
                    std::initializer_list<CStr> values) {
    if (!world || !career)
        return nullptr;
    CEmail* mail = new CEmail();
    mail->id = career->emails.NextId();
    // Every mail carries the first template's count word and text ids; nothing reads them.
    if (const CEmailTemplate* first = world->emailTemplates.At(0)) {
        mail->countWord = first->countWord;
        mail->textId1 = first->textId1;
        mail->textId2 = first->textId2;
    }
    mail->templateRow = templateRow;
    mail->type = type;
    mail->senderText = senderText;
    mail->senderName = senderName;
    mail->year = year;
    mail->day = day;
    mail->month = month;
    mail->unread = 1;
    int slot = 0;
    for (const CStr& value : values) {
        if (slot >= kEmailPlaceholders)
            break;
        mail->placeholders[slot++] = value;
    }
    return career->emails.Add(mail);
}

std::array<int, kEmailFolders> CountUnreadByFolder(const CEmailList& mails) {
    std::array<int, kEmailFolders> counts{};
    for (int folder = 0; folder < kEmailFolders; ++folder)
        for (const CEmail* mail : mails.Folder(folder))
            if (mail->unread == 1)
                ++counts[static_cast<size_t>(folder)];
    return counts;
}

UnreadMail CountUnreadMail(const CEmailList& mails) {
    UnreadMail counts;
    for (int folder = 0; folder < kEmailFolders; ++folder)
        for (const CEmail* mail : mails.Folder(folder)) {
            if (mail->unread != 1)
                continue;
            if (IsLamentRow(mail->templateRow))
                ++counts.laments;
            else
                ++counts.others;
        }
    return counts;
}

CStr UnreadCounterText(int count, const TextLookup& text) {
    if (count > 0)
        return CStr::Formatted("%s (%d)", LookUpText(text, kTextUnread).GetText(), count);
    return LookUpText(text, kTextNoUnread);
}

CStr FolderCaption(const CStr& caption, int unread) {
    if (unread >= 1)
        return CStr::Formatted("%s (%d)", caption.GetText(), unread);
    return caption;
}

int NewestUnreadFolder(const CEmailList& mails, int current) {
    static constexpr int kVisitOrder[kEmailFolders] = {2, 4, 3, 1, 0};
    int newestKey = 0;
    bool found = false;
    int folderOfNewest = current;
    for (int folder : kVisitOrder)
        for (const CEmail* mail : mails.Folder(folder)) {
            if (mail->unread != 1)
                continue;
            // Whole dates compare: 1 October is newer than 30 September.
            int key = MakeDateKey(mail->year, mail->month, mail->day);
            if (!found || key >= newestKey) {
                found = true;
                newestKey = key;
                folderOfNewest = folder;
            }
        }
    return folderOfNewest;
}

const CEmailTemplate* MailTemplate(const CMemoryDB* world, const CEmail& mail) {
    return world ? world->emailTemplates.At(mail.templateRow) : nullptr;
}

CStr MailSubject(const CMemoryDB* world, const CEmail& mail, const TextLookup& text) {
    const CEmailTemplate* entry = MailTemplate(world, mail);
    return entry ? LookUpText(text, entry->subjectTextId) : CStr();
}

CStr MailSender(const CEmail& mail) {
    if (mail.senderName.IsEmpty())
        return mail.senderText;
    // A sponsor writes under its own name without a category: no empty brackets then.
    if (mail.senderText.IsEmpty())
        return mail.senderName;
    return mail.senderName.Concat(" [").Concat(mail.senderText).Concat("]");
}

CStr MailBody(const CMemoryDB* world, const CEmail& mail, const TextLookup& text) {
    const CEmailTemplate* entry = MailTemplate(world, mail);
    if (!entry)
        return CStr();
    CStr body = LookUpText(text, entry->bodyTextId);
    body.ReplaceAll("\\n", "\n");
    for (int slot = 1; slot <= kEmailPlaceholders; ++slot)
        body.ReplaceAll(CStr::Formatted("XX%d", slot), mail.placeholders[slot - 1]);
    return body;
}

CStr MailReadingText(const CMemoryDB* world, const CEmail& mail, const TextLookup& text) {
    CStr pane = MailSubject(world, mail, text);
    pane += "\n";
    pane += LookUpText(text, kTextFrom);
    pane += ": ";
    pane += MailSender(mail);
    pane += "\n\n";
    pane += MailBody(world, mail, text);
    return pane;
}
