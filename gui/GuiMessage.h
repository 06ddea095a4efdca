// The queued GUI message record and the layout's click/selection actions.
#pragma once

#include <cstdint>

enum GuiMessageKind : int32_t {
    kMsgActivate = 0,
    kMsgOpenMenu = 4,
    kMsgOpenOnTop = 5,
    kMsgSwitchTo = 6,
    kMsgClose = 7,
    kMsgSelection = 8,
    kMsgLeftDown = 9,
    kMsgClick = 10,
    kMsgDoubleClick = 11,
    kMsgRightDown = 12,
    kMsgRightClick = 13,
    kMsgRightDoubleClick = 14,
    kMsgScrollUp = 15,
    kMsgScrollDown = 16,
    kMsgScrollStep = 18,
    kMsgEditFocus = 20,
    kMsgEditBlur = 21,
};

// -1 in an id means none; a screen consumes a message by setting sID to -1.
struct GuiMessage {
    int32_t sID = -1;
    int32_t cID = -1;
    int32_t MSG = 0;
    int32_t p1 = 0;
    int32_t p2 = 0;
    uint8_t handled = 0;
};

// A click or selection on source posts {-1, target, kind, source, 0} and consumes the trigger.
struct GuiAction {
    int32_t source = -1;
    int32_t target = -1;
    int32_t kind = 0;
    int32_t p1 = 0;
    int32_t p2 = 0;
};

inline bool IsWindowKind(int32_t kind) {
    return kind == kMsgActivate || kind == kMsgOpenMenu || kind == kMsgOpenOnTop || kind == kMsgSwitchTo ||
           kind == kMsgClose;
}

// Appends a message to the running game's queue; safe from any thread. Without a screen stack
// the message is dropped with a log line.
void PostGuiMessage(int32_t sID, int32_t cID, int32_t kind, int32_t p1, int32_t p2);
