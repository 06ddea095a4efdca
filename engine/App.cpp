// CQuorelApp: engine start-up and teardown in their fixed orders, the window, its events.
#include "engine/App.h"

#include "engine/Camera.h"
#include "engine/Device.h"
#include "engine/Frustum.h"
#include "engine/Lights.h"
#include "engine/Log.h"
#include "engine/Music.h"
#include "engine/Sound.h"
#include "engine/TextureManager.h"
#include "engine/VideoHolder.h"
#include "platform/Window.h"

CQuorelApp* g_pQuorelApp = nullptr;

CQuorelApp::CQuorelApp() {
    if (!g_pQuorelApp)
        g_pQuorelApp = this;
}

CQuorelApp::~CQuorelApp() {
    ShutdownEngine();
    if (g_pQuorelApp == this)
        g_pQuorelApp = nullptr;
}

bool CQuorelApp::StartEngine(bool withInput) {
    if (m_started)
        return true;
    m_started = true;
    g_pQuorelDevice = new CQuorelDevice();
    g_pQuorelTextureManager = new CQuorelTextureManager();
    g_pQuorelCamera = new CQuorelCamera();
    g_pQuorelLights = new CQuorelLights();
    g_pQuorelFrustum = new CQuorelFrustum();
    if (withInput)
        g_pQuorelInput = new CQuorelInput();
    // Without an audio device these stay null and the game runs silent.
    g_pQuorelMusic = CQuorelMusic::Create();
    g_pQuorelSound = CQuorelSound::Create();
    g_pQuorelVideo = new CQuorelVideoHolder();
    if (!g_pQuorelLog)
        g_pQuorelLog = new CQuorelLog();
    return true;
}

bool CQuorelApp::CreateDevice(int width, int height, int bitsPerPixel) {
    if (!g_pQuorelDevice)
        return false;
    return g_pQuorelDevice->Create(width, height, bitsPerPixel);
}

template <typename T> static void DeleteSingleton(T*& pointer) {
    T* doomed = pointer;
    pointer = nullptr;
    delete doomed;
}

void CQuorelApp::ShutdownEngine() {
    if (!m_started)
        return;
    m_started = false;
    // The device goes first; objects it made that outlive it find no context and free nothing.
    {
        CQuorelDevice* device = g_pQuorelDevice;
        delete device;
        g_pQuorelDevice = nullptr;
    }
    DeleteSingleton(g_pQuorelTextureManager);
    DeleteSingleton(g_pQuorelCamera);
    DeleteSingleton(g_pQuorelLights);
    DeleteSingleton(g_pQuorelFrustum);
    DeleteSingleton(g_pQuorelInput);
    DeleteSingleton(g_pQuorelMusic);
    DeleteSingleton(g_pQuorelSound);
    DeleteSingleton(g_pQuorelVideo);
    DeleteSingleton(g_pQuorelLog); // writes "\log.txt"
}

void CQuorelApp::SetWindowTitle(const char* title) {
    PlatformSetWindowTitle(title);
}

void CQuorelApp::ShowWindow() {
    PlatformShowWindow();
}

void CQuorelApp::ShowSystemCursor(bool show) {
    PlatformShowCursor(show);
}

bool CQuorelApp::PollEvent(QuorelEvent& event) {
    if (!PlatformPollEvent(event))
        return false;
    if (event.type == QuorelEventType::Quit)
        m_quit = true;
    else if (event.type == QuorelEventType::FocusLost)
        m_active = false;
    else if (event.type == QuorelEventType::FocusGained)
        m_active = true;
    if (g_pQuorelInput)
        g_pQuorelInput->OnEvent(event);
    return true;
}
