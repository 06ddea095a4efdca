// Message queue and screen layers: frame boundaries, screens before actions, purging, window kinds.
#include "GuiTestKit.h"

#include "gui/Grid.h"

#include <thread>

namespace {

class MessageRouting : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        for (int32_t id : {kMenu, kFrame, kInbox, kPopup})
            stack.AddLayer(MakeWindow(id, GuiRect{0, 0, 1024, 768}), false, id == kFrame);
    }
    std::vector<int32_t> ActiveLayers() {
        std::vector<int32_t> ids;
        for (const ScreenLayer& layer : stack.Layers()) {
            if (layer.active)
                ids.push_back(layer.screenId);
        }
        return ids;
    }
    std::vector<int32_t> Order() {
        std::vector<int32_t> ids;
        for (const ScreenLayer& layer : stack.Layers())
            ids.push_back(layer.screenId);
        return ids;
    }
    static constexpr int32_t kMenu = 10001, kFrame = 10039, kInbox = 10215, kPopup = 11222;
    CTestStack stack;
};

TEST_F(MessageRouting, MessagesPostedWhileProcessingWaitForTheNextFrame) {
    stack.screens = [&](GuiMessage& m) {
        if (m.sID == 500)
            stack.PostMessage(501, -1, kMsgClick, 0, 0);
    };
    stack.PostMessage(500, -1, kMsgClick, 0, 0);
    stack.ProcessMessages();
    ASSERT_EQ(stack.seen.size(), 1u);
    ASSERT_EQ(stack.PendingMessages().size(), 1u);
    EXPECT_EQ(stack.PendingMessages()[0].sID, 501);
    stack.ProcessMessages();
    ASSERT_EQ(stack.seen.size(), 2u);
    EXPECT_EQ(stack.seen[1].sID, 501);
    EXPECT_TRUE(stack.PendingMessages().empty());
}

TEST_F(MessageRouting, ScreensSeeMessagesBeforeActionsAndActionsOnlyRunForUnconsumedOnes) {
    stack.AddAction(GuiAction{700, kPopup, kMsgOpenOnTop, 0, 0});
    stack.AddAction(GuiAction{701, kPopup, kMsgOpenOnTop, 0, 0});
    stack.screens = [](GuiMessage& m) {
        if (m.sID == 700)
            m.sID = -1; // this screen handles button 700 itself
    };
    stack.PostMessage(700, -1, kMsgClick, 0, 0);
    stack.ProcessMessages();
    stack.ProcessMessages();
    EXPECT_FALSE(stack.IsLayerActive(kPopup));

    stack.PostMessage(701, -1, kMsgClick, 0, 0);
    stack.ProcessMessages();
    // The action consumed the click and queued its own message {-1, target, kind, source, 0}.
    ASSERT_EQ(stack.PendingMessages().size(), 1u);
    EXPECT_TRUE(SameMessage(stack.PendingMessages()[0], -1, kPopup, kMsgOpenOnTop, 701));
    stack.ProcessMessages();
    EXPECT_TRUE(stack.IsLayerActive(kPopup));
    EXPECT_EQ(Order().back(), kPopup);
}

TEST_F(MessageRouting, ActionsFireOnSelectionsButNotOnOtherKinds) {
    stack.AddAction(GuiAction{702, kInbox, kMsgActivate, 0, 0});
    stack.PostMessage(702, -1, kMsgDoubleClick, 0, 0);
    stack.ProcessMessages();
    stack.ProcessMessages();
    EXPECT_FALSE(stack.IsLayerActive(kInbox));
    stack.PostMessage(702, -1, kMsgSelection, 3, 0);
    stack.ProcessMessages();
    stack.ProcessMessages();
    EXPECT_TRUE(stack.IsLayerActive(kInbox));
}

TEST_F(MessageRouting, HandledAndConsumedMessagesArePurgedAndAClickAtAWindowDoesNothingByItself) {
    stack.PostMessage(11122, 11074, kMsgClick, 0, 0); // a code-posted click aimed at a window
    stack.PostMessage(800, -1, kMsgClick, 0, 0);
    stack.ProcessMessages();
    EXPECT_TRUE(stack.PendingMessages().empty());
    EXPECT_TRUE(ActiveLayers().empty());
}

TEST_F(MessageRouting, WindowMessagesForALayerNotBuiltYetAreOfferedAgainThenDropped) {
    stack.PostMessage(-1, 12000, kMsgOpenOnTop, 0, 0);
    stack.ProcessMessages();
    ASSERT_EQ(stack.PendingMessages().size(), 1u);
    stack.AddLayer(MakeWindow(12000, GuiRect{100, 100, 200, 100}), false, false);
    stack.ProcessMessages();
    EXPECT_TRUE(stack.IsLayerActive(12000));
    EXPECT_TRUE(stack.PendingMessages().empty());

    stack.PostMessage(-1, 12001, kMsgOpenOnTop, 0, 0);
    for (int frame = 0; frame < CScreenStack::kMissingLayerFrames; ++frame)
        stack.ProcessMessages();
    EXPECT_TRUE(stack.PendingMessages().empty());
    EXPECT_EQ(LogLinesWith({"12001", "dropped"}), 1);
}

TEST_F(MessageRouting, WindowKindsRespectKeepLayers) {
    // Menu (kind 4) opens the frame: everything else closes, the keep frame would have stayed.
    stack.PostMessage(-1, kInbox, kMsgActivate, 0, 0);
    stack.ProcessMessages();
    EXPECT_EQ(ActiveLayers(), (std::vector<int32_t>{kInbox}));
    EXPECT_EQ(Order(), (std::vector<int32_t>{kMenu, kFrame, kInbox, kPopup})); // activation keeps order

    stack.PostMessage(-1, kFrame, kMsgOpenMenu, 0, 0);
    stack.ProcessMessages();
    EXPECT_EQ(ActiveLayers(), (std::vector<int32_t>{kFrame}));
    EXPECT_EQ(Order(), (std::vector<int32_t>{kMenu, kFrame, kInbox, kPopup}));

    // The header's mail button: switch to the frame, then the inbox; both stay active.
    stack.PostMessage(-1, kFrame, kMsgSwitchTo, 0, 0);
    stack.PostMessage(-1, kInbox, kMsgSwitchTo, 0, 0);
    stack.ProcessMessages();
    EXPECT_EQ(ActiveLayers(), (std::vector<int32_t>{kFrame, kInbox}));
    EXPECT_EQ(Order().back(), kInbox);

    stack.PostMessage(-1, kPopup, kMsgOpenOnTop, 0, 0);
    stack.ProcessMessages();
    EXPECT_EQ(ActiveLayers(), (std::vector<int32_t>{kFrame, kInbox, kPopup}));

    // Switching to the menu closes the inbox and the popup but not the keep frame.
    stack.PostMessage(-1, kMenu, kMsgSwitchTo, 0, 0);
    stack.ProcessMessages();
    EXPECT_EQ(Order().back(), kMenu);
    EXPECT_EQ(ActiveLayers(), (std::vector<int32_t>{kFrame, kMenu}));

    // Close works on keep layers too (the career reset closes the frames).
    stack.PostMessage(-1, kFrame, kMsgClose, 0, 0);
    stack.ProcessMessages();
    EXPECT_EQ(ActiveLayers(), (std::vector<int32_t>{kMenu}));
}

TEST_F(MessageRouting, ScrollMessagesMoveScrollablesAndLeaveWindowsAlone) {
    CGuiElement* inbox = stack.FindElement(kInbox);
    auto* grid = AddControl<CGuiGridControl>(inbox, 11125, GuiRect{10, 10, 300, 22 + 5 * 20});
    grid->SetColumnCount(1);
    grid->SetRowCount(12);
    stack.PostMessage(-1, 11125, kMsgScrollDown, 0, 0);
    stack.PostMessage(-1, 11125, kMsgScrollDown, 0, 0);
    stack.PostMessage(-1, kInbox, kMsgScrollDown, 0, 0);
    stack.ProcessMessages();
    EXPECT_EQ(grid->ScrollPos(), 2);
    stack.PostMessage(-1, 11125, kMsgScrollStep, 99, 0);
    stack.ProcessMessages();
    EXPECT_EQ(grid->ScrollPos(), 7); // 12 rows, 5 shown
    stack.PostMessage(-1, 11125, kMsgScrollUp, 0, 0);
    stack.ProcessMessages();
    EXPECT_EQ(grid->ScrollPos(), 6);
    EXPECT_TRUE(stack.PendingMessages().empty());
}

TEST_F(MessageRouting, FindElementSearchesInactiveLayersAndBringToTopReorders) {
    AddControl<CGuiWindow>(stack.FindElement(kPopup), 11223, GuiRect{0, 0, 10, 10});
    EXPECT_NE(stack.FindElement(11223), nullptr);
    EXPECT_EQ(stack.FindElement(424242), nullptr);
    stack.BringToTop(kMenu);
    EXPECT_EQ(Order(), (std::vector<int32_t>{kFrame, kInbox, kPopup, kMenu}));
    stack.BringToTop(555); // unknown: nothing moves
    EXPECT_EQ(Order().back(), kMenu);
}

TEST_F(MessageRouting, PostingFromWorkerThreadsLosesNothing) {
    int delivered = 0;
    stack.screens = [&](GuiMessage& m) {
        if (m.MSG == kMsgClick && m.sID >= 0) {
            ++delivered;
            m.sID = -1;
        }
    };
    constexpr int kThreads = 4, kEach = 500;
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t)
        workers.emplace_back([t] {
            for (int i = 0; i < kEach; ++i)
                PostGuiMessage(t * kEach + i, -1, kMsgClick, 0, 0);
        });
    while (delivered < kThreads * kEach / 2)
        stack.ProcessMessages();
    for (std::thread& w : workers)
        w.join();
    stack.ProcessMessages();
    EXPECT_EQ(delivered, kThreads * kEach);
}

} // namespace

namespace {

TEST_F(GuiTest, OnlyActiveLayersDrawBottomToTopWithOpenListsAndTooltipsLast) {
    CTestStack stack;
    CGuiElement* lower = stack.AddLayer(MakeWindow(1, GuiRect{0, 0, 1024, 768}), true, false);
    CGuiElement* upper = stack.AddLayer(MakeWindow(2, GuiRect{100, 100, 300, 300}), false, false);
    static_cast<CGuiWindow*>(lower)->SetCaption("lower");
    static_cast<CGuiWindow*>(lower)->SetCaptionBar(true);
    static_cast<CGuiWindow*>(upper)->SetCaption("upper");
    static_cast<CGuiWindow*>(upper)->SetCaptionBar(true);
    lower->SetTooltip("tip");
    stack.Draw(backend, 0);
    EXPECT_EQ(backend.texts, (std::vector<std::string>{"lower"}));
    stack.PostMessage(-1, 2, kMsgOpenOnTop, 0, 0);
    stack.ProcessMessages();
    stack.DispatchInput(Mouse(GuiInputKind::MouseMove, 600, 600, 0));
    backend.texts.clear();
    stack.Draw(backend, 5000);
    EXPECT_EQ(backend.texts, (std::vector<std::string>{"lower", "upper", "tip"}));
    stack.BringToTop(1);
    backend.texts.clear();
    stack.Draw(backend, 5000);
    EXPECT_EQ(backend.texts, (std::vector<std::string>{"upper", "lower", "tip"}));
}

} // namespace
