// CPlayerInfoWindow: one player at a glance: his portrait, number, name and position, his personal
// data and his attributes coloured from red (poor) through yellow to green (excellent). Any screen
// with a player grid fills it and opens it over itself.
#pragma once

#include "guidefines.h"
#include "screens/ScreenContext.h"

#include <cstdint>

struct CPlayer;
class CGuiElement;

// The colour word of an attribute value: red at 0, yellow at 50, green at 100.
uint32_t AttributeColour(int32_t value);
// The game path of a player's portrait; players without one show the empty portrait.
CStr PlayerPicturePath(const CStr& picture);

class CPlayerInfoWindow : public CGameScreen {
public:
    static constexpr int kWindow = ID_PLAYERINFO;
    static constexpr int kPersonalRows = 6;
    static constexpr int kAttributeRows1 = 13;
    static constexpr int kAttributeRows2 = 3;

    explicit CPlayerInfoWindow(const CScreenContext& ctx);

    void SetCaptions();
    // Fills the window for the player; nothing changes without a player or without the grids.
    void ShowPlayer(const CPlayer* player);
    // The player of that id, the user's squad first, then the rest of the world; false (window
    // unchanged) when there is none.
    bool ShowPlayerById(int32_t playerId);
    // Fills the window with that player and opens it over the current screen.
    bool OpenForPlayer(int32_t playerId);

    // The player shown last; -1 before any.
    int32_t ShownPlayerId() const { return m_shownId; }

private:
    CGuiElement* Child(int id) const;

    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;
    int32_t m_shownId = -1;
};

// For the screens with player grids: fills the window with the player of that id and opens it.
// False when the game has no such window or player.
bool OpenPlayerInfo(const CScreenContext& ctx, int32_t playerId);
