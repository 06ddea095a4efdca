// The player information window: portrait, title, personal data and coloured attributes.
#include "screens/info/PlayerInfoWindow.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "database/MemoryDB.h"
#include "engine/Color.h"
#include "gui/Element.h"
#include "gui/ScreenStack.h"

#include <algorithm>

namespace {

constexpr int kTextWindow = 100189;
constexpr int kCaptionTexts[3] = {100190, 100191, 100192};
constexpr int kTextClose = 100156;
constexpr int kTextInjured = 500009;
constexpr uint32_t kWhite = PackColor(255, 255, 255, 255);
constexpr uint32_t kTitleColour = PackColor(255, 255, 255, 0);
constexpr uint32_t kInjuredTitleColour = PackColor(255, 255, 0, 0);
constexpr uint32_t kCaptionColumnColour = PackColor(255, 255, 255, 0);
constexpr const char* kNoPicture = "\\images\\WinObjects\\PLAYERPIC\\NoPic.PNG";

struct AttributeRow {
    int text;
    int skill;
};
// The playing attributes; 200099 names the sixteenth skill, so every skill but morale, stamina
// and speed (the second grid) has one row.
constexpr AttributeRow kAttributes1[CPlayerInfoWindow::kAttributeRows1] = {
    {70104, 12}, {70107, 15}, {70105, 5},   {70112, 7},  {70115, 6}, {70113, 10}, {70110, 14},
    {70119, 13}, {70106, 4},  {200099, 16}, {70114, 11}, {70109, 9}, {70108, 8}};
constexpr AttributeRow kAttributes2[CPlayerInfoWindow::kAttributeRows2] = {
    {70102, 2}, {70101, 1}, {70103, 3}};

} // namespace

uint32_t AttributeColour(int32_t value) {
    // A damaged record may hold anything; the colour scale covers 0-100.
    const int32_t v = std::clamp(value, 0, 100);
    // The single-precision factor times the value in double precision: 100 gives 254, not 255.
    const int c = static_cast<int>(static_cast<double>(2.55f) * v);
    if (2 * c < 255)
        return PackColor(255, 255, static_cast<uint8_t>(2 * c), 0);
    return PackColor(255, static_cast<uint8_t>(255 - c), 255, 0);
}

CStr PlayerPicturePath(const CStr& picture) {
    if (picture.IsEmpty())
        return CStr(kNoPicture);
    return picture.CharAt(0) == '\\' ? picture : CStr("\\").Concat(picture);
}

CPlayerInfoWindow::CPlayerInfoWindow(const CScreenContext& ctx) : m_ctx(ctx), m_root(ctx.Find(kWindow)) {
    SetCaptions();
    // Escape closes the window as its Close button does.
    if (m_root)
        m_ctx.Stack().SetEscapeButton(kWindow, ID_PI_CLOSE);
}

CGuiElement* CPlayerInfoWindow::Child(int id) const {
    return m_root ? m_root->FindChild(id) : nullptr;
}

void CPlayerInfoWindow::SetCaptions() {
    if (!m_root)
        return;
    m_root->SetCaption(m_ctx.Text(kTextWindow));
    const int captions[3] = {ID_PI_CAPTION_1, ID_PI_CAPTION_2, ID_PI_CAPTION_3};
    for (int i = 0; i < 3; ++i)
        if (CGuiElement* caption = Child(captions[i]))
            caption->SetText(m_ctx.Text(kCaptionTexts[i]), kFormatLeftMiddle, kWhite);
    if (CGuiElement* close = Child(ID_PI_CLOSE))
        close->SetText(m_ctx.Text(kTextClose), kFormatCentreMiddle);
}

void CPlayerInfoWindow::ShowPlayer(const CPlayer* player) {
    CGuiElement* personal = Child(ID_PI_PERSONAL);
    CGuiElement* grid1 = Child(ID_PI_ATTRIBUTES_1);
    CGuiElement* grid2 = Child(ID_PI_ATTRIBUTES_2);
    CGuiElement* title = Child(ID_PI_TITLE);
    if (!player || !personal || !grid1 || !grid2 || !title)
        return;
    m_shownId = player->id;
    if (CGuiElement* picture = Child(ID_PI_PICTURE))
        picture->SetImage(PlayerPicturePath(player->picture));
    personal->Clear();
    grid1->Clear();
    grid2->Clear();

    const CStr position = m_ctx.Text(player->words[kWordPosition]);
    const int number = player->words[kWordShirtNumber];
    if (player->words[kWordInjured] == 1)
        title->SetText(CStr::Formatted("%d. %s (%s)(%s)", number, player->name.GetText(), position.GetText(),
                                       m_ctx.Text(kTextInjured).GetText()),
                       kFormatCentreMiddle, kInjuredTitleColour);
    else
        title->SetText(CStr::Formatted("%d. %s (%s)", number, player->name.GetText(), position.GetText()),
                       kFormatCentreMiddle, kTitleColour);

    personal->SetColumnColour(0, kCaptionColumnColour);
    personal->SetColumnFormat(1, kFormatRightMiddle);
    // The record's twelfth field is the played position here; the row shows the player's rating,
    // named and scaled as on every other screen.
    CStr overall =
        CStr::Formatted("%d", static_cast<int>(CPlayer::ComputeOverall(const_cast<CPlayer*>(player), false)));
    const struct {
        int text;
        CStr value;
    } rows[kPersonalRows] = {
        {80047, FormatDate(player->birthYear, player->birthDay, player->birthMonth, ".")},
        {80071, overall},
        {100025, m_ctx.Text(player->originTextId)},
        {100007, player->note.IsEmpty() ? CStr("-") : player->note},
        {80048, CStr::Formatted("%d cm", player->words[kWordHeight])},
        {80049, CStr::Formatted("%d kg", player->words[kWordWeight])},
    };
    for (const auto& row : rows) {
        personal->AddCell(0, m_ctx.Text(row.text), -1);
        personal->AddCell(1, row.value, -1);
    }
    // One more than the rows filled, so the grid ends on an empty line.
    personal->SetRowCount(kPersonalRows + 1);
    personal->ResetScroll(true);

    auto fill = [&](CGuiElement* grid, const AttributeRow* attributes, int count) {
        grid->SetColumnColour(0, kCaptionColumnColour);
        grid->SetColumnFormat(1, kFormatRightMiddle);
        for (int row = 0; row < count; ++row) {
            const int32_t value = player->SkillValue(attributes[row].skill);
            grid->AddCell(0, m_ctx.Text(attributes[row].text), -1);
            grid->AddCell(1, CStr::Formatted("%d", value), -1);
            grid->SetCellColour(1, row, AttributeColour(value));
        }
        grid->SetRowCount(count);
        grid->ResetScroll(true);
    };
    fill(grid1, kAttributes1, kAttributeRows1);
    fill(grid2, kAttributes2, kAttributeRows2);
}

bool CPlayerInfoWindow::ShowPlayerById(int32_t playerId) {
    const CCareerSession& session = m_ctx.Session();
    const CPlayer* player = session.careerDB ? session.careerDB->FindPlayer(playerId) : nullptr;
    if (!player && session.worldDB)
        player = session.worldDB->FindPlayer(playerId);
    if (!player || !m_root)
        return false;
    ShowPlayer(player);
    return m_shownId == playerId;
}

bool CPlayerInfoWindow::OpenForPlayer(int32_t playerId) {
    if (!ShowPlayerById(playerId))
        return false;
    m_ctx.Post(-1, kWindow, kMsgOpenOnTop, kWindow, 0);
    return true;
}

bool OpenPlayerInfo(const CScreenContext& ctx, int32_t playerId) {
    auto* window = ctx.ScreenAs<CPlayerInfoWindow>(ScreenRole::PlayerInfo);
    return window && window->OpenForPlayer(playerId);
}
