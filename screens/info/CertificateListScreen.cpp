// The certificate list: one row per player move of the club.
#include "screens/info/CertificateListScreen.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "database/MemoryDB.h"
#include "gui/Element.h"
#include "screens/ClubCaption.h"
#include "screens/FormatMoney.h"
#include "screens/PositionCode.h"

namespace {

constexpr uint32_t kColumnColour = 8454143; // bytes 255, 255, 128, 0

struct CertificateColumn {
    int32_t caption;
    int32_t tooltip;
};
// The second column shows the played position, named as on the transfer screen's lists.
constexpr CertificateColumn kColumns[8] = {{80035, 900027},  {200092, 900029}, {80071, 900017},
                                           {80050, 900197},  {300110, 900198}, {300111, 900031},
                                           {300113, 900199}, {300112, 900200}};

CStr PlayedPositionText(int32_t value) {
    if (value >= 80063 && value <= 80069)
        return PositionCode(value);
    return CStr::Formatted("%d", value);
}

} // namespace

CCertificateListScreen::CCertificateListScreen(const CScreenContext& ctx)
    : m_ctx(ctx), m_root(ctx.Find(kWindow)) {}

void CCertificateListScreen::Refresh() {
    const CCareerSession& session = m_ctx.Session();
    if (!session.HasOpenCareer())
        return;
    m_clubName = session.careerDB->teams.At(0)->name;
    const GameDate& today = session.currentDate;
    m_dateText = FormatDate(today.year, today.day, today.month, ".");
    FillHeader();
    FillGrid();
}

void CCertificateListScreen::FillHeader() {
    if (m_root)
        m_root->SetCaption(ClubCaptionLine(m_ctx, 300117, m_clubName, m_dateText));
}

void CCertificateListScreen::FillGrid() {
    CGuiElement* grid = m_root ? m_root->FindChild(ID_CERT_GRID) : nullptr;
    if (!grid)
        return;
    grid->Clear();
    for (int column = 0; column < 8; ++column) {
        if (column % 2 == 0)
            grid->SetColumnColour(column, kColumnColour);
        grid->SetHeaderText(column, m_ctx.Text(kColumns[column].caption), kFormatLeftMiddle);
        grid->SetHeaderTooltip(column, m_ctx.Tooltip(kColumns[column].tooltip));
    }
    const CCareerSession& session = m_ctx.Session();
    if (!session.worldDB || !session.careerDB)
        return;
    for (const CCertificate* certificate : session.careerDB->certificates) {
        grid->AddCell(0, certificate->playerName, -1);
        grid->AddCell(1, PlayedPositionText(certificate->cardValue), -1);
        grid->AddCell(2, CStr::Formatted("%d", certificate->rating), -1);
        grid->AddCell(3, certificate->fromTeam, -1);
        grid->AddCell(4, certificate->toTeam, -1);
        grid->AddCell(5, CStr::Formatted("%d", certificate->contractMonths), -1);
        grid->AddCell(6, FormatDate(certificate->year, certificate->day, certificate->month, "."), -1);
        grid->AddCell(7, FormatMoney(CStr::Formatted("%d", certificate->amount), ',', '$'), -1);
    }
    grid->SetRowCount(session.careerDB->certificates.Size());
}
