// Every number of every table a career's save holds, at its type's limits: the career loads and
// plays a few days, or is refused with a reason, with a whole manifest, an empty one or none.
#include "GameCopyTest.h"
#include "career/SaveLimitsWalk.h"

using savelimits::SaveLimitsWalk;

class SaveLimits : public GameCopyTest {};

TEST_F(SaveLimits, EveryCareerTableFieldAtItsLimitsLoadsAndPlaysOrIsRefused) {
    if (savelimits::kSkipUnderThreadSanitizer)
        GTEST_SKIP() << "one thread: nothing for the thread sanitizer to watch";
    SaveLimitsWalk walk(*m_session, m_dir);
    walk.SaveCareerInPlay();
    walk.WalkCareerTables();
    // The walk reached the figures the day runs on, and some columns still load at their limits.
    EXPECT_GT(walk.Columns(), 250);
    EXPECT_GT(walk.Loaded(), 0);
    EXPECT_GT(walk.Refused(), 0);
}

TEST_F(SaveLimits, EveryWorldTableFieldAtItsLimitsLoadsAndPlaysOrIsRefused) {
    if (savelimits::kSkipUnderThreadSanitizer)
        GTEST_SKIP() << "one thread: nothing for the thread sanitizer to watch";
    SaveLimitsWalk walk(*m_session, m_dir);
    walk.SaveCareerInPlay();
    walk.WalkWorldTables();
    EXPECT_GT(walk.Columns(), 250);
    EXPECT_GT(walk.Loaded(), 0);
    EXPECT_GT(walk.Refused(), 0);
}
