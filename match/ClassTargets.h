// The basketball each league class plays, a side and a match: the figures both the flat court and the
// quick results are tuned to and tested against, so that a club reads alike whichever engine played it.
// The flat court at a new career's defaults is the reference: each of its figures sits inside the
// bands (content/ini/README.md, "The targets"), so the quick results follow it.
#pragma once

struct ClassTargets {
    double points;
    double fieldGoalsTaken; // twos, dunks and threes
    double fieldGoalPercent;
    double threesTaken;
    double freeThrowsTaken;
    double fouls;
    double steals;
    double turnovers; // as the records book them
    double blocks;
    double leadingScorer; // a club's leading scorer's points a match over a season
};

inline constexpr ClassTargets kClassTargets[3] = {
    // pts, FGA, FG%, 3PA, FTA, fouls, steals, TO, blocks, leading scorer
    {96.0, 73.5, 46.5, 26.0, 22.5, 20.8, 7.2, 14.8, 4.6, 25.5},
    {93.0, 70.0, 47.0, 26.0, 23.0, 20.8, 7.4, 12.2, 4.3, 21.5},
    {89.5, 66.0, 46.5, 26.5, 22.0, 20.3, 7.1, 10.7, 4.8, 21.0},
};

// How far an engine's class figure may lie from its target: a tenth either way.
inline constexpr double kClassTargetTolerance = 0.10;

inline bool NearClassTarget(double figure, double target) {
    return figure >= target * (1.0 - kClassTargetTolerance) &&
           figure <= target * (1.0 + kClassTargetTolerance);
}
