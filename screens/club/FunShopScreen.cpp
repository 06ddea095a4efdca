// The fun shop screen: the catalogue, buying, the stock and the sales history.
#include "screens/club/FunShopScreen.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "career/FunShop.h"
#include "database/HiredStaff.h"
#include "database/MemoryDB.h"
#include "gui/Element.h"
#include "guidefines.h"
#include "screens/ClubCaption.h"
#include "screens/FormatFigures.h"
#include "screens/FormatMoney.h"

#include <algorithm>

namespace {

// Colour words: bytes from the lowest are alpha, red, green, blue.
constexpr uint32_t kGreen = 0x00FF00FF;
constexpr uint32_t kRed = 0x0000FFFF;
constexpr uint32_t kYellow = 0x00FFFFFF;
constexpr uint32_t kLabelColour = 0x0080FFFF;
constexpr int kLowStock = 50;
constexpr int kFirstYear = 2007;
constexpr int kLastYear = 2026;
constexpr int kClosedHint = 200201;

} // namespace

CFunShopScreen::CFunShopScreen(const CScreenContext& ctx) : m_ctx(ctx), m_root(ctx.Find(kWindow)) {
    const GameDate& today = ctx.Session().currentDate;
    salesYear = today.year;
    pickedMonthRow = std::clamp(today.month - 1, 0, 11);
    if (m_root)
        RefreshLists();
}

void CFunShopScreen::Refresh() {
    CCareerSession& session = m_ctx.Session();
    CMemoryDB* career = session.careerDB;
    if (!m_root || !career || career->teams.IsEmpty() || career->profiles.IsEmpty())
        return;
    m_clubName = career->teams.At(0)->name;
    const GameDate& today = session.currentDate;
    m_dateText = FormatDate(today.year, today.day, today.month, ".");
    shopLevel = FunShopLevel(*career);
    // The sales grids show the running year; the year list looks back for the moment.
    salesYear = today.year;
    RefreshLists();
    if (CGuiElement* menu = m_ctx.Find(kMenuButton); menu && shopLevel > 0)
        menu->SetDisabled(false);
}

void CFunShopScreen::RefreshLists() {
    if (!m_root)
        return;
    selectedItem = -1;
    FillCaption();
    FillControls();
    FillStock();
    if (CGuiElement* picture = m_ctx.Find(ID_FUNSHOP_PICTURE))
        picture->SetImage(CStr());
    FillYearGrid();
    FillMonthGrid();
    FillDayGrid();
    FillDetails(false);
}

void CFunShopScreen::FillCaption() {
    // Without a club the date is left out with it.
    m_root->SetCaption(ClubCaptionLine(m_ctx, 80093, m_clubName, m_clubName.IsEmpty() ? CStr() : m_dateText));
}

void CFunShopScreen::FillControls() {
    // The club's shop keeper: the last member of his category on the staff.
    m_ctx.SetText(ID_FUNSHOP_STAFF, CStr());
    const CMemoryDB* career = m_ctx.Session().careerDB;
    const CTeam* club = career ? career->teams.At(0) : nullptr;
    if (club) {
        const CStaffRecord* keeper = nullptr;
        for (const CStaffRecord* member : club->staff)
            if (member->category == kStaffPhysiotherapist)
                keeper = member;
        if (keeper)
            m_ctx.SetText(ID_FUNSHOP_STAFF, m_ctx.Text(kStaffPhysiotherapist) + ": " + keeper->name);
    }
    if (CGuiElement* quantity = m_ctx.Find(ID_FUNSHOP_QUANTITY)) {
        // The player's last quantity stays chosen; the first time it is the smallest batch.
        const int keep = std::clamp(quantity->GetSelectedIndex(), 0, kQuantitySteps - 1);
        quantity->ClearItems();
        for (int q = 1; q <= kQuantitySteps; ++q)
            quantity->AddItem(GroupedCount(q * kFunShopBatch), -1);
        quantity->SetListRows(kQuantitySteps);
        quantity->SetSelection(keep);
    }
    if (CGuiElement* years = m_ctx.Find(ID_FUNSHOP_YEARS)) {
        years->ClearItems();
        for (int year = kFirstYear; year <= kLastYear; ++year)
            years->AddItem(CStr::Formatted("%d", year), -1);
        years->SetListRows(kLastYear - kFirstYear + 1);
        years->SetSelection(salesYear >= kFirstYear && salesYear <= kLastYear ? salesYear - kFirstYear : -1);
    }
    const CMemoryDB* world = m_ctx.Session().worldDB;
    for (int i = 0; i < kItemCount; ++i)
        if (CGuiElement* button = m_ctx.Find(ID_FUNSHOP_ITEM_0 + i)) {
            button->SetDisabled(shopLevel < i / kFunShopItemsPerLevel + 1 || !FunShopItem(world, i));
            button->SetText(m_ctx.Text(kFirstItemText + i), kFormatCentreMiddle);
        }
    if (CGuiElement* buy = m_ctx.Find(ID_FUNSHOP_BUY))
        buy->SetDisabled(true);
}

CStr CFunShopScreen::DaysText(int days) const {
    // The words the stadium's building times use: "1 day", "5 days".
    constexpr int kTextDay = 700040;
    constexpr int kTextDays = 700041;
    return CStr::Formatted("%d ", days) + m_ctx.Text(days == 1 ? kTextDay : kTextDays);
}

void CFunShopScreen::FillStock() {
    CGuiElement* grid = m_ctx.Find(ID_FUNSHOP_STOCK);
    if (!grid)
        return;
    grid->Clear();
    grid->SetRowCount(stockRowCount);
    const int headers[3] = {200194, 200195, 200196};
    const int tooltips[3] = {900201, 910435, 900203};
    const int formats[3] = {kFormatLeftMiddle, kFormatRightMiddle, kFormatRightMiddle};
    for (int c = 0; c < 3; ++c) {
        grid->SetHeaderText(c, m_ctx.Text(headers[c]), formats[c]);
        grid->SetHeaderTooltip(c, m_ctx.Tooltip(tooltips[c]));
        grid->SetColumnFormat(c, formats[c]);
    }
    const CMemoryDB* career = m_ctx.Session().careerDB;
    const CMemoryDB* world = m_ctx.Session().worldDB;
    int rows = 0;
    if (career)
        for (const CStorageItem* record : career->storage) {
            if (record->quantity == 0 || record->sold != 0 || record->kind == kStorageSale)
                continue;
            const CFunShopItem* item = FunShopItem(world, record->itemIndex);
            const bool order = record->kind == kStorageOrder;
            grid->AddCell(0, item ? m_ctx.Text(item->nameTextId) : CStr(), record->id);
            grid->AddCell(1, GroupedCount(record->quantity), record->id);
            grid->AddCell(2, order ? DaysText(record->days) : m_ctx.Text(200197), record->id);
            if (order)
                grid->SetCellColour(1, rows, kYellow);
            else if (record->quantity > kLowStock)
                grid->SetCellColour(1, rows, kGreen);
            else if (record->quantity < kLowStock)
                grid->SetCellColour(1, rows, kRed);
            ++rows;
        }
    grid->SetRowCount(rows);
    stockRowCount = rows;
}

CStr CFunShopScreen::UnitPriceText(int pricePer100) {
    // The catalogue prices a hundred units; one unit costs a hundredth, shown with its cents.
    const int64_t price = pricePer100;
    const int64_t whole = price / 100;
    const int64_t cents = (price < 0 ? -price : price) % 100;
    return FormatMoney(CStr::Formatted("%s%lld.%02lld", price < 0 && whole == 0 ? "-" : "",
                                       static_cast<long long>(whole), static_cast<long long>(cents)),
                       ',', '$');
}

CGuiElement* CFunShopScreen::PrepareSalesGrid(int id, int secondHeader, int tooltipUnits) {
    CGuiElement* grid = m_ctx.Find(id);
    if (!grid)
        return nullptr;
    grid->Clear();
    grid->SetRowCount(stockRowCount);
    const int headers[4] = {700024, secondHeader, 700025, 80119};
    const int tooltips[4] = {900201, 900202, tooltipUnits, tooltipUnits + 1};
    const int formats[4] = {kFormatLeftMiddle, kFormatCentreMiddle, kFormatCentreMiddle, kFormatCentreMiddle};
    for (int c = 0; c < 4; ++c) {
        grid->SetHeaderText(c, m_ctx.Text(headers[c]), formats[c]);
        grid->SetHeaderTooltip(c, m_ctx.Tooltip(tooltips[c]));
        grid->SetColumnFormat(c, formats[c]);
    }
    return grid;
}

void CFunShopScreen::FillYearGrid() {
    m_ctx.SetText(ID_FUNSHOP_YEAR_TITLE, m_ctx.Text(200188) + CStr::Formatted(" %d", salesYear));
    CGuiElement* grid = PrepareSalesGrid(ID_FUNSHOP_YEAR, 300112, 900204);
    if (!grid)
        return;
    const CMemoryDB* career = m_ctx.Session().careerDB;
    const CMemoryDB* world = m_ctx.Session().worldDB;
    int rows = 0;
    int firstSold = -1;
    for (int k = 0; k < kFunShopItemsPerLevel * shopLevel && k < kItemCount; ++k) {
        const CFunShopItem* item = FunShopItem(world, k);
        if (!item)
            break;
        const int units = career ? FunShopUnitsSold(*career, salesYear, k) : 0;
        if (units > 0 && firstSold < 0)
            firstSold = k;
        grid->AddCell(0, m_ctx.Text(item->nameTextId), k);
        grid->AddCell(1, UnitPriceText(item->salePrice), k);
        grid->AddCell(2, GroupedCount(units), k);
        grid->AddCell(3, FormatMoney(FunShopTakings(*item, units)), k);
        ++rows;
    }
    grid->SetRowCount(rows);
    if (pickedItemRow >= rows)
        pickedItemRow = -1;
    // Until the player picks an item the month and day lists show the first one that sold.
    if (pickedItemRow < 0 && firstSold >= 0) {
        pickedItemRow = firstSold;
        grid->SetSelectedRow(firstSold, true);
    }
}

void CFunShopScreen::FillMonthGrid() {
    m_ctx.SetText(ID_FUNSHOP_MONTH_TITLE, m_ctx.Text(200189));
    CGuiElement* grid = PrepareSalesGrid(ID_FUNSHOP_MONTHS, 700026, 900206);
    const CFunShopItem* item = FunShopItem(m_ctx.Session().worldDB, pickedItemRow);
    const CMemoryDB* career = m_ctx.Session().careerDB;
    if (!grid || !item || !career) {
        if (grid)
            grid->SetRowCount(0);
        return;
    }
    const CStr name = m_ctx.Text(item->nameTextId);
    for (int month = 1; month <= 12; ++month) {
        const int units = FunShopUnitsSold(*career, salesYear, pickedItemRow, month);
        grid->AddCell(0, name, month);
        grid->AddCell(1, m_ctx.Text(70001 + month - 1), month);
        grid->AddCell(2, GroupedCount(units), month);
        grid->AddCell(3, FormatMoney(FunShopTakings(*item, units)), month);
    }
    grid->SetRowCount(12);
    grid->SetSelectedRow(pickedMonthRow, true);
}

void CFunShopScreen::FillDayGrid() {
    m_ctx.SetText(ID_FUNSHOP_DAY_TITLE, m_ctx.Text(200190));
    CGuiElement* grid = PrepareSalesGrid(ID_FUNSHOP_DAYS, 100041, 900208);
    const CFunShopItem* item = FunShopItem(m_ctx.Session().worldDB, pickedItemRow);
    const CMemoryDB* career = m_ctx.Session().careerDB;
    if (!grid || !item || !career) {
        if (grid)
            grid->SetRowCount(0);
        return;
    }
    const CStr name = m_ctx.Text(item->nameTextId);
    const int month = pickedMonthRow + 1;
    const int days = CCalendar::DaysInMonth(month, salesYear);
    for (int d = 1; d <= days; ++d) {
        const int units = FunShopUnitsSold(*career, salesYear, pickedItemRow, month, d);
        grid->AddCell(0, name, d);
        grid->AddCell(1, CStr::Formatted("%d", d), d);
        grid->AddCell(2, GroupedCount(units), d);
        grid->AddCell(3, FormatMoney(FunShopTakings(*item, units)), d);
    }
    grid->SetRowCount(days);
}

int CFunShopScreen::QuantityIndex() const {
    const CGuiElement* quantity = m_ctx.Find(ID_FUNSHOP_QUANTITY);
    return quantity ? quantity->GetSelectedIndex() : -1;
}

void CFunShopScreen::FillDetails(bool withItem) {
    CGuiElement* grid = m_ctx.Find(ID_FUNSHOP_DETAILS);
    m_ctx.SetText(ID_FUNSHOP_ITEM_NAME, CStr());
    const CFunShopItem* item = withItem ? FunShopItem(m_ctx.Session().worldDB, selectedItem) : nullptr;
    const int q = QuantityIndex() + 1;
    CStr rows[4][2];
    if (item) {
        const CStr name = m_ctx.Text(item->nameTextId);
        m_ctx.SetText(ID_FUNSHOP_ITEM_NAME, name);
        rows[0][0] = m_ctx.Text(80035);
        rows[0][1] = name;
        rows[2][0] = m_ctx.Text(200198) + "/" + GroupedCount(kFunShopBatch * q);
        rows[2][1] = FormatMoney(item->buyPrice * q);
        rows[3][0] = m_ctx.Text(200199);
        rows[3][1] = DaysText(item->deliveryDays);
    } else {
        const CStr none = m_ctx.Text(200200);
        rows[0][0] = m_ctx.Text(80035);
        rows[0][1] = none;
        rows[2][0] = m_ctx.Text(200198);
        rows[2][1] = none;
        rows[3][0] = m_ctx.Text(200199);
        rows[3][1] = none;
        // A closed shop says how it opens.
        if (shopLevel <= 0)
            m_ctx.SetText(ID_FUNSHOP_ITEM_NAME, m_ctx.Text(kClosedHint));
    }
    if (CGuiElement* buy = m_ctx.Find(ID_FUNSHOP_BUY))
        buy->SetDisabled(!item || q <= 0);
    if (!grid)
        return;
    grid->Clear();
    grid->SetRowCount(4);
    grid->SetColumnColour(0, kLabelColour);
    for (const auto& row : rows) {
        grid->AddCell(0, row[0], -1);
        grid->AddCell(1, row[1], -1);
    }
    grid->SetRowCount(4);
}

void CFunShopScreen::ChooseItem(int item) {
    if (item < 0 || item >= kItemCount || item >= kFunShopItemsPerLevel * shopLevel ||
        !FunShopItem(m_ctx.Session().worldDB, item))
        return;
    selectedItem = item;
    if (CGuiElement* picture = m_ctx.Find(ID_FUNSHOP_PICTURE))
        picture->SetImage(CStr::Formatted("\\images\\WinObjects\\FUNSHOP\\pic%03d.png", item + 1));
    FillDetails(true);
}

bool CFunShopScreen::Buy() {
    CCareerSession& session = m_ctx.Session();
    const int q = QuantityIndex() + 1;
    if (selectedItem < 0 || q <= 0 || !session.careerDB)
        return false;
    CareerDay day;
    day.world = session.worldDB;
    day.career = session.careerDB;
    day.ledger = session.ledger;
    day.today = session.currentDate;
    day.text = m_ctx.Texts();
    if (!PlaceFunShopOrder(day, selectedItem, kFunShopBatch * q))
        return false;
    RefreshLists();
    // The frame's cash line shows the payment at once.
    if (CGameScreen* header = m_ctx.Screen(ScreenRole::Header))
        header->Refresh();
    return true;
}

void CFunShopScreen::PickItemRow(int row) {
    CGuiElement* grid = m_ctx.Find(ID_FUNSHOP_YEAR);
    const int rows = grid ? grid->GetRowCount() : 0;
    pickedItemRow = row < 0 || rows == 0 ? -1 : std::min(row, rows - 1);
    FillMonthGrid();
    if (CGuiElement* days = m_ctx.Find(ID_FUNSHOP_DAYS)) {
        days->Clear();
        days->SetRowCount(0);
    }
}

void CFunShopScreen::PickMonthRow(int row) {
    pickedMonthRow = std::clamp(row, 0, 11);
    FillDayGrid();
}

void CFunShopScreen::OnMessage(GuiMessage& m) {
    if (!m_root)
        return;
    if (m.MSG == kMsgClick && m.sID >= ID_FUNSHOP_ITEM_0 && m.sID < ID_FUNSHOP_ITEM_0 + kItemCount) {
        const int item = m.sID - ID_FUNSHOP_ITEM_0;
        Consume(m);
        ChooseItem(item);
    } else if (IsClick(m, ID_FUNSHOP_BUY)) {
        if (Buy())
            Consume(m);
    } else if (m.MSG == kMsgSelection && m.sID == ID_FUNSHOP_YEAR) {
        Consume(m);
        CGuiElement* grid = m_ctx.Find(ID_FUNSHOP_YEAR);
        PickItemRow(grid ? grid->GetSelectedRow() : -1);
    } else if (m.MSG == kMsgSelection && m.sID == ID_FUNSHOP_MONTHS) {
        Consume(m);
        CGuiElement* grid = m_ctx.Find(ID_FUNSHOP_MONTHS);
        PickMonthRow(grid ? grid->GetSelectedRow() : 0);
    } else if (m.MSG == kMsgSelection && m.sID == ID_FUNSHOP_QUANTITY) {
        Consume(m);
        FillDetails(selectedItem >= 0);
    } else if (m.MSG == kMsgSelection && m.sID == ID_FUNSHOP_YEARS) {
        Consume(m);
        const CGuiElement* years = m_ctx.Find(ID_FUNSHOP_YEARS);
        const int index = years ? years->GetSelectedIndex() : -1;
        if (index >= 0) {
            salesYear = kFirstYear + index;
            FillYearGrid();
            FillMonthGrid();
            FillDayGrid();
        }
    }
}
