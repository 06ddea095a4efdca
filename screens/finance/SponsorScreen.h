// CSponsorScreen: the club's sponsor contracts in three lists, each with its open offers and its
// contracts. The offers and contracts are the world tables saved with the career; the screen keeps
// only a view of them, rebuilt at every refresh, and accepting or dropping moves the record at once.
#pragma once

#include "database/Records.h"
#include "guidefines.h"
#include "screens/ScreenContext.h"

#include <array>
#include <vector>

class CGuiElement;

class CSponsorScreen : public CGameScreen {
public:
    static constexpr int kWindow = ID_SPONSORS;
    static constexpr int kLists = 3;

    // One row of a list: the record, whether it is a contract, and its row in its table.
    struct Entry {
        CSponsorRecord* record = nullptr;
        bool contract = false;
    };
    enum class Result { Done, NoSelection, NotEligible, ListFull };

    explicit CSponsorScreen(const CScreenContext& ctx);

    void Refresh() override;
    void OnMessage(GuiMessage& m) override;

    // Accepts the offer at that position of list 1-3: a contract from now on, its amount paid
    // into the club's cash and booked once, and the sponsor manager's mail.
    Result Accept(int list, int position);
    // The contract at that position goes back to the offers; no money moves.
    Result Drop(int list, int position);

    static int Limit(int list) { return list == 1 ? 4 : 2; }
    // The layout does not number the buttons in list order, so they are looked up.
    static int AcceptButton(int list) { return ByList(list, ID_SP_ACCEPT_1, ID_SP_ACCEPT_2, ID_SP_ACCEPT_3); }
    static int DropButton(int list) { return ByList(list, ID_SP_DROP_1, ID_SP_DROP_2, ID_SP_DROP_3); }
    static int OffersGrid(int list) { return ByList(list, ID_SP_OFFERS_1, ID_SP_OFFERS_2, ID_SP_OFFERS_3); }
    static int ContractsGrid(int list) {
        return ByList(list, ID_SP_CONTRACTS_1, ID_SP_CONTRACTS_2, ID_SP_CONTRACTS_3);
    }

    const std::vector<Entry>& List(int list) const { return m_lists[static_cast<size_t>(list - 1)]; }
    int Contracts(int list) const;
    int ClubStanding() const;
    // The year a contract signed in that month ends, as the acceptance mail dates it: 18 or 24
    // months from the summer end two years on.
    static int EndYear(int year, int month, int months) { return year + (month - 1 + months) / 12; }

private:
    static int ByList(int list, int first, int second, int third) {
        return list == 1 ? first : list == 2 ? second : third;
    }
    void ReadTables();
    void ShowCaptions();
    void ShowManager();
    // The hired business manager's name; empty when nobody is hired.
    CStr ManagerName() const;
    void FillListGrids(int list);
    void UpdateButtons(int list);
    bool AlreadyPaid(int list, const CSponsorRecord& record) const;
    void SendAcceptMail(int list, const CSponsorRecord& record);
    // The list position of the selected row of a grid; -1 none.
    int SelectedPosition(int gridId) const;

    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;
    CStr m_clubName = "Your club";
    CStr m_dateText = "01-08-2007";
    std::array<std::vector<Entry>, kLists> m_lists;
};
