// CFunShopScreen: the club's merchandise shop. The catalogue's sixteen items (four more per shop
// level), ordering a batch of the chosen item, the stock with the orders on their way, and the
// sales by item over the year, by month for one item and by day for one month.
#pragma once

#include "guidefines.h"
#include "screens/ScreenContext.h"

#include <cstdint>

class CGuiElement;

class CFunShopScreen : public CGameScreen {
public:
    static constexpr int kWindow = ID_FUNSHOP;
    static constexpr int kMenuButton = ID_FR_FUNSHOP;
    static constexpr int kItemCount = 16;
    static constexpr int kQuantitySteps = 19; // 100 ... 1900 units
    static constexpr int kFirstItemText = 200164;

    explicit CFunShopScreen(const CScreenContext& ctx);

    void Refresh() override;
    void OnMessage(GuiMessage& m) override;

    // Caption, controls, stock, the three sales grids and the item details, with no item chosen.
    void RefreshLists();
    // Shows item i (0-15): its picture and details; it becomes the item a purchase buys.
    void ChooseItem(int item);
    // Buys the chosen quantity of the chosen item; false (nothing bought) without both.
    bool Buy();
    void PickItemRow(int row);
    void PickMonthRow(int row);

    // The shop's level, 0-4: taken from the club's stadium at each refresh.
    int32_t shopLevel = 0;
    int32_t selectedItem = -1;
    int32_t stockRowCount = 0;
    int32_t salesYear = 2007;
    int32_t pickedMonthRow = 0;
    int32_t pickedItemRow = -1;

private:
    void FillCaption();
    void FillControls();
    void FillStock();
    void FillYearGrid();
    void FillMonthGrid();
    void FillDayGrid();
    void FillDetails(bool withItem);
    int QuantityIndex() const;
    // "5 days"
    CStr DaysText(int days) const;
    // A catalogue price (per hundred units) as the money one unit costs: 285 is "$ 2.85".
    static CStr UnitPriceText(int pricePer100);
    // The sales grids' shared columns and tooltips; returns the grid emptied, or null.
    CGuiElement* PrepareSalesGrid(int id, int secondHeader, int tooltipUnits);

    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;
    CStr m_clubName;
    CStr m_dateText;
};
