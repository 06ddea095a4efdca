// CTicketScreen: the ticket prices of the arena's five seat classes and the match-day promotions.
// The prices live in the career's stadium part records, which the gate money reads; the booked
// promotions in the career's promotion list, which the day's promotion step carries out.
#pragma once

#include "database/GameDate.h"
#include "guidefines.h"
#include "screens/ScreenContext.h"

#include <array>

class CGuiElement;
struct CStadiumWingRecord;

class CTicketScreen : public CGameScreen {
public:
    static constexpr int kWindow = ID_TICKETS;
    static constexpr int kClasses = 5;
    static constexpr int32_t kPromotionPart = 300053;

    struct SeatClass {
        bool enabled = false;
        int32_t stage = 0;
        int32_t seats = 0;
        int32_t price = 0;
    };
    // Why a promotion could not be booked.
    enum class Booking { Booked, NoSelection, Unavailable, NoSuchDate, NotAfterToday };

    explicit CTicketScreen(const CScreenContext& ctx);

    void Refresh() override;
    void OnMessage(GuiMessage& m) override;

    // One step down (never below 0) or up for an enabled class; writes the part record.
    void ChangePrice(int seatClass, int step);
    // Books the chosen catalogue promotion for that date of the current year.
    Booking SchedulePromotion(int month, int day);
    // Removes a booked promotion by its list position; only one dated after today.
    bool RemovePromotion(int position);
    bool IsAfterToday(int year, int month, int day) const;

    void SelectCatalogue(int32_t id) { m_selectedCatalogue = id; }
    void SelectScheduled(int32_t position) { m_selectedScheduled = position; }
    const SeatClass& Class(int seatClass) const { return m_classes[static_cast<size_t>(seatClass)]; }
    bool PromotionsAvailable() const { return m_promotionsAvailable; }

    // The arena picture of a club by its league kind (100004 the cup), its league id (whose value
    // mod 3 is the arena's level) and its id (which picks one of ten pictures); the seat-class
    // picture likewise, empty for a street court or a school gym, which have no class views.
    static CStr ArenaPicture(int32_t leagueKind, int32_t leagueId, int32_t clubId);
    static CStr ClassPicture(int32_t leagueKind, int32_t leagueId, int32_t clubId, int seatClass);

    static int DownButton(int seatClass) { return ID_TK_DOWN_0 + seatClass; }
    static int UpButton(int seatClass) { return ID_TK_UP_0 - seatClass; }

private:
    CStadiumWingRecord* Part(int32_t partId) const;
    void FillHeader();
    void FillPriceTable();
    void FillPriceButtons();
    void FillPictures();
    void ShowClassPicture(int seatClass);
    void FillCatalogue();
    void FillScheduled();
    void FillDateCombos();
    void AskRemove();
    void ShowBookingProblem(Booking result);

    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;
    CStr m_clubName = "Your club";
    CStr m_dateText = "01-08-2007";
    std::array<SeatClass, kClasses> m_classes{};
    bool m_promotionsAvailable = false;
    int32_t m_selectedCatalogue = -1;
    int32_t m_selectedScheduled = -1;
    GameDate m_comboDate{}; // the date the date lists were filled for
};
