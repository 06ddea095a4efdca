// The probe's driver: the game manager without a window, clicks through the input dispatch,
// selections as the controls post them, and text dumps of elements, the ledger and the date.
#include "Probe.h"

#include "app/ContentChecks.h"
#include "app/GameManager.h"
#include "app/Shell.h"
#include "career/EventList.h"
#include "career/FunShop.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"
#include "engine/Paths.h"
#include "engine/Texture.h"
#include "engine/Xml.h"
#include "gui/Backend.h"
#include "gui/Grid.h"
#include "gui/LayoutLoader.h"
#include "gui/TextTable.h"
#include "gui/Window.h"
#include "guidefines.h"
#include "match3d/Match3D.h"
#include "screens/info/DayController.h"
#include "screens/match/Match3DHudLink.h"
#include "screens/match/MatchDayScreen.h"
#include "screens/match/MatchHud.h"
#include "screens/start/CareerFrameScreen.h"
#include "screens/start/ProfilesScreen.h"

#include <chrono>
#include <thread>

namespace {

// The name a new career gets on the new-career screen, so the probe's careers stand out in the list.
constexpr const char* kProbeManager = "Probe";

std::string Quoted(const CStr& text) {
    std::string out = "\"";
    for (char c : text.Std()) {
        if (c == '\n')
            out += "\\n";
        else if (c == '"' || c == '\\')
            out += std::string("\\") + c;
        else
            out += c;
    }
    return out + "\"";
}

bool HasText(GuiElementType type) {
    switch (type) {
    case GuiElementType::StaticText:
    case GuiElementType::TextBox:
    case GuiElementType::Button:
    case GuiElementType::AnimButton:
    case GuiElementType::CheckBox:
    case GuiElementType::EditBox:
        return true;
    default:
        return false;
    }
}

std::string LedgerText(const EventPayload& payload) {
    return std::visit(
        [](const auto& data) -> std::string {
            if constexpr (requires { data.text; })
                return data.text.Std();
            else if constexpr (requires { data.name; })
                return data.name.Std();
            else
                return std::string();
        },
        payload);
}

// Measures text like the null backend (dumps stay the same on every machine) but reads every picture
// a screen asks for, so a missing or unreadable file is logged as it would be in the game.
class CProbeImage : public CGuiImage {
public:
    CProbeImage(int width, int height) : m_width(width), m_height(height) {}
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }

private:
    int m_width = 0, m_height = 0;
};

class CProbeGuiBackend : public CGuiNullBackend {
public:
    std::shared_ptr<CGuiImage> LoadImage(const CStr& path) override {
        CQuorelTexture texture(path.GetText());
        if (!texture.Load())
            return nullptr;
        return std::make_shared<CProbeImage>(texture.Width(), texture.Height());
    }
};

CProbeGuiBackend g_probeBackend;

} // namespace

CProbe::CProbe(FILE* out) : m_out(out) {
    SetGuiBackend(&g_probeBackend);
}

CProbe::~CProbe() {
    SetGuiBackend(nullptr);
    if (g_pMatch3D == m_match3D.get())
        g_pMatch3D = nullptr;
    // The display forgets the match before the match goes.
    if (m_gm)
        if (auto* hud = dynamic_cast<CMatchHud*>(m_gm->Screen(ScreenRole::MatchHud)))
            hud->SetMatch(nullptr);
}

bool CProbe::Fail(const std::string& sentence) {
    m_error = sentence;
    return false;
}

bool CProbe::Start(const ProbeArgs& args) {
    m_gm = std::make_unique<CGameManager>();
    g_pGameManager = m_gm.get();
    CGameManager& gm = *m_gm;
    const int xmlFailures = XmlNode::OpenFailures();
    CGuiLayoutLoader loader(gm);
    const char* const definesPath = "\\guifiles\\guidefines.h";
    const char* const layoutPath = "\\guifiles\\GuiXML.xml";
    // A folder without either file is most likely not a game folder; a damaged file is named.
    const bool definesRead = loader.ReadDefines(definesPath);
    if (!definesRead && !DirectoryExists("\\guifiles"))
        return Fail("The layout in guifiles/ could not be read: is " + args.dataDir + " a game folder?");
    if (!definesRead || !loader.LoadLayout(layoutPath))
        return Fail(LayoutReadProblem(definesPath, layoutPath, definesRead, xmlFailures).Std());
    CStr layoutProblem = LayoutProblem(gm, loader, definesPath, layoutPath);
    if (!layoutProblem.IsEmpty())
        return Fail(layoutProblem.Std());
    GameOptions options = LoadOptions();
    for (const auto& [key, value] : args.settings)
        if (!ApplyOptionSetting(options, key, value, m_error))
            return false;
    // The game refuses a damaged tooltip file at start-up: so does the probe.
    const CStr tooltipPath = CStr("\\").Concat(options.tooltipFile);
    CTextTable tooltips;
    tooltips.Load(tooltipPath.GetText());
    CStr tooltipProblem = TooltipProblem(tooltips, tooltipPath.GetText());
    if (!tooltipProblem.IsEmpty())
        return Fail(tooltipProblem.Std());
    gm.CreateScreens(options);
    CStr worldProblem;
    const std::vector<int32_t> worldTexts = GameWorldTextIds(gm.Session().worldDB, &worldProblem);
    if (!worldProblem.IsEmpty())
        return Fail(worldProblem.Std());
    CStr languageProblem =
        LanguageProblem(gm.Language(), CStr("\\").Concat(options.langFilePath).GetText(), worldTexts);
    if (!languageProblem.IsEmpty())
        return Fail(languageProblem.Std());
    if (!gm.Session().worldDB || gm.Session().worldDB->teams.IsEmpty())
        return Fail("The league data set in " + args.dataDir + "/data could not be loaded.");
    gm.CreateRegisteredScreens();
    // A tactics or formation file that does not read stops the game at start-up: the probe too.
    CStr fileProblem = XmlFileProblem(xmlFailures);
    if (!fileProblem.IsEmpty())
        return Fail(fileProblem.Std());
    // The flat-court engine seeds from the clock when the day controller makes it, so the seed
    // goes in after the screens exist.
    if (args.seeded)
        GameSrand(args.seed);
    return Settle();
}

bool CProbe::Settle() {
    CGameManager& gm = *m_gm;
    auto* day = dynamic_cast<CDayController*>(gm.Screen(ScreenRole::DayController));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kSettleSeconds);
    for (;;) {
        // The game handles no messages while the shell's worker runs; it only draws the wait screen.
        if (!gm.ShellServices().WorkerRunning()) {
            gm.ProcessMessages();
            const bool dayRunning = day && day->IsWorkerActive();
            if (!dayRunning && !gm.ShellServices().WorkerRunning() && gm.PendingMessages().empty())
                return true;
        }
        if (std::chrono::steady_clock::now() > deadline)
            return Fail("The game was still busy after " + std::to_string(kSettleSeconds) + " seconds.");
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool CProbe::ResolveId(const std::string& token, int& id) {
    if (ParseCount(token, id))
        return true;
    id = m_gm->FindGuiIdByName(token.c_str());
    if (id >= 0)
        return true;
    return Fail("'" + token + "' is neither an element number nor a name in guidefines.h.");
}

CGuiElement* CProbe::FindElement(const std::string& token, int& id) {
    if (!ResolveId(token, id))
        return nullptr;
    CGuiElement* element = m_gm->FindElement(id);
    if (!element)
        Fail("The layout has no element " + Describe(id) + ".");
    return element;
}

std::string CProbe::DefineName(int id) const {
    for (const GuiDefine& define : m_gm->Defines())
        if (define.value == id)
            return define.name.Std();
    return std::string();
}

std::string CProbe::Describe(int id) const {
    std::string name = DefineName(id);
    return name.empty() ? std::to_string(id) : name + " (" + std::to_string(id) + ")";
}

std::string CProbe::Unreachable(CGuiElement* element) {
    const ScreenLayer* home = nullptr;
    for (const ScreenLayer& layer : m_gm->Layers())
        if (element->IsInside(layer.root.get()))
            home = &layer;
    if (!home || !home->active)
        return "its window is not open";
    for (CGuiElement* e = element; e; e = e->Parent())
        if (!e->IsVisible())
            return "it is hidden";
    if (!element->IsEnabled())
        return "it is disabled";
    return std::string();
}

bool CProbe::Click(int id) {
    CGuiElement* element = m_gm->FindElement(id);
    if (!element)
        return Fail("The layout has no element " + Describe(id) + ".");
    std::string why = Unreachable(element);
    if (why.empty()) {
        const GuiRect& r = element->Rect();
        GuiInput input;
        input.x = r.x + r.w / 2;
        input.y = r.y + r.h / 2;
        CGuiElement* hit = m_gm->HitAt(input.x, input.y);
        if (hit && hit->IsInside(element)) {
            input.button = GuiMouseButton::Left;
            input.timeMs = m_clock += 1000;
            for (GuiInputKind kind :
                 {GuiInputKind::MouseMove, GuiInputKind::MouseDown, GuiInputKind::MouseUp}) {
                input.kind = kind;
                m_gm->DispatchInput(input);
            }
            return true;
        }
        why = hit ? "it lies under " + Describe(hit->GetId()) : "nothing takes a click where it is";
    }
    return Fail(Describe(id) + " cannot be clicked: " + why + ".");
}

bool CProbe::Select(int id, int row) {
    CGuiElement* element = m_gm->FindElement(id);
    if (!element)
        return Fail("The layout has no element " + Describe(id) + ".");
    std::string why = Unreachable(element);
    if (!why.empty())
        return Fail("Nothing can be selected in " + Describe(id) + ": " + why + ".");
    const GuiElementType type = element->GetType();
    if (type == GuiElementType::Grid) {
        if (row >= element->GetRowCount())
            return Fail(Describe(id) + " has " + std::to_string(element->GetRowCount()) +
                        " rows; there is no row " + std::to_string(row) + ".");
        // A row click on a grid posts a selection and then a click.
        element->SetSelectedRow(row);
        m_gm->PostMessage(id, -1, kMsgSelection, row, 0);
        m_gm->PostMessage(id, -1, kMsgClick, row, 0);
    } else if (type == GuiElementType::ListBox || type == GuiElementType::ComboBox) {
        if (row >= element->GetItemCount())
            return Fail(Describe(id) + " has " + std::to_string(element->GetItemCount()) +
                        " items; there is no item " + std::to_string(row) + ".");
        element->SetSelection(row);
        m_gm->PostMessage(id, -1, kMsgSelection, row, 0);
    } else {
        return Fail(Describe(id) + " is no list, combo or grid.");
    }
    return Settle();
}

bool CProbe::NewCareer(int dataSet, int clubIndex) {
    if (!ClickAndSettle(ID_MM_NEWCAREER))
        return false;
    CGuiElement* combo = m_gm->FindElement(ID_NC_DATASET);
    int item = -1;
    for (int i = 0; combo && i < combo->GetItemCount(); ++i)
        if (combo->GetItemData(i) == dataSet)
            item = i;
    if (item < 0)
        return Fail("The new-career screen offers no data set " + std::to_string(dataSet) + ".");
    if (!Select(ID_NC_DATASET, item))
        return false;
    const int clubs = m_gm->FindElement(ID_NC_CLUBS)->GetRowCount();
    if (clubIndex >= clubs)
        return Fail("The data set lists " + std::to_string(clubs) + " clubs; there is no club " +
                    std::to_string(clubIndex) + ".");
    if (!Select(ID_NC_CLUBS, clubIndex))
        return false;
    m_gm->FindElement(ID_NC_NAME)->SetText(CStr(kProbeManager));
    if (!ClickAndSettle(ID_NC_START))
        return false;
    if (!m_gm->Session().HasOpenCareer() || !m_gm->IsLayerActive(ID_FRAME)) {
        CGuiElement* error = m_gm->FindElement(ID_NC_ERROR);
        std::string why = error && !error->GetText().IsEmpty() ? error->GetText().Std() : "the log says why";
        return Fail("The new career could not be started: " + why);
    }
    return true;
}

bool CProbe::LoadCareer(const std::string& name) {
    if (!ClickAndSettle(ID_MM_LOADCAREER))
        return false;
    CGuiElement* grid = m_gm->FindElement(ID_PR_GRID);
    int row = -1;
    int profileId = -1;
    const bool byId = ParseCount(name, profileId);
    // A manager name wins over a profile id; of several careers under one name, the last listed.
    for (int r = 0; grid && r < grid->GetRowCount(); ++r)
        if (GuiGridCell* cell = grid->FindCell(0, r); cell && cell->text.Std() == name)
            row = r;
    for (int r = 0; row < 0 && byId && grid && r < grid->GetRowCount(); ++r)
        if (GuiGridCell* cell = grid->FindCell(0, r); cell && cell->data == profileId)
            row = r;
    if (row < 0)
        return Fail("No saved career is listed under '" + name + "'.");
    if (!Select(ID_PR_GRID, row) || !ClickAndSettle(ID_PR_LOAD))
        return false;
    if (!m_gm->Session().HasOpenCareer() || !m_gm->IsLayerActive(ID_FRAME))
        return Fail("The saved career '" + name + "' could not be loaded. " +
                    LoadFailureMessage(m_gm->Context()).Std());
    return true;
}

bool CProbe::OpenWindow(int window) {
    if (!m_gm->FindLayer(window))
        return Fail(Describe(window) + " is not a window of the layout.");
    // A window of the frame's menu opens through its button, as the player opens it.
    int button = -1;
    for (const GuiDefine& define : m_gm->Defines())
        if (button < 0 && CCareerFrameScreen::MenuWindowOf(define.value) == window)
            button = define.value;
    if (button >= 0) {
        if (!Click(button))
            return false;
    } else {
        m_gm->PostMessage(-1, window, kMsgSwitchTo, 0, 0);
    }
    if (!Settle())
        return false;
    if (!m_gm->IsLayerActive(window))
        return Fail(Describe(window) + " did not open.");
    return true;
}

bool CProbe::Save(const std::string& name) {
    CCareerSession& session = m_gm->Session();
    if (!session.HasOpenCareer())
        return Fail("No career is open to save.");
    // The list of careers takes its line from the career's profile, so the new name goes there.
    CProfile* profile = session.careerDB->profiles.At(0);
    if (profile->managerName.Std() != name) {
        profile->managerName = CStr(name);
        m_gm->RefreshAllScreens();
    }
    if (!ClickAndSettle(ID_FR_SAVE))
        return false;
    CGuiElement* status = m_gm->FindElement(ID_FR_STATUS);
    if (!status || status->GetText().NotEquals("Career saved."))
        return Fail("The career could not be saved under '" + name + "'.");
    fprintf(m_out, "saved %s in data/profiles/%s\n", name.c_str(), profile->folder.GetText());
    return true;
}

bool CProbe::SetShopLevel(int level) {
    CCareerSession& session = m_gm->Session();
    const CTeam* club = session.HasOpenCareer() ? session.UserClub() : nullptr;
    if (!club || !club->stadium)
        return Fail("--shop-level needs an open career whose club has a stadium.");
    bool found = false;
    for (CStadiumWingRecord* wing : club->stadium->wings)
        if (wing->partId == kPartFunShop) {
            wing->level = level;
            found = true;
        }
    if (!found)
        return Fail("The club's stadium has no fun-shop building.");
    m_gm->RefreshAllScreens();
    fprintf(m_out, "fun shop level %d\n", FunShopLevel(*session.careerDB));
    return true;
}

bool CProbe::RunStep(const ProbeStep& step) {
    int id = -1;
    CGuiElement* element = nullptr;
    switch (step.kind) {
    case ProbeStepKind::Days:
        for (int i = 0; i < step.count; ++i)
            if (!ClickAndSettle(ID_NEXTDAY))
                return false;
        return true;
    case ProbeStepKind::Continue:
        return ClickAndSettle(ID_CONTINUE);
    case ProbeStepKind::Open:
        return ResolveId(step.target, id) && OpenWindow(id);
    case ProbeStepKind::Click:
        return ResolveId(step.target, id) && ClickAndSettle(id);
    case ProbeStepKind::Select:
        return ResolveId(step.target, id) && Select(id, step.count);
    case ProbeStepKind::Type:
        if (!(element = FindElement(step.target, id)))
            return false;
        if (element->GetType() != GuiElementType::EditBox)
            return Fail(Describe(id) + " is no edit box.");
        if (std::string why = Unreachable(element); !why.empty())
            return Fail("Nothing can be typed into " + Describe(id) + ": " + why + ".");
        element->SetText(CStr(step.text));
        return Settle();
    case ProbeStepKind::Save:
        return Save(step.text);
    case ProbeStepKind::Dump:
        if (!(element = FindElement(step.target, id)))
            return false;
        DumpElement(element, 0);
        return true;
    case ProbeStepKind::DumpLedger:
        DumpLedger();
        return true;
    case ProbeStepKind::MatchHud:
        return StartMatchHud();
    case ProbeStepKind::MatchScore:
        if (!m_match3D)
            return Fail("--match-score needs --match-hud first.");
        m_match3D->homeScore = step.count;
        m_match3D->awayScore = std::stoi(step.text);
        return AdvanceMatchHud(0);
    case ProbeStepKind::AdvanceMs:
        return AdvanceMatchHud(step.count);
    case ProbeStepKind::Frames:
        return RunMatchFrames(step.count);
    case ProbeStepKind::ShopLevel:
        return SetShopLevel(step.count);
    case ProbeStepKind::DumpDate: {
        const GameDate& d = m_gm->Session().currentDate;
        fprintf(m_out, "%02d.%02d.%04d\n", d.day, d.month, d.year);
        return true;
    }
    }
    return Fail("The probe has no such step.");
}

void CProbe::DumpElement(CGuiElement* element, int depth) {
    const std::string indent(static_cast<size_t>(depth) * 2, ' ');
    const int id = element->GetId();
    std::string line = indent + (id >= 0 ? std::to_string(id) : std::string("-"));
    if (std::string name = id >= 0 ? DefineName(id) : std::string(); !name.empty())
        line += " " + name;
    const GuiElementType type = element->GetType();
    line += std::string(" ") + GuiElementTypeName(type);
    line += element->IsVisible() ? " visible" : " hidden";
    line += element->IsEnabled() ? " enabled" : " disabled";
    if (type == GuiElementType::CheckBox)
        line += element->IsChecked() ? " checked" : " unchecked";
    if (auto* window = dynamic_cast<CGuiWindow*>(element); window && !window->GetCaption().IsEmpty())
        line += " " + Quoted(window->GetCaption());
    if (HasText(type))
        line += " " + Quoted(element->GetText());
    if (type == GuiElementType::Grid)
        line += " rows=" + std::to_string(element->GetRowCount()) +
                " selected=" + std::to_string(element->GetSelectedRow());
    // Named pictures are placed by the screens (formation markers, gauges): show where.
    if (type == GuiElementType::Picture && id >= 0) {
        const ElementDesc& d = element->Desc();
        line += " at " + std::to_string(d.x) + "," + std::to_string(d.y) + " " + std::to_string(d.w) + "x" +
                std::to_string(d.h);
        // Which picture a screen chose (a trend arrow, a player's portrait).
        if (!d.imagePath.IsEmpty())
            line += " image=" + Quoted(d.imagePath);
    }
    if (type == GuiElementType::ListBox || type == GuiElementType::ComboBox)
        line += " items=" + std::to_string(element->GetItemCount()) +
                " selected=" + std::to_string(element->GetSelectedIndex());
    fprintf(m_out, "%s\n", line.c_str());

    const std::string inner(static_cast<size_t>(depth + 1) * 2, ' ');
    if (auto* grid = dynamic_cast<CGuiGridControl*>(element)) {
        std::string header;
        bool anyHeader = false;
        for (int c = 0; c < grid->ColumnCount(); ++c) {
            header += (c ? " | " : "") + Quoted(grid->HeaderText(c));
            anyHeader = anyHeader || !grid->HeaderText(c).IsEmpty();
        }
        if (anyHeader)
            fprintf(m_out, "%sheader: %s\n", inner.c_str(), header.c_str());
        for (int r = 0; r < grid->GetRowCount(); ++r) {
            std::string row;
            for (int c = 0; c < grid->ColumnCount(); ++c) {
                GuiGridCell* cell = grid->FindCell(c, r);
                row += (c ? " | " : "") + Quoted(cell ? cell->text : CStr());
            }
            fprintf(m_out, "%srow %d: %s\n", inner.c_str(), r, row.c_str());
        }
    } else if (type == GuiElementType::ListBox || type == GuiElementType::ComboBox) {
        for (int i = 0; i < element->GetItemCount(); ++i)
            fprintf(m_out, "%sitem %d: %s data=%d\n", inner.c_str(), i,
                    Quoted(element->GetItemText(i)).c_str(), element->GetItemData(i));
    }
    for (const auto& child : element->Children())
        DumpElement(child.get(), depth + 1);
}

void CProbe::DumpLedger() {
    const CEventList* ledger = m_gm->Session().ledger;
    for (size_t i = 0; ledger && i < ledger->Size(); ++i) {
        const CCalendarEvent* event = ledger->At(i);
        const int scope = PayloadScope(event->Payload());
        const int direction = PayloadDirection(event->Payload());
        static constexpr const char* kScopes[] = {"day", "month", "year"};
        fprintf(m_out, "%02d.%02d.%04d kind=%d scope=%s %s amount=%d %s\n", event->Day(), event->Month(),
                event->Year(), event->Kind(), scope >= 0 && scope <= 2 ? kScopes[scope] : "-",
                direction == kIncome ? "income" : (direction == kExpense ? "expense" : "-"),
                PayloadAmount(event->Payload()), Quoted(CStr(LedgerText(event->Payload()))).c_str());
    }
}

bool CProbe::StartMatchHud() {
    CGameManager& gm = *m_gm;
    CCareerSession& session = gm.Session();
    auto* hud = dynamic_cast<CMatchHud*>(gm.Screen(ScreenRole::MatchHud));
    CTeam* user = session.UserClub();
    if (!hud)
        return Fail("The game has no in-match display.");
    if (!user || !session.worldDB)
        return Fail("--match-hud needs an open career.");
    CTeam* opponent = nullptr;
    for (CTeam* team : session.worldDB->teams.Records())
        if (team != user && team->id != user->id && team->leagueId == user->leagueId &&
            !team->players.empty()) {
            opponent = team;
            break;
        }
    if (!opponent)
        return Fail("The user's league has no opponent for a match.");
    // Both rosters from the squads, in squad order, with a spread of stamina and form to show.
    m_match3D = std::make_unique<CMatch3D>();
    g_pMatch3D = m_match3D.get();
    CTeam* sides[2] = {user, opponent};
    for (int side = 0; side < 2; ++side) {
        CMatchTeam* team = side == 0 ? m_match3D->GetHomeTeam() : m_match3D->GetAwayTeam();
        team->DeletePlayers();
        team->loaded = 1;
        team->isUserTeam = side == 0 ? 1 : 0;
        int i = 0;
        for (CPlayer* record : sides[side]->players) {
            CCourtPlayer p;
            p.playerId = record->id;
            std::snprintf(p.name, sizeof p.name, "%s", record->name.GetText());
            p.positionId = record->words[kWordPosition];
            p.stamina = 100.0f - 6.5f * static_cast<float>(i);
            p.attributes[0] = 45 + 4 * i;
            p.matchState = i < 5 ? kMatchStateOnCourt : kMatchStateOnBench;
            p.side = side;
            team->AddPlayer(p);
            ++i;
        }
    }
    m_match3D->flags.quarter = 1;
    m_hudLink = std::make_unique<CMatch3DHudLink>(*m_match3D, nullptr); // the display alone
    session.view3D = 1;
    session.matchMode = 1;
    m_hudClock = 1000;
    hud->SetClock([this] { return m_hudClock; });
    hud->SetMatch(m_hudLink.get());
    hud->SetTeamNames(user->name, opponent->name);
    hud->SetMatchParams(user, opponent, -1, session.currentDate.year, session.currentDate.month,
                        session.currentDate.day);
    hud->SetStatisticsTeam(m_match3D->GetHomeTeam());
    gm.Context().SwitchTo(ID_MATCHHUD);
    if (!Settle())
        return false;
    return AdvanceMatchHud(0);
}

bool CProbe::RunMatchFrames(int frames) {
    auto* centre = dynamic_cast<CMatchDayScreen*>(m_gm->Screen(ScreenRole::MatchCentre));
    if (centre == nullptr || m_gm->Session().matchMode == 0 || m_gm->Session().view3D != 0)
        return Fail("No match is being watched on the match centre.");
    for (int i = 0; i < frames; ++i) {
        m_gm->ProcessMessages();
        centre->FrameStep();
    }
    return Settle();
}

bool CProbe::AdvanceMatchHud(int ms) {
    auto* hud = dynamic_cast<CMatchHud*>(m_gm->Screen(ScreenRole::MatchHud));
    if (!hud || !m_hudLink)
        return Fail("Advancing the match clock needs --match-hud first.");
    // Frames of 100 ms, as a running game would step them; at least one frame.
    int left = ms;
    do {
        const int step = left < 100 ? left : 100;
        m_hudClock += static_cast<uint32_t>(step);
        left -= step;
        hud->FrameStep();
        if (!Settle())
            return false;
    } while (left > 0);
    return true;
}
