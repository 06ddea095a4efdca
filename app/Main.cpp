// Fastbreak's entry point. No command line or environment is read.
#include "app/GameApp.h"
#include "app/GameManager.h"
#include "engine/Log.h"
#include "engine/MessageBox.h"

int main() {
    // The application first: the game manager answers the screens with its flags.
    auto* app = new CGameApp();
    g_pGameManager = new CGameManager(app);
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
