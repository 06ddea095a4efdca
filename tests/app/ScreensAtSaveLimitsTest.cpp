// The screens over a career whose saved figures stand at the integer limits, one column at a time:
// every screen refreshes on what loaded without a wrapped sum (the sanitizers watch), or the career
// was refused with a reason.
#include "app/GameManager.h"
#include "career/SaveLimitsWalk.h"
#include "engine/GameFolder.h"
#include "gui/LayoutLoader.h"

class ScreensAtSaveLimits : public GameFolderTest {};

TEST_F(ScreensAtSaveLimits, EveryScreenRefreshesOnACareerLoadedAtTheLimits) {
    if (savelimits::kSkipUnderThreadSanitizer)
        GTEST_SKIP() << "one thread: nothing for the thread sanitizer to watch";
    CGameManager gm;
    CGuiLayoutLoader loader(gm);
    ASSERT_TRUE(loader.Load());
    ASSERT_TRUE(gm.CreateScreens(GameOptions()));
    savelimits::SaveLimitsWalk walk(gm.Session(), m_dir);
    int refreshed = 0;
    walk.afterLoad = [&] {
        gm.RefreshAllScreens();
        ++refreshed;
    };
    walk.SaveCareerInPlay();
    walk.WalkCareerTables();
    walk.WalkWorldTables();
    EXPECT_GT(refreshed, 100);
}
