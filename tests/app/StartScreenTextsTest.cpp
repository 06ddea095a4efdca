// What the start screens and the career frame say, read through the game manager as the player
// reads it: every sentence comes from the language file (a missing text would show as "[id]"), and
// a name or a folder put into a sentence is shown as it is, whatever it holds.
#include "app/Shell.h"
#include "engine/GameFolder.h"
#include "match3d/MatchTeam.h"
#include "screens/FormatFigures.h"
#include "screens/match/TacticsScreen.h"
#include "screens/start/CareerFrameScreen.h"
#include "screens/start/NewCareerScreen.h"
#include "screens/start/OptionsScreen.h"
#include "screens/start/ProfilesScreen.h"

#include "GameKit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

class StartScreenTexts : public GameFolderTest {};

namespace {

// A text from the language file: the fallback for a missing one and the marks a value replaces
// must not reach the player.
void ExpectWords(const CStr& text, const char* where) {
    EXPECT_FALSE(text.IsEmpty()) << where;
    EXPECT_EQ(text.Find("["), -1) << where << ": " << text.GetText();
    EXPECT_EQ(text.Find("XY"), -1) << where << ": " << text.GetText();
}

// A message box's text as one line: the box breaks it to its width.
std::string Unwrapped(const CStr& text) {
    CStr line = text;
    line.ReplaceChar('\n', ' ');
    return line.Std();
}

// The game booted with its screens made and the new-career screen listing the league's clubs; null
// when it does not boot.
CNewCareerScreen* OpenNewCareer(gamekit::Game& game) {
    if (!game.Boot())
        return nullptr;
    game.gm.CreateRegisteredScreens();
    auto* screen = dynamic_cast<CNewCareerScreen*>(game.gm.Screen(ScreenRole::NewCareer));
    if (screen != nullptr)
        screen->FillClubs(kDataSetLeague);
    return screen;
}

} // namespace

TEST_F(StartScreenTexts, TheNewCareerScreenGuidesThePlayer) {
    gamekit::Game game;
    CNewCareerScreen* screen = OpenNewCareer(game);
    ASSERT_NE(screen, nullptr);
    EXPECT_STREQ(game.TextOf(ID_NC_INFO).GetText(), "Pick a club from the list.");
    game.Click(ID_NC_START);
    EXPECT_STREQ(game.TextOf(ID_NC_ERROR).GetText(), "Choose a club first.");

    // The first club picked: its card names the figures in words.
    CGuiElement* clubs = game.gm.FindElement(ID_NC_CLUBS);
    ASSERT_NE(clubs, nullptr);
    clubs->SetSelectedRow(0, false);
    game.gm.ProcessMessages();
    ASSERT_GE(screen->chosenClubId, 0);
    const CTeam* club = game.Session().worldDB->FindTeam(screen->chosenClubId);
    ASSERT_NE(club, nullptr);
    const CStr card = game.TextOf(ID_NC_INFO);
    ExpectWords(card, "the club's card");
    EXPECT_NE(card.Find("\nCash: $"), -1) << card.GetText();
    EXPECT_NE(card.Find(CStr::Formatted("\nSquad: %d players, rating %d\n",
                                        static_cast<int>(club->players.size()), SquadRating(*club))),
              -1)
        << card.GetText();
    if (club->stadium) {
        // The seats grouped by thousands, as every large count reads.
        EXPECT_NE(card.Find(CStr("Arena seats: ") + GroupedCount(club->stadium->capacity) + "\n"), -1)
            << card.GetText();
    }

    game.gm.FindElement(ID_NC_NAME)->SetText(CStr("  "));
    game.Click(ID_NC_START);
    EXPECT_STREQ(game.TextOf(ID_NC_ERROR).GetText(), "Enter your name as manager.");
    // Control characters typed or pasted are no name either.
    game.gm.FindElement(ID_NC_NAME)->SetText(CStr("\x1b\t \x07\x7f"));
    game.gm.FindElement(ID_NC_ERROR)->SetText(CStr());
    game.Click(ID_NC_START);
    EXPECT_STREQ(game.TextOf(ID_NC_ERROR).GetText(), "Enter your name as manager.");
}

// A name the careers list cannot keep as typed ("a|b|c" is saved as "a b c") is put back into the box
// as it will be saved and the player told before a career is made of it; the next click starts the
// career under that name, which the frame and the saved list then show alike.
TEST_F(StartScreenTexts, ANameTheGameCleansIsShownAsItWillBeSavedBeforeTheCareerStarts) {
    gamekit::Game game;
    CNewCareerScreen* screen = OpenNewCareer(game);
    ASSERT_NE(screen, nullptr);
    game.gm.FindElement(ID_NC_CLUBS)->SetSelectedRow(0, false);
    game.gm.ProcessMessages();
    ASSERT_GE(screen->chosenClubId, 0);
    game.gm.FindElement(ID_NC_NAME)->SetText(CStr("a|b|c"));
    game.Click(ID_NC_START, 2);
    EXPECT_FALSE(game.gm.ShellServices().WorkerRunning());
    EXPECT_FALSE(game.Session().HasOpenCareer());
    EXPECT_STREQ(game.TextOf(ID_NC_NAME).GetText(), "a b c");
    EXPECT_TRUE(game.gm.IsLayerActive(ID_MESSAGE));
    EXPECT_EQ(
        Unwrapped(game.TextOf(ID_MSG_TEXT)),
        "Your name will be saved as \"a b c\": a line break, a tab or a \"|\" cannot be part of it. Click "
        "Start career again to begin with it, or change it first.");

    game.Click(ID_NC_START);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (game.gm.ShellServices().WorkerRunning() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(game.Session().HasOpenCareer());
    EXPECT_STREQ(game.Session().careerDB->profiles.At(0)->managerName.GetText(), "a b c");
    // A name typed clean starts at the first click, as before.
    EXPECT_STREQ(CleanManagerName(CStr("Ann Lee")).GetText(), "Ann Lee");
}

// A name from a hand-edited careers list, thousands of letters long and holding control
// characters, is shown cut and clean in the list and in the delete question.
TEST_F(StartScreenTexts, ALongOrControlCharacterNameIsShownCutAndClean) {
    const std::string manager(5000, 'W');
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::BeforeCareer, GameOptions(), {.manager = manager.c_str()}));
    CCareerSession& session = game.Session();
    ASSERT_TRUE(session.SaveCurrentCareer());
    session.LeaveCareer();
    namespace fs = std::filesystem;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(m_dir / "data/profiles"))
        if (entry.path().filename() == "profilelist.dat") {
            std::ifstream in(entry.path(), std::ios::binary);
            std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            in.close();
            text.replace(text.rfind("|WWW") + 1, 3, "W\x1b[2J\x07"); // the name, after the folder
            std::ofstream(entry.path(), std::ios::binary | std::ios::trunc) << text;
        }
    auto* screen = dynamic_cast<CProfilesScreen*>(game.gm.Screen(ScreenRole::Profiles));
    ASSERT_NE(screen, nullptr);
    screen->FillCareers();
    CGuiElement* grid = game.gm.FindElement(ID_PR_GRID);
    ASSERT_NE(grid, nullptr);
    ASSERT_NE(grid->FindCell(0, 0), nullptr);
    const std::string shown = grid->FindCell(0, 0)->text.Std();
    EXPECT_EQ(shown, "W[2J" + std::string(kShownNameLength - 4, 'W') + "...");
    game.Click(ID_PR_DELETE);
    EXPECT_EQ(Unwrapped(game.TextOf(ID_CD_TEXT)), "Delete the career of " + shown + " for good?");
}

// Choosing the competition already shown keeps the club picked in it; another one starts afresh.
TEST_F(StartScreenTexts, TheSameCompetitionChosenAgainKeepsTheClub) {
    gamekit::Game game;
    CNewCareerScreen* screen = OpenNewCareer(game);
    ASSERT_NE(screen, nullptr);
    CGuiElement* clubs = game.gm.FindElement(ID_NC_CLUBS);
    CGuiElement* combo = game.gm.FindElement(ID_NC_DATASET);
    ASSERT_NE(clubs, nullptr);
    ASSERT_NE(combo, nullptr);
    clubs->SetSelectedRow(2, false);
    game.gm.ProcessMessages();
    const int32_t club = screen->chosenClubId;
    ASSERT_GE(club, 0);
    const CStr card = game.TextOf(ID_NC_INFO);
    int league = -1;
    int other = -1;
    for (int i = 0; i < combo->GetItemCount(); ++i)
        (combo->GetItemData(i) == kDataSetLeague ? league : other) = i;
    ASSERT_GE(league, 0);
    game.gm.PostMessage(ID_NC_DATASET, -1, kMsgSelection, league, 0);
    game.gm.ProcessMessages();
    EXPECT_EQ(screen->chosenClubId, club);
    EXPECT_EQ(clubs->GetSelectedRow(), 2);
    EXPECT_STREQ(game.TextOf(ID_NC_INFO).GetText(), card.GetText());
    ASSERT_GE(other, 0);
    game.gm.PostMessage(ID_NC_DATASET, -1, kMsgSelection, other, 0);
    game.gm.ProcessMessages();
    EXPECT_EQ(screen->chosenClubId, -1);
}

TEST_F(StartScreenTexts, TheOptionsOfferTheVolumesInWords) {
    gamekit::Game game;
    ASSERT_TRUE(game.Boot());
    game.gm.CreateRegisteredScreens();
    auto* screen = dynamic_cast<COptionsScreen*>(game.gm.Screen(ScreenRole::Options));
    ASSERT_NE(screen, nullptr);
    screen->Show();
    CGuiElement* combo = game.gm.FindElement(ID_OP_MUSICVOL);
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->GetItemCount(), 11);
    EXPECT_STREQ(combo->GetItemText(0).GetText(), "Volume 0%");
    EXPECT_STREQ(combo->GetItemText(10).GetText(), "Volume 100%");
}

// Escape takes the player from the options and from the saved careers back to the main menu, as
// Back does.
TEST_F(StartScreenTexts, EscapeLeavesTheOptionsForTheMainMenu) {
    gamekit::Game game;
    ASSERT_TRUE(game.Boot());
    game.gm.CreateRegisteredScreens();
    game.gm.PostMessage(-1, ID_MAINMENU, kMsgSwitchTo, 0, 0);
    game.gm.ProcessMessages();
    game.Click(ID_MM_OPTIONS, 2);
    ASSERT_TRUE(game.gm.IsLayerActive(ID_OPTIONS));
    GuiInput escape;
    escape.kind = GuiInputKind::Key;
    escape.key = kGuiKeyEscape;
    game.gm.DispatchInput(escape);
    for (int frame = 0; frame < 3; ++frame)
        game.gm.ProcessMessages();
    EXPECT_FALSE(game.gm.IsLayerActive(ID_OPTIONS));
    EXPECT_TRUE(game.gm.IsLayerActive(ID_MAINMENU));

    // The saved careers likewise, by their Back.
    game.Click(ID_MM_LOADCAREER, 2);
    ASSERT_TRUE(game.gm.IsLayerActive(ID_PROFILES));
    game.gm.DispatchInput(escape);
    for (int frame = 0; frame < 3; ++frame)
        game.gm.ProcessMessages();
    EXPECT_FALSE(game.gm.IsLayerActive(ID_PROFILES));
    EXPECT_TRUE(game.gm.IsLayerActive(ID_MAINMENU));
}

// The saved careers' questions and refusals, for a manager whose name looks like format marks and
// like the mark the name replaces.
TEST_F(StartScreenTexts, TheSavedCareersAskAndRefuseInWords) {
    const char* manager = "Ann 100% %s%n XYMANAGER";
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::BeforeCareer, GameOptions(), {.manager = manager}));
    CCareerSession& session = game.Session();
    ASSERT_TRUE(session.SaveCurrentCareer());
    session.LeaveCareer();
    auto* screen = dynamic_cast<CProfilesScreen*>(game.gm.Screen(ScreenRole::Profiles));
    ASSERT_NE(screen, nullptr);
    screen->FillCareers();

    game.Click(ID_PR_DELETE);
    EXPECT_EQ(Unwrapped(game.TextOf(ID_CD_TEXT)),
              std::string("Delete the career of ") + manager + " for good?");

    // A damaged table is named with the cause, not only in the log.
    namespace fs = std::filesystem;
    for (const fs::directory_entry& entry : fs::directory_iterator(m_dir / "data/profiles"))
        if (entry.is_directory()) {
            std::ofstream(entry.path() / "teamlist.dat", std::ios::app) << "x";
            game.Click(ID_PR_LOAD);
            EXPECT_FALSE(session.HasOpenCareer());
            EXPECT_EQ(Unwrapped(game.TextOf(ID_MSG_TEXT)),
                      "This career could not be loaded: the file data/profiles/" +
                          entry.path().filename().string() +
                          "/teamlist.dat is not the one that was saved: it was changed or damaged since.");
        }
    // The career's files are gone: the load is refused with a sentence, not a crash.
    std::string folder;
    for (const fs::directory_entry& entry : fs::directory_iterator(m_dir / "data/profiles"))
        if (entry.is_directory()) {
            folder = entry.path().filename().string();
            fs::remove_all(entry.path());
        }
    game.Click(ID_PR_LOAD);
    EXPECT_FALSE(session.HasOpenCareer());
    EXPECT_EQ(Unwrapped(game.TextOf(ID_MSG_TEXT)),
              "This career could not be loaded: its folder data/profiles/" + folder + " is missing.");
}

TEST_F(StartScreenTexts, EverySaveFailureAndTheFramesLinesAreSentences) {
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::BeforeCareer));
    CCareerSession& session = game.Session();
    const CScreenContext& ctx = game.gm.Context();
    for (CareerSaveFailure reason :
         {CareerSaveFailure::kNone, CareerSaveFailure::kNoPermission, CareerSaveFailure::kNoSpace,
          CareerSaveFailure::kListUnreadable, CareerSaveFailure::kFolderTaken, CareerSaveFailure::kBusy,
          CareerSaveFailure::kFileTooLarge, CareerSaveFailure::kSavedElsewhere, CareerSaveFailure::kOther}) {
        session.lastSaveError.reason = reason;
        const CStr message = SaveFailureMessage(ctx);
        const std::string where = "reason " + std::to_string(static_cast<int>(reason));
        ExpectWords(message, where.c_str());
        EXPECT_EQ(message.Find("The career could not be saved"), 0) << message.GetText();
        EXPECT_STREQ(SaveFailureMessage(ctx, true).GetText(),
                     message.Concat(" The career stays open.").GetText());
    }
    // A file-size limit is not a full disk; a save another copy made is not overwritten.
    session.lastSaveError.reason = CareerSaveFailure::kFileTooLarge;
    EXPECT_EQ(SaveFailureMessage(ctx).Find("disk is full"), -1) << SaveFailureMessage(ctx).GetText();
    EXPECT_NE(SaveFailureMessage(ctx).Find("file-size limit"), -1) << SaveFailureMessage(ctx).GetText();
    session.lastSaveError.reason = CareerSaveFailure::kSavedElsewhere;
    EXPECT_NE(SaveFailureMessage(ctx).Find("another copy of the game saved this career"), -1)
        << SaveFailureMessage(ctx).GetText();
    // Every cause of a refused load is a sentence naming the file where the cause has one.
    for (int reason = static_cast<int>(CareerLoadFailure::kGone);
         reason <= static_cast<int>(CareerLoadFailure::kClubMissing); ++reason) {
        session.lastLoadError.reason = static_cast<CareerLoadFailure>(reason);
        session.lastLoadError.where = "data\\profiles\\A_1\\x.dat";
        const CStr message = LoadFailureMessage(ctx);
        ExpectWords(message, ("load refusal " + std::to_string(reason)).c_str());
        EXPECT_EQ(message.Find("This career could not be loaded: "), 0) << message.GetText();
        if (session.lastLoadError.reason != CareerLoadFailure::kNewer) {
            EXPECT_NE(message.Find("data\\profiles\\A_1"), -1) << message.GetText();
        }
    }
    // The folder is named as it is, even one whose name holds the mark it replaces.
    session.lastSaveError.reason = CareerSaveFailure::kNoPermission;
    session.lastSaveError.where = "\\data\\profiles\\XYFOLDER 50%s";
    EXPECT_NE(SaveFailureMessage(ctx).Find("save folder (data/profiles/XYFOLDER 50%s). Check"), -1)
        << SaveFailureMessage(ctx).GetText();

    game.gm.RefreshAllScreens();
    const CStr leagueLine = game.TextOf(ID_FR_LEAGUE);
    EXPECT_TRUE(leagueLine.Std().ends_with("  -  Manager Tester")) << leagueLine.GetText();
    game.Click(ID_FR_SAVE);
    EXPECT_STREQ(game.TextOf(ID_FR_STATUS).GetText(), "Career saved.");

    ASSERT_TRUE(session.StartNewCareer(kDataSetEuroCup, 4, CStr("Cupper")));
    game.gm.RefreshAllScreens();
    EXPECT_STREQ(game.gm.FindElement(ID_FR_FINANCES)->GetTooltip().GetText(),
                 "Not part of a tournament career");
}

// The tactics window over a 3D match marks a player who cannot go on after his name.
TEST(StartScreenTextsInMatch, AnInjuredOrFouledOutPlayerIsMarkedAfterHisName) {
    CTextTable language;
    ASSERT_TRUE(language.Load("\\guifiles\\lang_en.txt")); // the game folder is the working directory
    CMatchTeam team;
    for (int i = 0; i < 3; ++i) {
        CCourtPlayer player;
        player.playerId = 100 + i;
        player.matchState = kOnCourt;
        std::snprintf(player.name, sizeof(player.name), "Player %d", i);
        team.AddPlayer(player);
    }
    team.GetPlayer(1)->injured = 1;
    team.GetPlayer(2)->personalFouls = 6;
    const std::vector<TacticsRow> rows = RowsOfMatchTeam(team, [&](int id) { return language.Get(id); });
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_STREQ(rows[0].name.GetText(), "Player 0");
    EXPECT_STREQ(rows[1].name.GetText(), "Player 1 (inj)");
    EXPECT_STREQ(rows[2].name.GetText(), "Player 2 (disq)");
}
