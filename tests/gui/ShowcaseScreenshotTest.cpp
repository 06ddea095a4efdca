// The showcase layout drawn on a real (offscreen) device, before and after scripted input. The
// pictures land in the build folder for a look; the checks read back a few telling pixels.
#include "GuiTestKit.h"

#include "engine/Device.h"
#include "gui/ComboBox.h"
#include "gui/EngineBackend.h"
#include "gui/Grid.h"
#include "gui/LayoutLoader.h"
#include "gui/Theme.h"

#include <filesystem>

namespace {

const std::string kData = FB_TEST_DATA_DIR;
const std::string kShots = std::string(FB_GAME_DIR) + "/../gui-screenshots";

// One device for the whole run: closing a GL context unloads the software driver, whose leftovers
// would then show up as leaks of an unknown module.
CQuorelDevice* SharedDevice() {
    static CQuorelDevice* device = nullptr;
    static bool tried = false;
    if (!tried) {
        tried = true;
        device = new CQuorelDevice();
        if (!device->Create(1024, 768, 32)) {
            delete device;
            device = nullptr;
        }
    }
    return device;
}

struct Pixel {
    int r = 0, g = 0, b = 0;
};

class Showcase : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        device = SharedDevice();
        if (!device)
            GTEST_SKIP() << "no GL device here";
        g_pQuorelDevice = device;
        SetGuiBackend(&engine);
        std::filesystem::create_directories(kShots);
        CGuiLayoutLoader loader(stack);
        ASSERT_TRUE(loader.ReadDefines((kData + "/showcase_defines.h").c_str()));
        ASSERT_TRUE(loader.LoadLayout((kData + "/showcase.xml").c_str()));
        FillData();
    }
    void TearDown() override {
        SetGuiBackend(nullptr);
        if (g_pQuorelDevice == device)
            g_pQuorelDevice = nullptr;
        GuiTest::TearDown();
    }
    void FillData() {
        static const char* kNames[] = {"Adams",  "Baker", "Carter", "Dalton", "Evans",  "Fisher", "Grant",
                                       "Hughes", "Irwin", "Jensen", "Keller", "Lopez",  "Moore",  "Nagy",
                                       "Owens",  "Price", "Quinn",  "Reyes",  "Santos", "Turner"};
        static const char* kPositions[] = {"C", "PF", "SF", "PG", "SG"};
        auto* grid = stack.FindElement(13012);
        for (int i = 0; i < 20; ++i) {
            int rating = 55 + (i * 37) % 40;
            grid->AddCell(0, CStr::Formatted("%d", 4 + i), i);
            grid->AddCell(1, CStr::Formatted("%c. %s", 'A' + (i * 7) % 26, kNames[i]), i);
            grid->AddCell(2, kPositions[i % 5], i);
            grid->AddCell(3, CStr::Formatted("%d", 19 + (i * 5) % 16), i);
            grid->AddCell(4, CStr::Formatted("%d", rating), rating);
            grid->SetCellColour(4, i, rating >= 85 ? kColorGreen : rating < 65 ? kColorRed : kColorOrange);
        }
        grid->SetColumnColour(0, ColorWord(140, 150, 165));
        for (int c = 0; c < 5; ++c)
            grid->SetCellColour(c, 3, kColorYellow); // the captain's row
        grid->SetRowCount(20);
        grid->ResetScroll(true);

        auto* events = stack.FindElement(13014);
        static const char* kEvents[] = {"Signed a guard",  "Sponsor offer", "Training camp",
                                        "Cup draw",        "Injury: Baker", "Ticket prices",
                                        "Stadium stage 2", "Board meeting", "Derby tomorrow",
                                        "New scout hired", "Fan day",       "Season review"};
        for (int i = 0; i < 12; ++i) {
            int index = events->AddItem(CStr::Formatted("%02d.08.", 1 + i * 2), i);
            events->SetItemColumnText(index, 1, kEvents[i]);
        }
        events->SetItemColour(4, kColorRed);
        events->UpdateScrollRange();
    }
    void Frame(uint32_t nowMs, const char* name) {
        device->BeginScene();
        device->Clear(ColorWord(8, 10, 14));
        stack.Draw(engine, nowMs);
        device->EndScene();
        device->Flush2D();
        EXPECT_TRUE(device->SaveScreenshot((kShots + "/" + name).c_str()));
        std::vector<uint8_t> rgba;
        ASSERT_TRUE(device->ReadPixels(0, 0, 1024, 768, rgba));
        m_pixels = std::move(rgba);
        device->Present();
    }
    Pixel At(int x, int y) const {
        size_t i = (static_cast<size_t>(y) * 1024 + x) * 4;
        return Pixel{m_pixels[i], m_pixels[i + 1], m_pixels[i + 2]};
    }
    static bool Near(Pixel p, int r, int g, int b, int tolerance = 6) {
        return std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance &&
               std::abs(p.b - b) <= tolerance;
    }
    bool Orangeish(Pixel p) const { return p.r > 80 && p.r > p.g + 25 && p.g > p.b; }

    CQuorelDevice* device = nullptr;
    CGuiEngineBackend engine;
    CTestStack stack;
    std::vector<uint8_t> m_pixels;
};

TEST_F(Showcase, BaseStateAndScriptedInputDrawEveryControl) {
    Frame(1000, "showcase_base.png");
    EXPECT_TRUE(Near(At(32 + 40, 386 + 40), 0x2A, 0x5D, 0x8F)) << "a missing picture draws its fill";
    EXPECT_TRUE(Near(At(5, 12), 36, 58, 88)) << "caption bar";
    EXPECT_FALSE(Near(At(312 + 200, 250 + 12), 36, 58, 88)) << "the popup starts closed";

    // Script: open the popup, pick and scroll squad rows, tick a box, type, force a state, hover a header.
    uint32_t t = 2000;
    Click(stack, 740 + 20, 680 + 10, t);
    stack.ProcessMessages();
    stack.ProcessMessages();
    Wheel(stack, 500, 200, -2);
    Click(stack, 500, 40 + 22 + 2 * 22 + 10, t); // third visible row = row 4
    Click(stack, 40, 40 + 150 + 10, t);          // "Fast simulation"
    Click(stack, 100, 40 + 202 + 10, t);         // the name field
    GuiInput typed;
    typed.kind = GuiInputKind::Text;
    typed.text = " Jr.";
    stack.DispatchInput(typed);
    stack.FindElement(13004)->ForceState(2, true);
    stack.FindElement(13010)->SetProgress(80, 100);
    Wheel(stack, 900, 350, -2); // the news box
    stack.ProcessMessages();
    stack.DispatchInput(Mouse(GuiInputKind::MouseMove, 332 + 36 + 168 + 50 + 50 + 40, 50, t));
    Frame(t + 900, "showcase_input.png");

    EXPECT_EQ(stack.FindElement(13012)->GetSelectedRow(), 4);
    EXPECT_TRUE(Orangeish(At(332 + 300, 40 + 22 + 2 * 22 + 3))) << "selected squad row";
    EXPECT_TRUE(Near(At(312 + 200, 250 + 12), 36, 58, 88)) << "popup caption bar";
    EXPECT_EQ(stack.TooltipText(t + 900), CStr("Overall rating"));
    EXPECT_EQ(stack.FindElement(13008)->GetText(), CStr("J. Doe Jr."));

    // Script: open the league list and hover its third item.
    stack.PostMessage(-1, 13019, kMsgClose, 0, 0);
    stack.ProcessMessages();
    Click(stack, 100, 40 + 258 + 10, t);
    stack.DispatchInput(Mouse(GuiInputKind::MouseMove, 100, 298 + 3 * 26 + 10, t));
    Frame(t + 1000, "showcase_combo.png");
    auto* combo = static_cast<CGuiComboBox*>(stack.FindElement(13009));
    EXPECT_TRUE(combo->IsOpen());
    EXPECT_EQ(combo->GetHoverRow(), 3);
    EXPECT_TRUE(Orangeish(At(250, 298 + 3 * 26 + 4))) << "hovered drop-list row";
}

} // namespace
