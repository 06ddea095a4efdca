// The application object: start-up, the main loop, the intro, loading, wait and busy screens.
#include "app/GameApp.h"

#include "app/ContentChecks.h"
#include "app/GameManager.h"
#include "app/Shell.h"
#include "career/Options.h"
#include "engine/BuiltinFont.h"
#include "engine/Color.h"
#include "engine/Device.h"
#include "engine/Font.h"
#include "engine/Lights.h"
#include "engine/Log.h"
#include "engine/MessageBox.h"
#include "engine/Music.h"
#include "engine/Paths.h"
#include "engine/Sound.h"
#include "engine/Timer.h"
#include "engine/Xml.h"
#include "gui/Backend.h"
#include "gui/EngineBackend.h"
#include "gui/LayoutLoader.h"
#include "screens/match/MatchDayScreen.h"
#include "screens/match/MatchHud.h"

#include <algorithm>
#include <string>

CGameApp* g_pGameApp = nullptr;

void SetProgressStep(int steps) {
    if (g_pGameApp)
        g_pGameApp->SetProgressStep(steps);
}

namespace {

constexpr uint32_t kFirstLogoMs = 7000;
constexpr uint32_t kOtherLogoMs = 3000;
constexpr int kLoadingStages = 6;
const char* const kGuiDefinesPath = "\\guifiles\\guidefines.h";
const char* const kGuiLayoutPath = "\\guifiles\\GuiXML.xml";
constexpr int kTextOptionsUnreadable = 100473; // names the options file where "XYFILE" stands

} // namespace

CGameApp::CGameApp() {
    g_pGameApp = this;
    baseFolder = GetWorkingDir();
}

CGameApp::~CGameApp() {
    // Workers run screen and controller code: they finish before anything they use goes.
    m_loader.Join();
    m_worker.Join();
    delete g_pGameManager;
    g_pGameManager = nullptr;
    for (CRenderTexture& logo : m_logos)
        logo.Release();
    m_waitImage.Release();
    m_progressBack.Release();
    m_progressFront.Release();
    m_cursor.Release();
    m_cursorBusy.Release();
    SetGuiBackend(nullptr);
    m_guiBackend.reset();
    ShutdownEngine();
    if (g_pGameApp == this)
        g_pGameApp = nullptr;
}

bool CGameApp::Init() {
    for (int i = 0; i < 6; ++i)
        m_logos[i].Load(CStr::Formatted("\\images\\intro\\logo%d.png", i + 1));
    m_waitImage.Load("\\images\\wait.png");
    m_progressBack.Load("\\images\\progress_bg.png");
    m_progressFront.Load("\\images\\progress_fg.png");
    m_cursor.Load("\\images\\cursor.png");
    m_cursorBusy.Load("\\images\\cursor_busy.png");
    if (g_pQuorelDevice) {
        m_font = g_pQuorelDevice->GetFont("Arial", 18, kFontWeightNormal);
        m_titleFont = g_pQuorelDevice->GetFont("Arial", 28, kFontWeightBold);
        // Without a font every screen would be blank: better to say so and stop.
        CStr problem = FontProblem(m_font, m_titleFont);
        if (!problem.IsEmpty())
            SetStartupError("Fastbreak", problem, 1);
    }
    m_guiBackend = std::make_unique<CGuiEngineBackend>();
    SetGuiBackend(m_guiBackend.get());
    RegisterSounds();
    if (g_pQuorelLights && g_pQuorelLights->Count() == 0)
        g_pQuorelLights->SetDefault();
    return true;
}

void CGameApp::RegisterSounds() {
    if (!g_pQuorelSound)
        return;
    // "\sounds\sounds.txt": one tag per line: TAG file voices looping(0/1).
    std::string text;
    if (!ReadWholeFile("\\sounds\\sounds.txt", text)) {
        QuorelLog("[CGameApp::RegisterSounds] \\sounds\\sounds.txt missing: the game runs silent");
        return;
    }
    for (const CStr& rawLine : CStr(text).Split('\n')) {
        CStr line = rawLine;
        line.Trim();
        if (line.IsEmpty() || line.CharAt(0) == '#')
            continue;
        std::vector<CStr> words;
        for (const CStr& word : line.Split(' '))
            if (!word.IsEmpty())
                words.push_back(word);
        if (words.size() < 4) {
            QuorelLog("[CGameApp::RegisterSounds] bad line: %s", line.GetText());
            continue;
        }
        g_pQuorelSound->Register(words[0].GetText(), words[1].GetText(), std::max(1, words[2].ToInt()),
                                 words[3].ToInt() != 0);
    }
}

void CGameApp::FinishIntro() {
    if (!m_introFinished.exchange(true))
        StartLoadingThread();
}

void CGameApp::StartLoadingThread() {
    if (m_loadingStarted)
        return;
    m_loadingStarted = true;
    m_loader.Start([this] { LoadGame(); });
}

void CGameApp::LoadGame() {
    SetProgressStep(kLoadingStages);
    const int xmlFailures = XmlNode::OpenFailures();
    if (!g_pGameManager)
        g_pGameManager = new CGameManager(this);
    CGameManager& gm = *g_pGameManager;
    gm.loadingProgress = 0;

    bool optionsUnreadable = false;
    GameOptions options = LoadOptions(kOptionsPath, &optionsUnreadable);
    gm.loadingProgress = 1;
    if (!m_tooltips.Load(CStr("\\").Concat(options.tooltipFile).GetText()))
        QuorelLog("[CGameApp::LoadGame] no tooltip file: tooltips stay empty");
    gm.loadingProgress = 2;

    CGuiLayoutLoader loader(gm);
    loader.SetTooltipSource([this](int32_t id) { return GetTooltip(id); });
    // Without the element names or the layout no screen can be built: a black window would follow.
    auto missing = [this](const char* gamePath, const char* what) {
        SetStartupError(
            "Fastbreak",
            CStr::Formatted("The file %s is missing, so the game has no %s. It looked for it at %s. "
                            "Reinstall the game to bring the file back.",
                            gamePath + 1, what, ResolvePath(gamePath).GetText()),
            1);
    };
    const bool definesRead = loader.ReadDefines(kGuiDefinesPath);
    if (!definesRead) {
        QuorelLog("[CGameApp::LoadGame] no GUI define file");
        if (!FileExists(kGuiDefinesPath))
            missing(kGuiDefinesPath, "names for its screen elements");
    }
    gm.loadingProgress = 3;
    if (!loader.LoadLayout(kGuiLayoutPath)) {
        QuorelLog("[CGameApp::LoadGame] no GUI layout file");
        if (!FileExists(kGuiLayoutPath))
            missing(kGuiLayoutPath, "screen layouts");
    } else if (definesRead) {
        // Files that read but lack what the screens stand on would leave a black or empty window.
        CStr problem = LayoutProblem(gm, loader, kGuiDefinesPath, kGuiLayoutPath);
        if (!problem.IsEmpty())
            SetStartupError("Fastbreak", problem, 1);
    }
    // A hint gone or garbled would show a blank box or stray marks over the control it explains.
    CStr tooltipProblem = TooltipProblem(m_tooltips, CStr("\\").Concat(options.tooltipFile).GetText());
    if (!tooltipProblem.IsEmpty())
        SetStartupError("Fastbreak", tooltipProblem, 1);
    gm.loadingProgress = 4;

    if (g_pQuorelMusic) {
        g_pQuorelMusic->SetVolume(options.musicVolume);
        g_pQuorelMusic->SetEnabled(options.enableMusic);
        if (options.enableMusic)
            g_pQuorelMusic->SwitchTrack(kMenuTracks[0]);
    }
    if (g_pQuorelSound) {
        g_pQuorelSound->SetVolume(options.effectVolume);
        g_pQuorelSound->SetMuted(!options.enableEffect);
    }
    gm.loadingProgress = 5;

    gm.CreateScreens(options);
    // A world data file that does not read leaves a career without clubs: the file is named.
    CStr worldProblem;
    const std::vector<int32_t> worldTexts = GameWorldTextIds(gm.Session().worldDB, &worldProblem);
    if (!worldProblem.IsEmpty())
        SetStartupError("Fastbreak", worldProblem, 1);
    CStr languageProblem =
        LanguageProblem(gm.Language(), CStr("\\").Concat(options.langFilePath).GetText(), worldTexts);
    if (!languageProblem.IsEmpty())
        SetStartupError("Fastbreak", languageProblem, 1);
    gm.CreateRegisteredScreens();
    // The game plays on with its default options; the player hears why his own are gone.
    if (optionsUnreadable) {
        CStr notice = gm.GetText(kTextOptionsUnreadable);
        // The file as the player finds it in the game's folder, with the system's separators.
        CStr file(kOptionsPath + 1);
        file.ReplaceChar('\\', '/');
        notice.ReplaceAll("XYFILE", file);
        gm.Context().ShowMessage(notice);
    }
    // A content file that cannot be read or parsed leaves the game without a screen or a rule it
    // needs: its text is shown and the game ends, as a broken installation should.
    CStr fileProblem = XmlFileProblem(xmlFailures);
    if (!fileProblem.IsEmpty())
        SetStartupError("XML Parsing error", fileProblem, 255);
    gm.loadingProgress = 6;
    m_loaded = true;
}

CStr CGameApp::FontProblem(const CQuorelFont* font, const CQuorelFont* titleFont) {
    for (const CQuorelFont* f : {font, titleFont}) {
        if (f && f->IsValid() && !f->DrawsGlyphs())
            return CStr::Formatted("The font file %s draws no letters (it may be damaged or cut short), so "
                                   "the game cannot show any text. Reinstall the package that holds it, "
                                   "or install fonts-liberation, then start the game again.",
                                   f->FilePath().GetText());
        if (f && f->IsValid())
            continue;
        CStr tried =
            f && !f->FilePath().IsEmpty()
                ? CStr::Formatted(" (the file it found, %s, could not be opened)", f->FilePath().GetText())
                : CStr(" (fontconfig found no font file at all)");
        return CStr("No usable font was found, so the game cannot show any text. It looked for Liberation "
                    "Sans and then any sans face through fontconfig")
            .Concat(tried)
            .Concat(". Install the Debian package fonts-liberation, then start the game again.");
    }
    return CStr();
}

void CGameApp::SetStartupError(const char* title, const CStr& text, int exitCode) {
    if (!m_startupError.IsEmpty())
        return; // the first failure is the one to mend
    m_startupTitle = title;
    m_startupError = text;
    m_startupExitCode = exitCode;
}

void CGameApp::ShowStartupError() {
    if (m_startupErrorShown || m_startupError.IsEmpty() || !m_loaded)
        return;
    m_startupErrorShown = true;
    QuorelLog("[CGameApp] %s", m_startupError.GetText());
    const bool shown = ShowMessageBox(m_startupTitle.GetText(), m_startupError.GetText());
    m_exitCode = m_startupExitCode;
    // Where the system cannot show a box (no dialog helper), the game's window says it instead:
    // the player would otherwise see the window vanish without a word.
    if (!shown && g_pQuorelDevice && g_pQuorelDevice->IsReady()) {
        QuorelLog(
            "[CGameApp] no message box could be shown: the game's window says it until a key is pressed");
        m_startupErrorInWindow = true;
        return;
    }
    m_quitLoop = true;
}

void CGameApp::DrawStartupError() {
    g_pQuorelDevice->Clear(ColorWord(16, 24, 38));
    g_pQuorelDevice->BeginScene();
    QuorelRect box = QuorelRect::FromSize(62, 120, 900, 528);
    FillRect2D(box, ColorWord(16, 22, 36, 255));
    DrawRectOutline2D(box, ColorWord(240, 120, 30), 2);
    // The error may be the font itself: then the game's own letters draw it.
    auto usable = [](CQuorelFont* font) { return font && font->IsValid() && font->DrawsGlyphs(); };
    const CStr prompt("Press any key to close the game.");
    if (usable(m_font)) {
        CQuorelFont* title = usable(m_titleFont) ? m_titleFont : m_font;
        title->DrawText(m_startupTitle, QuorelRect::FromSize(box.left + 24, box.top + 20, 852, 40),
                        kDtLeft | kDtVCenter, ColorWord(240, 170, 90));
        m_font->DrawText(m_startupError, QuorelRect::FromSize(box.left + 24, box.top + 80, 852, 360),
                         kDtLeft | kDtWordBreak, 0xFFFFFFFF);
        m_font->DrawText(prompt, QuorelRect::FromSize(box.left + 24, box.top + 470, 852, 32),
                         kDtLeft | kDtVCenter, ColorWord(160, 170, 190));
    } else {
        DrawBuiltinText(m_startupTitle.Std(), box.left + 24, box.top + 24, 852, 3, ColorWord(240, 170, 90));
        DrawBuiltinText(m_startupError.Std(), box.left + 24, box.top + 80, 852, 2, 0xFFFFFFFF);
        DrawBuiltinText(prompt.Std(), box.left + 24, box.top + 470, 852, 2, ColorWord(160, 170, 190));
    }
    g_pQuorelDevice->EndScene();
    g_pQuorelDevice->Present();
}

FrameFlags CGameApp::CurrentFrameFlags() const {
    FrameFlags flags;
    flags.introFinished = m_introFinished;
    flags.loaded = m_loaded;
    if (g_pGameManager && flags.loaded) {
        flags.newCareerWait = g_pGameManager->newCareerWait != 0;
        flags.oneDayWait = g_pGameManager->oneDayWait != 0;
        flags.wait3D = g_pGameManager->wait3D != 0;
        flags.view3D = g_pGameManager->Session().view3D != 0;
    }
    flags.matchRunning = matchRunning != 0;
    return flags;
}

void CGameApp::SetBusyResult(const BusyResult& result) {
    std::lock_guard<std::mutex> lock(m_busyMutex);
    m_busyResult = result;
    newResult = 1;
}

BusyResult CGameApp::GetBusyResult() const {
    std::lock_guard<std::mutex> lock(m_busyMutex);
    return m_busyResult;
}

void CGameApp::HandleEvent(const QuorelEvent& event) {
    if (m_startupErrorInWindow) {
        if (event.type == QuorelEventType::Quit || event.type == QuorelEventType::KeyDown)
            m_quitLoop = true;
        return;
    }
    switch (event.type) {
    case QuorelEventType::Quit:
        m_quitLoop = true;
        return;
    case QuorelEventType::KeyDown:
        if (!m_introFinished && (event.key == kKeyEscape || event.key == kKeySpace)) {
            FinishIntro();
            return;
        }
        break;
    case QuorelEventType::MouseMove:
        m_mouseX = event.x;
        m_mouseY = event.y;
        break;
    default:
        break;
    }
    // The GUI takes input only when it is what the player sees.
    if (!g_pGameManager || !m_loaded || WorkerRunning() || busy)
        return;
    FrameView view = ChooseFrameView(CurrentFrameFlags());
    if (view == FrameView::Wait || view == FrameView::Loading || view == FrameView::Intro)
        return;

    GuiInput input;
    input.x = event.x;
    input.y = event.y;
    input.timeMs = GetTickCountMs();
    switch (event.type) {
    case QuorelEventType::MouseMove:
        input.kind = GuiInputKind::MouseMove;
        break;
    case QuorelEventType::MouseDown:
    case QuorelEventType::MouseUp:
        input.kind =
            event.type == QuorelEventType::MouseDown ? GuiInputKind::MouseDown : GuiInputKind::MouseUp;
        input.button = event.button == 1   ? GuiMouseButton::Left
                       : event.button == 3 ? GuiMouseButton::Right
                                           : GuiMouseButton::Middle;
        input.clicks = event.clicks;
        break;
    case QuorelEventType::MouseWheel:
        input.kind = GuiInputKind::Wheel;
        input.x = m_mouseX;
        input.y = m_mouseY;
        input.wheel = event.wheel;
        break;
    case QuorelEventType::KeyDown:
        input.kind = GuiInputKind::Key;
        input.key = event.key;
        break;
    case QuorelEventType::TextInput:
        input.kind = GuiInputKind::Text;
        input.text = CStr(event.text);
        break;
    default:
        return;
    }
    g_pGameManager->DispatchInput(input);
}

int CGameApp::Run() {
    m_introStart = GetTickCountMs();
    while (!m_quitLoop && !QuitRequested()) {
        uint64_t frameStart = HighResCounter();
        QuorelEvent event;
        while (PollEvent(event))
            HandleEvent(event);
        if (m_quitLoop || QuitRequested())
            break;
        if (stop || !IsActive()) {
            SleepMs(20);
            continue;
        }
        FrameTick();
        // About 62 frames a second; the frame step assumes that rate.
        double elapsedMs = static_cast<double>(HighResCounter() - frameStart) * 1000.0 / HighResFrequency();
        if (elapsedMs < 16.0)
            SleepMs(static_cast<uint32_t>(16.0 - elapsedMs));
    }
    return m_exitCode;
}

void CGameApp::FrameTick() {
    ShowStartupError();
    if (m_quitLoop)
        return;
    if (m_startupErrorInWindow) {
        DrawStartupError();
        return;
    }
    if (g_pGameManager && m_loaded && !WorkerRunning())
        g_pGameManager->ProcessMessages();
    double now = static_cast<double>(HighResCounter()) / HighResFrequency();
    float base = m_timer.Tick(now);
    m_dt = MatchFrameStep(base, matchPaused != 0, fastMode != 0);
    Frame(m_dt);
}

void CGameApp::Frame(float dt) {
    if (!g_pQuorelDevice || !g_pQuorelDevice->IsReady())
        return;
    uint32_t now = GetTickCountMs();
    g_pQuorelDevice->Clear(0x000000FF);
    g_pQuorelDevice->BeginScene();

    FrameFlags flags = CurrentFrameFlags();
    switch (ChooseFrameView(flags)) {
    case FrameView::Intro:
        DrawIntro();
        break;
    case FrameView::Loading: {
        int done = g_pGameManager ? g_pGameManager->loadingProgress.load() : 0;
        DrawLoading("Loading ...", static_cast<float>(done) / m_progressStep);
        break;
    }
    case FrameView::Wait: {
        CGameManager& gm = *g_pGameManager;
        int steps = std::max(1, m_progressStep.load());
        DrawLoading(gm.WaitText(), std::min(1.0f, static_cast<float>(gm.loadingProgress) / steps));
        break;
    }
    case FrameView::Match3D:
        // While the day run is still on its worker the match waits behind the busy panel.
        if (!busy) {
            // The display owns the match clock: it steps before the view is drawn.
            if (auto* hud = g_pGameManager
                                ? dynamic_cast<CMatchHud*>(g_pGameManager->Screen(ScreenRole::MatchHud))
                                : nullptr)
                hud->FrameStep();
            if (drawMatch3D) {
                drawMatch3D(dt);
                break;
            }
        }
        [[fallthrough]];
    case FrameView::Match2D:
        // The match centre drives the flat-court match a few ticks a frame; it draws as a window.
        if (!flags.view3D && !busy)
            if (auto* centre = g_pGameManager ? dynamic_cast<CMatchDayScreen*>(
                                                    g_pGameManager->Screen(ScreenRole::MatchCentre))
                                              : nullptr)
                centre->FrameStep();
        if (!flags.view3D && drawMatch2D) {
            drawMatch2D(dt);
            break;
        }
        [[fallthrough]];
    case FrameView::Gui:
        // During a day run the worker may change windows, so only the busy panel is drawn.
        if (busy) {
            m_waitImage.Draw(0, 0, 1024, 768);
            DrawBusyPanel();
        } else {
            g_pGameManager->Draw(GuiBackend(), now);
        }
        break;
    }
    DrawCursor();
    g_pQuorelDevice->EndScene();
    g_pQuorelDevice->Present();
}

void CGameApp::DrawIntro() {
    uint32_t now = GetTickCountMs();
    uint32_t length = m_introIndex == 0 ? kFirstLogoMs : kOtherLogoMs;
    if (now - m_introStart >= length) {
        ++m_introIndex;
        m_introStart = now;
        if (m_introIndex >= 6) {
            FinishIntro();
            DrawLoading("Loading ...", 0.0f);
            return;
        }
    }
    m_logos[m_introIndex].Draw(0, 0, 1024, 768);
}

void CGameApp::DrawLoading(const CStr& caption, float progress) {
    m_waitImage.Draw(0, 0, 1024, 768);
    if (m_titleFont)
        m_titleFont->DrawText(caption, QuorelRect::FromSize(0, 560, 1024, 40), kDtCenter | kDtVCenter,
                              0xFFFFFFFF);
    int x = (1024 - 400) / 2, y = 620;
    m_progressBack.Draw(x, y, 400, 24);
    int filled = static_cast<int>(400 * std::clamp(progress, 0.0f, 1.0f));
    if (filled > 0)
        m_progressFront.DrawRegion(QuorelRect(0, 0, filled, 24), x, y, filled, 24);
}

void CGameApp::DrawBusyPanel() {
    QuorelRect box = QuorelRect::FromSize(312, 330, 400, 108);
    FillRect2D(box, ColorWord(16, 22, 36, 235));
    DrawRectOutline2D(box, ColorWord(240, 120, 30), 2);
    if (!m_font)
        return;
    BusyResult r = GetBusyResult();
    m_font->DrawText(r.league, QuorelRect::FromSize(box.left, box.top + 12, 400, 24), kDtCenter | kDtVCenter,
                     ColorWord(240, 170, 90));
    CStr line =
        r.home.Concat(" ").Concat(r.homeScore).Concat(" - ").Concat(r.awayScore).Concat(" ").Concat(r.away);
    m_font->DrawText(line, QuorelRect::FromSize(box.left, box.top + 44, 400, 24), kDtCenter | kDtVCenter,
                     0xFFFFFFFF);
    CStr date = g_pGameManager ? g_pGameManager->WaitText() : CStr();
    m_font->DrawText(date, QuorelRect::FromSize(box.left, box.top + 74, 400, 22), kDtCenter | kDtVCenter,
                     ColorWord(160, 170, 190));
}

void CGameApp::DrawCursor() {
    if (!m_introFinished)
        return;
    bool waiting = busy || WorkerRunning() || !m_loaded;
    (waiting ? m_cursorBusy : m_cursor).Draw(m_mouseX, m_mouseY);
}
