// Every number of every table a career's save holds, at its type's limits: the career loads and
// plays a few days, or is refused with a reason, with a whole manifest, an empty one or none.
#include "GameCopyTest.h"
#include "career/SaveLimitsWalk.h"

#include <string>

using savelimits::SaveLimitsWalk;

class SaveLimits : public GameCopyTest {};

namespace {

// The career's squad, its statistics and its stadium parts: the figures the days and screens work
// on most; the second half takes the rest of the career's files.
bool SquadFile(const std::string& file) {
    return file == "playerlist.dat" || file == "matchstat.dat" || file == "playerstatlist.dat" ||
           file == "stadionwings.dat";
}

} // namespace

TEST_F(SaveLimits, EveryCareerSquadFieldAtItsLimitsLoadsAndPlaysOrIsRefused) {
    if (savelimits::kSkipUnderThreadSanitizer)
        GTEST_SKIP() << "one thread: nothing for the thread sanitizer to watch";
    SaveLimitsWalk walk(*m_session, m_dir);
    walk.walksFile = SquadFile;
    walk.SaveCareerInPlay();
    walk.WalkCareerTables();
    // The walk reached the figures the day runs on, and some columns still load at their limits.
    EXPECT_GE(walk.Columns(), 150);
    EXPECT_GT(walk.Loaded(), 0);
    EXPECT_GT(walk.Refused(), 0);
}

TEST_F(SaveLimits, EveryOtherCareerFieldAtItsLimitsLoadsAndPlaysOrIsRefused) {
    if (savelimits::kSkipUnderThreadSanitizer)
        GTEST_SKIP() << "one thread: nothing for the thread sanitizer to watch";
    SaveLimitsWalk walk(*m_session, m_dir);
    walk.walksFile = [](const std::string& file) { return !SquadFile(file); };
    walk.SaveCareerInPlay();
    walk.WalkCareerTables();
    // Every other career file holds a row (the quiet ones seeded), the header line included.
    EXPECT_GE(walk.Columns(), 200);
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
