// CTransferScreen: the club's squad beside the market (the other clubs' players and those without a
// club), a card for the chosen player of each, the release question and the contract negotiation.
// The moves themselves live in the career (career/Transfers); this screen shows and asks.
#pragma once

#include "engine/Str.h"
#include "guidefines.h"
#include "screens/ScreenContext.h"

#include <cstdint>
#include <memory>
#include <vector>

class CGuiElement;
struct CPlayer;
struct CTeam;

// One row of the squad or the market list: the screen's copy of a player record.
struct TransferListEntry {
    int32_t playerId = -1;
    int32_t teamId = -1;
    int32_t number = 0;
    CStr name;
    CStr teamName;
    CStr positionCode;
    CStr positionName;
    int32_t infoValue = 0; // the played position
    int32_t certificateValue = 0;
    CStr contractEnd;
    int32_t contractMonths = 0;
    int32_t height = 0;
    int32_t weight = 0;
    int32_t attributes[16] = {}; // the card values, attribute n at n - 1
    int32_t rating = 0;
    int32_t wageFactor = 0;
    int32_t wage = 0;
    int32_t teamPointsSum = 0;
    int32_t teamMatches = 0;
};

struct NamedValue {
    CStr text;
    int32_t value = 0;
};

class CTransferScreen : public CGameScreen {
public:
    static constexpr int kWindow = ID_TRANSFERS;

    explicit CTransferScreen(const CScreenContext& ctx);

    void Refresh() override;
    void OnMessage(GuiMessage& msg) override;

    void SetCaptions();
    void FillTeamCombo();
    void FillSquadList();
    void FillMarketList();
    void ShowSquadCard(int index);
    void ShowMarketCard(int index);

    // The negotiation box for the chosen market player: his demand, the terms, the fee.
    void PrepareNegotiation();
    // The player's answer to the terms in the box; an acceptance lets the box sign.
    void EvaluateOffer();
    // Signs market entry `index` on the given terms; false when nothing moved.
    bool SignPlayer(int index, int32_t wage, int32_t months);
    bool ReleasePlayer(int index);

    const std::vector<std::unique_ptr<TransferListEntry>>& Squad() const { return m_squad; }
    const std::vector<std::unique_ptr<TransferListEntry>>& Market() const { return m_market; }
    const std::vector<NamedValue>& Teams() const { return m_teams; }
    int32_t TeamFilter() const { return m_teamFilter; }
    int SelectedSquad() const { return m_selectedSquad; }
    int SelectedMarket() const { return m_selectedMarket; }
    // The negotiation box agreed terms: the sign buttons work only then.
    bool Agreed() const { return m_agreed; }

private:
    CGuiElement* Child(int id) const;
    TransferListEntry MakeEntry(const CPlayer& player, const CTeam* team, const CStr& teamName) const;
    // Finds the remembered players in the rebuilt lists (-1 when gone) and shows their cards.
    void RestoreSelections();
    void SelectSquadRow(int row);
    void SelectMarketRow(int row);
    // Wage and months of the open negotiation, read from its grid; false without its cells.
    bool ReadTerms(int32_t& wage, int32_t& months) const;
    void WriteWage(int32_t wage);
    void SetAsking();
    // The asking text: the player's demand and, for a player of another club, the fee at the
    // offered wage.
    void ShowTermsText();
    CStr FeeLine(const TransferListEntry& entry, int32_t wage) const;
    void ShowCard(const TransferListEntry& entry, CGuiElement* name, CGuiElement* personal,
                  CGuiElement* skills) const;
    // After a move: the certificate list, this screen and every other one show it.
    void AfterMove();
    void SignFromBox(int button, int window);
    const TransferListEntry* MarketEntry(int index) const;

    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;
    std::vector<std::unique_ptr<TransferListEntry>> m_squad;
    std::vector<std::unique_ptr<TransferListEntry>> m_market;
    CStr m_clubName = "Your club";
    CStr m_dateText = "01.08.2007";
    std::vector<NamedValue> m_teams;
    int32_t m_teamFilter = 0;
    int m_selectedSquad = 0;
    int m_selectedMarket = 0;
    // The chosen players by id: a refresh rebuilds the lists, so indices alone would point at
    // whoever took their place.
    int32_t m_squadPlayerId = -1;
    int32_t m_marketPlayerId = -1;
    bool m_agreed = false;
    // The market entry the open negotiation is about.
    int32_t m_negotiatedId = -1;
};
