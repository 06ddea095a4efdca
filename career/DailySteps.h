// The career's daily steps in the one order a day runs them: the training of the day being left,
// the morning's steps (sponsors, opinions, mails, injuries, money), then, once the day's matches are
// played, the evening's (gossip, mood mail, stadium works, fun-shop deliveries). Each step decides
// for itself whether it has anything to do; the table only says when it runs and in which modes.
#pragma once

#include "career/MoneySteps.h"

#include <span>

class CFixtureList;

enum class DayPhase : int {
    BeforeMatches, // after the date moved on, before the day's fixtures
    AfterMatches,  // after the day's fixtures, the user's included
};

struct DailyStepInput {
    CareerDay day;                          // today, the databases, the ledger, the texts
    GameDate dayLeft;                       // the day the date moved on from
    const CFixtureList* fixtures = nullptr; // the season's schedule; null without one
    bool tournament = false;
};

struct DailyStep {
    const char* name;
    DayPhase phase;
    bool leagueOnly; // a tournament day runs only the steps without it
    void (*run)(const DailyStepInput& input);
};

// Every step, in the order a day runs them.
std::span<const DailyStep> DailySteps();
// Runs the steps of one phase, in table order, that the mode allows.
void RunDailySteps(DayPhase phase, const DailyStepInput& input);
