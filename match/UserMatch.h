// The user's fixture as the match day hands it to a match engine, and what the engine reports back.
#pragma once

#include "database/GameDate.h"
#include "match/MatchResult.h"

struct CFixture;
struct CTeam;

// How the user's match is shown.
enum class UserMatchView : int {
    Scene3D,     // the 3D view: the scene loader, then the in-match display
    MatchCentre, // the 2D match on the match-centre screen
    Instant,     // the 2D match run to its end at once
};

// The user's tactic pair (offence 0-9, defence 10-19): the career keeps it, the tactics screen
// edits it. A new career starts on the computer's own flat-court pair, the first offence and
// man-to-man: on the first defence (the 1-2-1-1 zone) a new career's side won 43.7 % of its
// same-class matches run at once (36 % in the EuroCup's upper tier), an untouched default a
// handicap against equal clubs.
inline constexpr int kDefaultUserAttack = 0;
inline constexpr int kDefaultUserDefence = 13;
struct UserTactics {
    int attack = kDefaultUserAttack;
    int defence = kDefaultUserDefence;
};

struct UserMatchSetup {
    CFixture* fixture = nullptr;
    CTeam* home = nullptr;
    CTeam* away = nullptr;
    bool userAtHome = false;
    UserMatchView view = UserMatchView::MatchCentre;
    GameDate date;
    bool tournament = false;             // cup sides all play at the cup's level
    int userAttack = kDefaultUserAttack; // the user's tactics; the computer plays offence 0 and defence 13
    int userDefence = kDefaultUserDefence;
};

// Without an engine nobody takes the match; a match that did not reach its end is not a result.
struct UserMatchOutcome {
    bool taken = false;    // an engine has the match (a live view runs it from now on)
    bool finished = false; // the match was played to its end at once: the scores are its result
    int homeScore = -1;
    int awayScore = -1;
    // A match played at once leaves its figures here for the day to record (Complete() then).
    MatchResult result;
};
