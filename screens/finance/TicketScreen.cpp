// The ticket screen: seat-class prices written straight into the career's stadium parts, and the
// promotions booked into the career's promotion list.
#include "screens/finance/TicketScreen.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "database/MemoryDB.h"
#include "engine/TextRun.h"
#include "gui/Element.h"
#include "guidefines.h"
#include "screens/ClubCaption.h"
#include "screens/FormatFigures.h"
#include "screens/FormatMoney.h"

#include <algorithm>

namespace {

constexpr uint32_t kOrange = 0x0080FFFF;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kYellow = 0x00FFFFFF;
constexpr TextRun kSeatClassTexts{80024, 5}; // the seat classes by index
constexpr TextRun kStageTexts{100117, 4};    // a stand's stages 1-4
constexpr uint32_t kRed = 0x0000FFFF;

// The blue byte is the top one of a colour word: 128 there dims a cell.
uint32_t Dimmed(uint32_t colour) {
    return (colour & 0x00FFFFFFu) | 0x80000000u;
}

CStr Money(int32_t amount) {
    return FormatMoney(CStr::Formatted("%d", amount), ',', '$');
}

constexpr int32_t kCupLeague = 100004;
// The seat-class views of the league hall and the cup hall, in class order; %d is the picture number.
constexpr const char* kClassPictures[2][CTicketScreen::kClasses] = {
    {"\\images\\WinObjects\\TICKETS\\DAD_%d_courtside.png",
     "\\images\\WinObjects\\TICKETS\\DAD_%d_lower_level.png",
     "\\images\\WinObjects\\TICKETS\\DAD_%d_upper_level.png",
     "\\images\\WinObjects\\TICKETS\\DAD_%d_discount.png",
     "\\images\\WinObjects\\TICKETS\\DAD_%d_corporate.png"},
    {"\\images\\WinObjects\\TICKETS\\FIBA_%d_courtside.png",
     "\\images\\WinObjects\\TICKETS\\FIBA_%d_lower_level.png",
     "\\images\\WinObjects\\TICKETS\\FIBA_%d_upper_level.png",
     "\\images\\WinObjects\\TICKETS\\FIBA_%d_discount.png",
     "\\images\\WinObjects\\TICKETS\\FIBA_%d_corporate.png"}};
constexpr int kArenaTitle = 302533;
constexpr int kPickClassHint = 302534;
constexpr int kNoClassViews = 302535;

// One of ten pictures per club, 1-10; a damaged negative id still picks one.
int PictureNumber(int32_t clubId) {
    return (clubId % 10 + 10) % 10 + 1;
}

int ArenaLevel(int32_t leagueId) {
    return (leagueId % 3 + 3) % 3;
}

} // namespace

CTicketScreen::CTicketScreen(const CScreenContext& ctx) : m_ctx(ctx), m_root(ctx.Find(kWindow)) {
    if (!m_root)
        return;
    m_ctx.SetText(ID_TK_PRICES_TITLE, m_ctx.Text(80023));
    m_ctx.SetText(ID_TK_SCHEDULED_TITLE, m_ctx.Text(302521));
    m_ctx.SetText(ID_TK_DATE_LABEL, m_ctx.Text(80039));
    m_ctx.SetText(ID_TK_CONFIRM_TEXT, m_ctx.Text(302522));
    FillDateCombos();
    FillPriceTable();
    FillPriceButtons();
    FillCatalogue();
    FillScheduled();
}

CStadiumWingRecord* CTicketScreen::Part(int32_t partId) const {
    const CTeam* club = m_ctx.Session().UserClub();
    if (!club || !club->stadium)
        return nullptr;
    for (CStadiumWingRecord* wing : club->stadium->wings)
        if (wing->partId == partId)
            return wing;
    return nullptr;
}

void CTicketScreen::Refresh() {
    CCareerSession& session = m_ctx.Session();
    CMemoryDB* career = session.careerDB;
    if (!m_root || !career || career->teams.IsEmpty() || career->profiles.IsEmpty())
        return;
    const CTeam* club = career->teams.At(0);
    m_clubName = club->name;
    const GameDate& today = session.currentDate;
    m_dateText = FormatDate(today.year, today.day, today.month, ".");
    if (club->stadium && !club->stadium->wings.empty()) {
        m_classes.fill(SeatClass{});
        m_promotionsAvailable = false;
        for (const CStadiumWingRecord* wing : club->stadium->wings) {
            if (wing->level < 1)
                continue;
            if (wing->partId == kPromotionPart)
                m_promotionsAvailable = true;
            const int i = wing->partId - kFirstSeatPart;
            if (i >= 0 && i < kClasses)
                m_classes[static_cast<size_t>(i)] = {true, wing->level, wing->seats,
                                                     std::max(0, wing->price)};
        }
    }
    // The date lists follow the calendar, so a day that has passed can never be offered.
    if (!(m_comboDate == today))
        FillDateCombos();
    FillHeader();
    FillPriceTable();
    FillPriceButtons();
    FillPictures();
    FillCatalogue();
    FillScheduled();
}

void CTicketScreen::FillHeader() {
    m_root->SetCaption(ClubCaptionLine(m_ctx, 80094, m_clubName, m_dateText));
    if (CGuiElement* confirm = m_ctx.Find(ID_TK_CONFIRM))
        confirm->SetCaption(m_ctx.Text(300106));
}

void CTicketScreen::FillPriceTable() {
    for (int i = 0; i < kClasses; ++i) {
        SeatClass& seat = m_classes[static_cast<size_t>(i)];
        CStadiumWingRecord* part = Part(kFirstSeatPart + i);
        if (part && part->level >= 1) {
            seat.enabled = true;
            seat.seats = part->seats;
            part->price = seat.price; // the gate money reads the part record
        } else {
            seat = SeatClass{}; // the record keeps its price for when the class is built
        }
    }
    CGuiElement* grid = m_ctx.Find(ID_TK_PRICES);
    if (!grid)
        return;
    grid->Clear();
    const int formats[5] = {4, 5, 6, 6, 6};
    const int headers[4] = {100206, 100209, 100210, 80023};
    for (int c = 0; c < 5; ++c) {
        grid->SetHeaderText(c, c < 4 ? m_ctx.Text(headers[c]) : CStr(" "), formats[c]);
        grid->SetHeaderTooltip(c, m_ctx.Tooltip(900180 + c));
        grid->SetColumnFormat(c, formats[c]);
    }
    for (int i = 0; i < kClasses; ++i) {
        const SeatClass& seat = m_classes[static_cast<size_t>(i)];
        grid->AddCell(0, m_ctx.Text(kSeatClassTexts.At(i)), i);
        CStr stage = seat.stage <= 0 ? CStr("-") : m_ctx.Text(kStageTexts.At(std::min(seat.stage, 4) - 1));
        grid->AddCell(1, stage, i);
        grid->AddCell(2, GroupedCount(seat.seats), i);
        grid->AddCell(3, Money(seat.price), i);
        grid->AddCell(4, " ", i);
        grid->SetCellColour(0, i, seat.enabled ? kOrange : Dimmed(kOrange));
        for (int c = 1; c < 4; ++c)
            grid->SetCellColour(c, i, seat.enabled ? kWhite : Dimmed(kWhite));
    }
    grid->SetRowCount(kClasses);
    const bool promotions = m_promotionsAvailable;
    if (CGuiElement* schedule = m_ctx.Find(ID_TK_SCHEDULE))
        schedule->SetDisabled(!promotions);
    for (int id : {ID_TK_MONTH, ID_TK_DAY})
        if (CGuiElement* combo = m_ctx.Find(id))
            combo->SetDisabled(!promotions);
}

void CTicketScreen::FillPriceButtons() {
    for (int i = 0; i < kClasses; ++i) {
        const bool enabled = m_classes[static_cast<size_t>(i)].enabled;
        if (CGuiElement* down = m_ctx.Find(DownButton(i))) {
            down->SetDisabled(!enabled);
            down->SetTooltip(m_ctx.Tooltip(910414 + i));
        }
        if (CGuiElement* up = m_ctx.Find(UpButton(i))) {
            up->SetDisabled(!enabled);
            up->SetTooltip(m_ctx.Tooltip(913001 + i));
        }
    }
}

CStr CTicketScreen::ArenaPicture(int32_t leagueKind, int32_t leagueId, int32_t clubId) {
    const int number = PictureNumber(clubId);
    const int level = ArenaLevel(leagueId);
    if (leagueKind == kCupLeague && level > 0)
        return CStr::Formatted("\\images\\WinObjects\\TICKETS\\FIBA_%d_775x435.png", number);
    if (leagueKind == kCupLeague || level == 1)
        return CStr::Formatted("\\images\\WinObjects\\STADION\\SCOOLARENA\\arena%.2d.png", number);
    if (level == 0)
        return CStr::Formatted("\\images\\WinObjects\\STADION\\STREETBALL\\palya_%.2d.jpg", number);
    return CStr::Formatted("\\images\\WinObjects\\TICKETS\\DAD_%d_775x435.png", number);
}

CStr CTicketScreen::ClassPicture(int32_t leagueKind, int32_t leagueId, int32_t clubId, int seatClass) {
    if (seatClass < 0 || seatClass >= kClasses)
        return CStr();
    const int level = ArenaLevel(leagueId);
    const bool cup = leagueKind == kCupLeague;
    if (cup ? level == 0 : level != 2)
        return CStr();
    return CStr::Formatted(kClassPictures[cup ? 1 : 0][seatClass], PictureNumber(clubId));
}

void CTicketScreen::FillPictures() {
    const CTeam* club = m_ctx.Session().UserClub();
    if (!club)
        return;
    if (CGuiElement* logo = m_ctx.Find(ID_TK_CLUB_PIC))
        logo->SetImage(ClubCrestPath(club));
    if (CGuiElement* arena = m_ctx.Find(ID_TK_ARENA_PIC))
        arena->SetImage(ArenaPicture(club->leagueKind, club->leagueId, club->id));
    m_ctx.SetText(ID_TK_ARENA_TITLE, m_ctx.Text(kArenaTitle));
    // The class view follows the club's arena, which a promotion or a new career changes.
    const CGuiElement* prices = m_ctx.Find(ID_TK_PRICES);
    ShowClassPicture(prices ? prices->GetSelectedRow() : -1);
}

void CTicketScreen::ShowClassPicture(int seatClass) {
    const CTeam* club = m_ctx.Session().UserClub();
    const CStr path = club ? ClassPicture(club->leagueKind, club->leagueId, club->id, seatClass) : CStr();
    if (CGuiElement* picture = m_ctx.Find(ID_TK_CLASS_PIC))
        picture->SetImage(path);
    // Say what the picture shows, or why there is none.
    CStr title;
    if (!path.IsEmpty())
        title = m_ctx.Text(kSeatClassTexts.At(seatClass));
    else if (club && ClassPicture(club->leagueKind, club->leagueId, club->id, 0).IsEmpty())
        title = m_ctx.Text(kNoClassViews);
    else
        title = m_ctx.Text(kPickClassHint);
    m_ctx.SetText(ID_TK_CLASS_TITLE, title);
}

void CTicketScreen::FillCatalogue() {
    CGuiElement* grid = m_ctx.Find(ID_TK_CATALOGUE);
    if (!grid)
        return;
    grid->Clear();
    grid->SetHeaderText(0, m_ctx.Text(302507), 4);
    grid->SetHeaderText(1, m_ctx.Text(100123), 6);
    grid->SetHeaderTooltip(0, m_ctx.Tooltip(900185));
    grid->SetHeaderTooltip(1, m_ctx.Tooltip(913006));
    grid->SetColumnColour(0, kOrange);
    grid->SetColumnColour(1, kYellow);
    grid->SetColumnFormat(0, 4);
    grid->SetColumnFormat(1, 6);
    m_ctx.SetText(ID_TK_SCHEDULE, m_ctx.Text(302523), 5);
    const CMemoryDB* world = m_ctx.Session().worldDB;
    int rows = 0;
    if (m_promotionsAvailable && world)
        for (const CPromotion* promotion : world->promotions) {
            grid->AddCell(0, m_ctx.Text(promotion->nameTextId), promotion->id);
            grid->AddCell(1, Money(promotion->cost), promotion->id);
            ++rows;
        }
    grid->SetRowCount(rows);
    // Say why the list is empty rather than leave the player guessing.
    m_ctx.SetText(ID_TK_CATALOGUE_TITLE, m_promotionsAvailable
                                             ? m_ctx.Text(302520)
                                             : m_ctx.Text(302532) + " " + m_ctx.Text(kPromotionPart));
}

bool CTicketScreen::IsAfterToday(int year, int month, int day) const {
    return MakeDateKey(year, month, day) > MakeDateKey(m_ctx.Session().currentDate);
}

void CTicketScreen::FillScheduled() {
    CGuiElement* grid = m_ctx.Find(ID_TK_SCHEDULED);
    const CMemoryDB* career = m_ctx.Session().careerDB;
    const bool any = career && !career->myPromotions.IsEmpty();
    m_ctx.SetText(ID_TK_REMOVE, m_ctx.Text(100062), 5);
    if (CGuiElement* remove = m_ctx.Find(ID_TK_REMOVE))
        remove->SetDisabled(!(m_promotionsAvailable && any));
    if (!grid)
        return;
    grid->Clear();
    const int headers[3] = {302507, 80039, 100123};
    const int tips[3] = {900185, 900187, 913006};
    const int formats[3] = {4, 4, 6};
    for (int c = 0; c < 3; ++c) {
        grid->SetHeaderText(c, m_ctx.Text(headers[c]), formats[c]);
        grid->SetHeaderTooltip(c, m_ctx.Tooltip(tips[c]));
        grid->SetColumnFormat(c, formats[c]);
    }
    int rows = 0;
    if (m_promotionsAvailable && any)
        for (int i = 0; i < career->myPromotions.Size(); ++i) {
            const CMyPromotion* p = career->myPromotions.At(i);
            const bool later = IsAfterToday(p->year, p->month, p->day);
            grid->AddCell(0, m_ctx.Text(p->nameTextId), later ? 1 : 0);
            grid->AddCell(1, FormatDate(p->year, p->day, p->month, "."), i);
            grid->AddCell(2, Money(p->cost), i);
            const uint32_t colours[3] = {kOrange, kWhite, kRed};
            for (int c = 0; c < 3; ++c)
                grid->SetCellColour(c, rows, later ? colours[c] : Dimmed(colours[c]));
            ++rows;
        }
    grid->SetRowCount(rows);
}

void CTicketScreen::FillDateCombos() {
    const GameDate& today = m_ctx.Session().currentDate;
    m_comboDate = today;
    if (CGuiElement* months = m_ctx.Find(ID_TK_MONTH)) {
        months->ClearItems();
        for (int m = std::max(1, today.month); m <= 12; ++m)
            months->AddItem(m_ctx.Text(CCalendar::kMonthTextBase - 1 + m), m);
        months->SetSelection(months->GetItemCount() > 0 ? 0 : -1);
        months->SetListRows(months->GetItemCount());
    }
    // Every day of a month is listed; the booking refuses the ones that do not exist or are past.
    if (CGuiElement* days = m_ctx.Find(ID_TK_DAY)) {
        days->ClearItems();
        for (int d = 1; d <= 31; ++d)
            days->AddItem(CStr::Formatted("%d", d), d);
        const int tomorrow = today.day + 1;
        days->SetSelection(tomorrow <= CCalendar::DaysInMonth(today.month, today.year) ? tomorrow - 1 : 0);
        days->SetListRows(std::min(days->GetItemCount(), 12));
    }
}

void CTicketScreen::ChangePrice(int seatClass, int step) {
    if (seatClass < 0 || seatClass >= kClasses)
        return;
    SeatClass& seat = m_classes[static_cast<size_t>(seatClass)];
    if (!seat.enabled)
        return;
    if (step < 0 && seat.price > 0)
        --seat.price;
    else if (step > 0 && seat.price < INT32_MAX)
        ++seat.price;
    FillPriceTable();
}

CTicketScreen::Booking CTicketScreen::SchedulePromotion(int month, int day) {
    CCareerSession& session = m_ctx.Session();
    CMemoryDB* world = session.worldDB;
    CMemoryDB* career = session.careerDB;
    if (!world || !career || m_selectedCatalogue < 0 || m_selectedCatalogue >= world->promotions.Size())
        return Booking::NoSelection;
    if (!m_promotionsAvailable)
        return Booking::Unavailable;
    const int year = session.currentDate.year;
    // A booking the promotion step can never meet would be paid for nothing.
    if (day < 1 || day > CCalendar::DaysInMonth(month, year))
        return Booking::NoSuchDate;
    if (!IsAfterToday(year, month, day))
        return Booking::NotAfterToday;
    const CPromotion* source = world->promotions.At(m_selectedCatalogue);
    auto* booked = new CMyPromotion;
    booked->catalogueRow = m_selectedCatalogue;
    booked->nameTextId = source->nameTextId;
    booked->cost = source->cost;
    booked->attendanceBoost = source->attendanceBoost;
    booked->opinionDelta1 = source->opinionDelta1;
    booked->opinionDelta2 = source->opinionDelta2;
    booked->fourthValue = source->fourthValue;
    booked->year = year;
    booked->month = month;
    booked->day = day;
    career->myPromotions.PushBack(booked);
    FillScheduled();
    return Booking::Booked;
}

bool CTicketScreen::RemovePromotion(int position) {
    CMemoryDB* career = m_ctx.Session().careerDB;
    if (!career || position < 0 || position >= career->myPromotions.Size())
        return false;
    const CMyPromotion* p = career->myPromotions.At(position);
    // Today's promotion is already under way; only later ones can be called off.
    if (!IsAfterToday(p->year, p->month, p->day))
        return false;
    career->myPromotions.Erase(career->myPromotions.At(position));
    FillScheduled();
    return true;
}

void CTicketScreen::AskRemove() {
    CGuiElement* grid = m_ctx.Find(ID_TK_SCHEDULED);
    if (m_selectedScheduled < 0 || !grid)
        return;
    const int row = grid->GetSelectedRow();
    const GuiGridCell* cell = row >= 0 ? grid->FindCell(0, row) : nullptr;
    if (!cell || cell->data != 1)
        return;
    m_ctx.Post(ID_TK_REMOVE, ID_TK_CONFIRM, kMsgOpenOnTop, ID_TK_REMOVE, 0);
}

void CTicketScreen::ShowBookingProblem(Booking result) {
    switch (result) {
    case Booking::NoSuchDate:
        m_ctx.ShowMessage(m_ctx.Text(302524));
        break;
    case Booking::NotAfterToday:
        m_ctx.ShowMessage(m_ctx.Text(302525));
        break;
    default:
        break;
    }
}

void CTicketScreen::OnMessage(GuiMessage& m) {
    if (!m_root || m.sID < 0)
        return;
    for (int i = 0; i < kClasses; ++i)
        if (IsClick(m, DownButton(i)) || IsClick(m, UpButton(i))) {
            const int step = m.sID == DownButton(i) ? -1 : 1;
            Consume(m);
            ChangePrice(i, step);
            return;
        }
    if (m.MSG == kMsgSelection && m.sID == ID_TK_PRICES) {
        Consume(m);
        CGuiElement* grid = m_ctx.Find(ID_TK_PRICES);
        ShowClassPicture(grid ? grid->GetSelectedRow() : -1);
    } else if (m.MSG == kMsgSelection && m.sID == ID_TK_CATALOGUE) {
        Consume(m);
        CGuiElement* grid = m_ctx.Find(ID_TK_CATALOGUE);
        const int row = grid ? grid->GetSelectedRow() : -1;
        const GuiGridCell* cell = row >= 0 ? grid->FindCell(1, row) : nullptr;
        m_selectedCatalogue = cell ? cell->data : -1;
    } else if (m.MSG == kMsgSelection && m.sID == ID_TK_SCHEDULED) {
        Consume(m);
        CGuiElement* grid = m_ctx.Find(ID_TK_SCHEDULED);
        const int row = grid ? grid->GetSelectedRow() : -1;
        const GuiGridCell* cell = row >= 0 ? grid->FindCell(2, row) : nullptr;
        m_selectedScheduled = cell ? cell->data : -1;
    } else if (IsClick(m, ID_TK_SCHEDULE)) {
        Consume(m);
        auto chosen = [this](int id) {
            CGuiElement* combo = m_ctx.Find(id);
            const int index = combo ? combo->GetSelectedIndex() : -1;
            return index >= 0 ? combo->GetItemData(index) : 1;
        };
        ShowBookingProblem(SchedulePromotion(chosen(ID_TK_MONTH), chosen(ID_TK_DAY)));
    } else if (IsClick(m, ID_TK_REMOVE)) {
        Consume(m);
        AskRemove();
    } else if (IsClick(m, ID_TK_YES)) {
        Consume(m);
        if (m_selectedScheduled < 0)
            return;
        RemovePromotion(m_selectedScheduled);
        m_selectedScheduled = -1;
        if (CGuiElement* grid = m_ctx.Find(ID_TK_SCHEDULED))
            grid->SetSelectedRow(-1);
        m_ctx.Post(ID_TK_YES, ID_TK_CONFIRM, kMsgClose, 0, 0);
    } else if (IsClick(m, ID_TK_NO)) {
        Consume(m);
        m_ctx.Post(ID_TK_NO, ID_TK_CONFIRM, kMsgClose, 0, 0);
    }
}
