// CStaffScreen: hiring and releasing the club's staff, one member per category. Candidates of the
// chosen category, a panel with the hired member of each category, a confirmation before a release,
// and the training screen's coach cards kept in step.
#pragma once

#include "database/HiredStaff.h"
#include "database/Records.h"
#include "guidefines.h"
#include "screens/ScreenContext.h"

#include <array>
#include <memory>
#include <vector>

class CGuiElement;
class ICoachCards;

// The screen's own copy of one staff member.
struct StaffEntry {
    int32_t row = 0;     // position in the screen's list
    CStaffRecord member; // every field of the staff record; the id is the world record's
    CStr picturePath;    // the record's picture as a game path
};

class CStaffScreen : public CGameScreen {
public:
    static constexpr int kWindow = ID_STAFF;
    static constexpr int kConfirmWindow = ID_STAFF_RELEASE;
    // Categories in panel order: panel k has release button ID_STAFF_RELEASE_0 + k and grid ID_STAFF_PANEL_0
    // + k.
    static constexpr std::array<int32_t, kStaffCategoryCount> kPanelCategories = {
        kStaffHeadCoach,    kStaffAssistantCoach, kStaffPhysiotherapist, kStaffTeamDoctor,
        kStaffPsychologist, kStaffScout,          kStaffFitnessCoach,    kStaffBusinessManager};

    explicit CStaffScreen(const CScreenContext& ctx);
    ~CStaffScreen() override;

    void Refresh() override;
    void OnMessage(GuiMessage& m) override;

    // A copy of the user's club's member of the category from the screen's list; null without a
    // career or such a member.
    std::unique_ptr<StaffEntry> FindHiredStaff(int32_t category) const;
    // Hires the candidate into an empty category (hire) or releases the category's member. The
    // hired entry, or null: a release, a category outside 80055-80062, a filled category, no career.
    StaffEntry* HireOrFire(int32_t category, int32_t candidateId, bool hire);
    void FireStaff(int32_t category);
    void AssignToClub(StaffEntry& entry);
    void RefreshStatistics();
    StaffEntry* FindEntryById(int32_t id) const;

    void FillCategoryList();
    void FillCandidates();
    void FillStaffPanel(int32_t category);
    void UpdateButtons();
    void SetCaptions();
    void ClearEntries();

    // Panel index of a category (0-7), -1 for none.
    static int PanelOf(int32_t category);

    int32_t SelectedCategory() const { return m_selectedCategory; }
    // The chosen candidate's world id (-1 none); the promotion notices name him as their sender.
    int32_t SelectedCandidate() const { return m_selectedCandidate; }
    int32_t HiredId(int32_t category) const;
    int PendingRelease() const { return m_pendingRelease; }
    const std::vector<std::unique_ptr<StaffEntry>>& Entries() const { return m_entries; }

private:
    bool HasCareer() const;
    void RememberSelection();
    int32_t UserClubId() const;
    void AddEntry(const CStaffRecord& record);
    // The coach card of a head coach or assistant takes the member (or is emptied for null).
    void UpdateCoachCard(int32_t category, const StaffEntry* member);
    void AskRelease(int button);
    void ConfirmRelease();

    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;
    CStr m_clubName = "Your club";
    CStr m_dateText = "01-08-2007";
    int32_t m_clubId = -1;
    std::vector<std::unique_ptr<StaffEntry>> m_entries;
    std::array<int32_t, kStaffCategoryCount> m_hiredId{}; // by panel, -1 none
    std::array<int32_t, kStaffCategoryCount> m_hiredRow{};
    int m_pendingRelease = -1; // the release button that opened the confirmation
    int32_t m_selectedCategory = -1;
    int32_t m_selectedCandidate = -1;
    int32_t m_candidateRow = -1;
};
