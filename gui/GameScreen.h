// CGameScreen: what the game manager needs of every screen object: a refresh that refills it
// whole from the databases, and a look at every GUI message (consume by setting sID to -1).
#pragma once

#include "gui/GuiMessage.h"

class CGameScreen {
public:
    virtual ~CGameScreen() = default;
    virtual void Refresh() {}
    // Return values of handlers carry no meaning to the manager; only sID = -1 consumes.
    virtual void OnMessage(GuiMessage&) {}
};
