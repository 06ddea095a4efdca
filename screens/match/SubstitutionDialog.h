// CSubstitutionDialog: the coaching instructions a user gives his players during a match (either
// engine), and the coach's word at each quarter break, which also moves his players' form by the
// score.
#pragma once

#include "guidefines.h"
#include "screens/ScreenContext.h"

#include <functional>

class CGuiElement;
class CMatch2D;
class CMatch2DTeam;
class CMatch3D;
class CMatchTeam;

// The instructions: text ids, which are also their tags in the list.
constexpr int kInstructionPassing = 500029;
constexpr int kInstructionShooting = 500030;
constexpr int kInstructionPhysical = 500031;
constexpr int kInstructionConcentrate = 500032;

// What an instruction adds to the attributes it lifts, and takes from stamina and form, for a head
// coach of this skill.
int InstructionBonus(int headCoachSkill);
// The form a player has after a quarter break at this score (his side, the other side).
int FormAfterQuarterBreak(int form, int ownScore, int otherScore);
// The coach's message at a quarter break: the two text ids. roll (0-99) picks the second text of a
// side that trails.
void QuarterBreakMessage(int ownScore, int otherScore, int roll, int& firstText, int& secondText);

class CSubstitutionDialog : public CGameScreen {
public:
    static constexpr int kInstructionWindow = ID_SUBSTITUTION;
    static constexpr int kMessageWindow = ID_QUARTERBREAK;
    // The player list's tag of the row that stands for every player on court.
    static constexpr int kAllPlayers = 1000000;

    explicit CSubstitutionDialog(const CScreenContext& ctx);

    void SetCaptions();
    // Fills the player list from the user's side of the 2D (twoD) or 3D match, and the instructions.
    void FillLists(bool twoD);
    // Fills the lists and opens the instruction window over the match.
    void Show(bool twoD);
    void OnMessage(GuiMessage& m) override;
    void Apply();
    void ApplyInstruction3D(CMatchTeam* team, int place, int instruction);
    void ApplyInstruction2D(CMatch2DTeam* team, int place, int instruction);
    // The break after quarters 1-3: form by the score and the coach's message.
    void QuarterBreak(bool twoD);

    // Whether the user's club plays at home in the running match; without a source the dialog does
    // nothing (no user side is known). By default it asks the tactics screen.
    void SetUserSide(std::function<bool()> userIsHome) { m_userIsHome = std::move(userIsHome); }
    // The matches it works on; by default the running game's engines.
    void SetMatches(CMatch2D* match2D, CMatch3D* match3D);

    bool TwoDMode() const { return m_twoDMode; }

private:
    CMatch2DTeam* UserTeam2D() const;
    CMatchTeam* UserTeam3D() const;
    CMatch2D* Match2D() const;
    CMatch3D* Match3D() const;

    const CScreenContext& m_ctx;
    CGuiElement* m_instructionWindow = nullptr;
    CGuiElement* m_messageWindow = nullptr;
    CGuiElement* m_instructionList = nullptr;
    CGuiElement* m_playerList = nullptr;
    CGuiElement* m_messageText = nullptr;
    bool m_twoDMode = false;
    std::function<bool()> m_userIsHome;
    CMatch2D* m_match2D = nullptr;
    CMatch3D* m_match3D = nullptr;
    bool m_matchesSet = false;
};
