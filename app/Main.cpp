// Fastbreak's entry point. No command line or environment is read.
#include "app/GameApp.h"
#include "app/GameManager.h"
#include "engine/Log.h"
#include "engine/MessageBox.h"

int main() {
    // The top objects in their order: the game manager first, the application last.
    g_pGameManager = new CGameManager();
    auto* app = new CGameApp();
    app->StartEngine(true);
    if (!app->CreateDevice(1024, 768, 32)) {
        ShowMessageBox("Fastbreak", "The game window could not be opened: an OpenGL 3.3 display is needed.");
        delete app;
        return 1;
    }
    app->SetWindowTitle("Fastbreak");
    app->ShowSystemCursor(false);
    app->Init();
    app->ShowWindow();
    int exitCode = app->Run();
    delete app;
    return exitCode;
}
