// The game manager: the session, the screens of the registry and the routing of GUI messages.
#include "app/GameManager.h"

#include "app/GameApp.h"
#include "app/ScreenRegistry.h"
#include "app/Shell.h"
#include "database/MemoryDB.h"
#include "engine/Log.h"
#include "engine/Paths.h"

#include <algorithm>

CGameManager* g_pGameManager = nullptr;

CGameManager::CGameManager(CGameApp* app) : m_session([this](int id) { return GetText(id); }) {
    workingDir = GetWorkingDir();
    m_shell = std::make_unique<CShellServices>(*this, app);
    m_context = std::make_unique<CScreenContext>(
        m_session, *this, *m_shell, [this](int id) { return GetText(id); },
        [this](ScreenRole role) { return Screen(role); });
    m_context->SetTooltips([app](int id) { return app ? app->GetTooltip(id) : CStr(); });
}

CGameManager::~CGameManager() {
    // Work started without the application may still use the screens.
    m_shell->WaitForWorker();
    // Screens may look at the databases while they go, so they go first.
    for (auto& screen : m_screens)
        screen.reset();
    if (g_pGameManager == this)
        g_pGameManager = nullptr;
}

IShell& CGameManager::Shell() {
    return *m_shell;
}

CGameApp* CGameManager::App() const {
    return m_shell->App();
}

CStr CGameManager::GetText(int textId) const {
    if (textId < 1 || !m_languageRead || m_language.Has(textId))
        return m_language.Get(textId);
    {
        std::lock_guard<std::mutex> lock(m_missingTextMutex);
        if (m_missingTexts.insert(textId).second)
            QuorelLog("[CGameManager::GetText] the language file has no text %d", textId);
    }
    return CStr::Formatted("[%d]", textId);
}

bool CGameManager::CreateScreens(const GameOptions& gameOptions) {
    if (!m_language.Load(CStr("\\").Concat(gameOptions.langFilePath).GetText()))
        QuorelLog("[CGameManager::CreateScreens] no language file: texts show their ids");
    m_languageRead = true;
    // The names of the generated world (leagues, countries, mails) come in a file of their own.
    if (!m_language.LoadAppend("\\guifiles\\lang_data_en.txt"))
        QuorelLog("[CGameManager::CreateScreens] no world texts: names of leagues stay empty");
    m_session.Open(gameOptions);
    return true;
}

void CGameManager::CreateRegisteredScreens() {
    for (const ScreenRow& row : ScreenRegistry())
        if (row.make && !Screen(row.role))
            SetScreen(row.role, row.make(*this));
}

void CGameManager::SetScreen(ScreenRole role, std::unique_ptr<CGameScreen> screen) {
    m_screens[static_cast<size_t>(role)] = std::move(screen);
}

std::vector<ScreenRole> CGameManager::MessageOrder() const {
    std::vector<const ScreenRow*> rows;
    const bool match = m_session.matchMode != 0;
    for (const ScreenRow& row : ScreenRegistry()) {
        if ((match ? row.matchOrder : row.messageOrder) < 0)
            continue;
        // In a match only the view's own match screen listens.
        if (match && row.role == (m_session.view3D ? ScreenRole::MatchCentre : ScreenRole::MatchHud))
            continue;
        rows.push_back(&row);
    }
    std::stable_sort(rows.begin(), rows.end(), [match](const ScreenRow* a, const ScreenRow* b) {
        return match ? a->matchOrder < b->matchOrder : a->messageOrder < b->messageOrder;
    });
    std::vector<ScreenRole> order;
    // While the tactics window is open over a match it sees messages first; the match screen still
    // gets whatever it leaves.
    if (match && tacticsWindow)
        order.push_back(ScreenRole::Tactics);
    for (const ScreenRow* row : rows)
        if (!(match && tacticsWindow && row->role == ScreenRole::Tactics))
            order.push_back(row->role);
    return order;
}

void CGameManager::OnMessage(GuiMessage& message) {
    for (ScreenRole role : MessageOrder()) {
        if (message.sID == -1 && message.cID == -1)
            return;
        if (CGameScreen* screen = Screen(role))
            screen->OnMessage(message);
    }
}

std::vector<std::vector<ScreenRole>> CGameManager::RefreshGroups() const {
    std::vector<std::vector<const ScreenRow*>> rows(3);
    for (const ScreenRow& row : ScreenRegistry()) {
        if (row.refreshGroup < 0 || row.refreshGroup > 2)
            continue;
        if (row.leagueOnly && m_session.tournamentMode)
            continue;
        rows[static_cast<size_t>(row.refreshGroup)].push_back(&row);
    }
    std::vector<std::vector<ScreenRole>> groups(3);
    for (size_t g = 0; g < rows.size(); ++g) {
        std::stable_sort(rows[g].begin(), rows[g].end(), [](const ScreenRow* a, const ScreenRow* b) {
            return a->refreshOrder < b->refreshOrder;
        });
        for (const ScreenRow* row : rows[g])
            groups[g].push_back(row->role);
    }
    return groups;
}

void CGameManager::RefreshAllScreens() {
    if (!m_session.HasOpenCareer())
        return;
    for (const auto& group : RefreshGroups())
        for (ScreenRole role : group)
            if (CGameScreen* screen = Screen(role))
                screen->Refresh();
}

void CGameManager::SetWaitText(const CStr& text) {
    std::lock_guard<std::mutex> lock(m_waitTextMutex);
    m_waitText = text;
}

CStr CGameManager::WaitText() const {
    std::lock_guard<std::mutex> lock(m_waitTextMutex);
    return m_waitText;
}
