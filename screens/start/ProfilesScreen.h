// The saved-careers screen: the careers list, load, and delete with a confirmation.
#pragma once

#include "screens/ScreenContext.h"

#include "engine/Str.h"

#include <cstdint>
#include <map>

// A manager name as the screens show it: without control characters, and cut with "..." past
// kShownNameLength bytes (never inside a letter), so a hand-edited list stays readable.
constexpr int kShownNameLength = 32;
CStr ShownManagerName(const CStr& name);

// Why the last load was refused, as a sentence naming the file or folder and the cause.
CStr LoadFailureMessage(const CScreenContext& ctx);
// What the player is told when the last career loaded with its damaged choices file's defaults
// (the session's last load); empty when its choices were whole.
CStr ChoicesResetMessage(const CScreenContext& ctx);

class CProfilesScreen : public CGameScreen {
public:
    explicit CProfilesScreen(const CScreenContext& ctx);
    void OnMessage(GuiMessage& message) override;
    void FillCareers();

    // The club of a saved career, named by its own data set: the clubs of the three data sets share
    // ids, so the world loaded last cannot name them. "-" when the club is unknown.
    CStr ClubName(int32_t dataSet, int32_t clubId);

private:
    int32_t SelectedProfileId() const;

    const CScreenContext& m_ctx;
    int32_t m_pendingDelete = -1;
    // Club names by data set and club id, read once per data set: the data files do not change
    // while the game runs.
    std::map<int32_t, std::map<int32_t, CStr>> m_clubNames;
};
