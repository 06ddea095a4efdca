// The indicators screen on the shipped layout with a new league career: arrows and percentages
// from the club's opinion row, the panels' lines, and refreshes that only ever show.
#include "screens/info/IndicatorsScreen.h"

#include "career/MatchRecord.h"
#include "database/Careers.h"
#include "database/HiredStaff.h"
#include "engine/Paths.h"
#include "gui/Element.h"
#include "gui/Window.h"
#include "guidefines.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

struct PresentScreen : CGameScreen {};

// A text without its blanks and line breaks: a text box wraps what it is given.
std::string Squash(const CStr& text) {
    std::string out;
    for (const char* p = text.GetText(); *p; ++p)
        if (*p != ' ' && *p != '\n')
            out.push_back(*p);
    return out;
}

bool Shows(const CStr& box, const CStr& line) {
    return Squash(box).find(Squash(line)) != std::string::npos;
}

class IndicatorsScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kit.layoutLoaded);
        ASSERT_TRUE(kit.StartLeagueCareer(0, "Tester"));
        opinion = kit.session.worldDB->opinions.FindByTeam(kit.session.UserClub()->id);
        ASSERT_NE(opinion, nullptr);
        screen = std::make_unique<CIndicatorsScreen>(ctx);
    }
    CGuiElement* Find(int id) { return kit.stack.FindElement(id); }
    void SetRow(int32_t v1, int32_t r1, int32_t v2, int32_t r2, int32_t v3, int32_t r3) {
        opinion->current[0] = v1;
        opinion->previous[0] = r1;
        opinion->current[1] = v2;
        opinion->previous[1] = r2;
        opinion->current[2] = v3;
        opinion->previous[2] = r3;
    }
    CStr Arrow(int id) { return Find(id)->Desc().imagePath; }

    ScreenKit kit;
    CScreenContext ctx = kit.MakeContext();
    CTeamOpinion* opinion = nullptr;
    std::unique_ptr<CIndicatorsScreen> screen;
};

} // namespace

TEST_F(IndicatorsScreenTest, ArrowsAndPercentagesFollowEachValueAgainstItsReference) {
    SetRow(60, 50, 40, 50, 50, 50);
    screen->Refresh();
    EXPECT_STREQ(Arrow(ID_IND_ARROW_1).GetText(), CIndicatorsScreen::kUpArrow);
    EXPECT_STREQ(Arrow(ID_IND_ARROW_2).GetText(), CIndicatorsScreen::kDownArrow);
    EXPECT_FALSE(Find(ID_IND_ARROW_3)->IsVisible()) << "a value that has not moved shows no arrow";
    EXPECT_STREQ(Find(ID_IND_PERCENT_1)->GetText().GetText(), "60%");
    EXPECT_STREQ(Find(ID_IND_PERCENT_2)->GetText().GetText(), "40%");
    // The next day's values turn the arrows round.
    SetRow(55, 60, 45, 40, 49, 50);
    screen->Refresh();
    EXPECT_STREQ(Arrow(ID_IND_ARROW_1).GetText(), CIndicatorsScreen::kDownArrow);
    EXPECT_STREQ(Arrow(ID_IND_ARROW_2).GetText(), CIndicatorsScreen::kUpArrow);
    EXPECT_STREQ(Arrow(ID_IND_ARROW_3).GetText(), CIndicatorsScreen::kDownArrow);
    EXPECT_TRUE(Find(ID_IND_ARROW_1)->IsVisible() && Find(ID_IND_ARROW_3)->IsVisible());
    EXPECT_TRUE(FileExists(CIndicatorsScreen::kUpArrow) && FileExists(CIndicatorsScreen::kDownArrow));
}

// The evening of a heavy home defeat: the screen shows the three values down from the morning's,
// each by its own amount, with the arrows pointing down.
TEST_F(IndicatorsScreenTest, TheEveningOfAHomeDefeatShowsItsFalls) {
    SetRow(50, 50, 50, 50, 50, 50);
    screen->Refresh();
    EXPECT_FALSE(Find(ID_IND_ARROW_1)->IsVisible());
    CTeam* club = kit.session.UserClub();
    CTeam* rival = nullptr;
    for (CTeam* team : kit.session.worldDB->teams)
        if (team->id != club->id && rival == nullptr)
            rival = team;
    ASSERT_NE(rival, nullptr);
    MatchResult result;
    result.home.team = club;
    result.home.user = true;
    result.home.figures.Score() = 80;
    result.away.team = rival;
    result.away.figures.Score() = 108;
    ASSERT_TRUE(RecordMatchResult(result, kit.session.currentDate, nullptr,
                                  MatchRecordTables{kit.session.careerDB, kit.session.worldDB}));
    screen->Refresh();
    EXPECT_STREQ(Find(ID_IND_PERCENT_1)->GetText().GetText(), "47%");
    EXPECT_STREQ(Find(ID_IND_PERCENT_2)->GetText().GetText(), "47%");
    EXPECT_STREQ(Find(ID_IND_PERCENT_3)->GetText().GetText(), "49%");
    for (int arrow : {ID_IND_ARROW_1, ID_IND_ARROW_2, ID_IND_ARROW_3}) {
        EXPECT_TRUE(Find(arrow)->IsVisible());
        EXPECT_STREQ(Arrow(arrow).GetText(), CIndicatorsScreen::kDownArrow);
    }
}

TEST_F(IndicatorsScreenTest, RefreshesOnlyShowEvenWhileTheMoodHasMoved) {
    CStr name;
    if (auto hired = FindHiredStaff(kit.session.careerDB, kStaffPsychologist))
        name = hired->name;
    for (CStaffRecord* m : kit.session.worldDB->staff)
        if (name.IsEmpty() && m->category == kStaffPsychologist && m->clubId < 0)
            if (const CStaffRecord* hired = HireStaffMember(kit.session.worldDB, *kit.session.careerDB, *m))
                name = hired->name;
    ASSERT_FALSE(name.IsEmpty());
    SetRow(70, 60, 30, 55, 20, 20);
    const int mails = kit.session.careerDB->emails.Size();
    screen->Refresh();
    const CStr panel = Find(ID_IND_TEXT_2)->GetText();
    auto* window = static_cast<CGuiWindow*>(Find(ID_INDICATORS));
    const CStr caption = window->GetCaption();
    for (int i = 0; i < 3; ++i)
        screen->Refresh();
    EXPECT_EQ(kit.session.careerDB->emails.Size(), mails) << "a refresh never writes mail";
    EXPECT_EQ(opinion->current[1], 30);
    EXPECT_EQ(opinion->previous[1], 55);
    EXPECT_STREQ(Find(ID_IND_TEXT_2)->GetText().GetText(), panel.GetText());
    EXPECT_STREQ(window->GetCaption().GetText(), caption.GetText());
    // The psychologist heads the mood panel.
    EXPECT_TRUE(Shows(panel, name));
    EXPECT_EQ(std::string(caption.GetText()).rfind(kit.language.Get(300124).GetText(), 0), 0u);
}

TEST_F(IndicatorsScreenTest, WithoutAnOpenCareerOrOpinionRowTheLastFiguresStay) {
    SetRow(70, 60, 30, 55, 20, 20);
    screen->Refresh();
    kit.session.worldDB->opinions.Clear();
    screen->Refresh();
    EXPECT_EQ(screen->Values().value[0], 70) << "a club without a row keeps the figures shown";
    EXPECT_STREQ(Find(ID_IND_PERCENT_1)->GetText().GetText(), "70%");
    kit.session.LeaveCareer();
    Find(ID_IND_PERCENT_1)->SetText(CStr("x"));
    screen->Refresh();
    EXPECT_STREQ(Find(ID_IND_PERCENT_1)->GetText().GetText(), "x");
}

TEST(IndicatorPanels, LinesFollowTheirThresholds) {
    IndicatorFacts facts;
    facts.haveClub = true;
    facts.fanBase = 99999;
    EXPECT_EQ(FanPanelLines(facts), (std::vector<int>{400050, 400052}));
    facts.fanBase = 100000;
    facts.ticketScreen = true;
    facts.physioSkills = {10, 11};
    EXPECT_EQ(FanPanelLines(facts), (std::vector<int>{400051, 400052, 400055, 400057, 400058}));
    facts.bookedPromotions = 1;
    facts.haveClub = false; // no club record: neither the fan base nor the staff line
    EXPECT_EQ(FanPanelLines(facts), (std::vector<int>{400052, 400056}));

    facts.mood = 50;
    EXPECT_EQ(MoodPanelLines(facts), (std::vector<int>{400063}));
    facts.mood = 51;
    facts.stadiumScreen = true;
    facts.haveTrainingHall = true;
    const int hallTexts[4] = {400059, 400060, 400061, 400061};
    for (int level = 0; level < 4; ++level) {
        facts.trainingHallLevel = level;
        EXPECT_EQ(MoodPanelLines(facts), (std::vector<int>{hallTexts[level], 400062})) << level;
    }
    facts.trainingHallLevel = -1;
    EXPECT_EQ(MoodPanelLines(facts), (std::vector<int>{400062}));

    EXPECT_EQ(PressPanelLines(facts), (std::vector<int>{400066}));
    facts.sponsorScreen = true;
    facts.pressOffers = 50;
    EXPECT_EQ(PressPanelLines(facts), (std::vector<int>{400065, 400066}));
    facts.pressOffers = 51;
    EXPECT_EQ(PressPanelLines(facts), (std::vector<int>{400064, 400066}));
}

TEST_F(IndicatorsScreenTest, PanelsReadTheOtherScreensAndTheClub) {
    PresentScreen ticket, sponsor, stadium;
    kit.screens[ScreenRole::Ticket] = &ticket;
    kit.screens[ScreenRole::Sponsor] = &sponsor;
    kit.screens[ScreenRole::StadiumUpgrade] = &stadium;
    SetRow(50, 50, 51, 50, 50, 50);
    screen->Refresh();
    const IndicatorFacts facts = screen->GatherFacts();
    EXPECT_TRUE(facts.haveClub && facts.ticketScreen && facts.sponsorScreen && facts.stadiumScreen);
    EXPECT_EQ(facts.mood, 51);
    EXPECT_EQ(facts.fanBase, kit.session.UserClub()->fanBase);
    EXPECT_TRUE(Shows(Find(ID_IND_TEXT_2)->GetText(), kit.language.Get(400062)));
    EXPECT_TRUE(Shows(Find(ID_IND_TEXT_3)->GetText(), kit.language.Get(400066)));
    EXPECT_TRUE(Shows(Find(ID_IND_TEXT_1)->GetText(), kit.language.Get(400052)));
    for (int id : {ID_IND_TITLE_1, ID_IND_TITLE_2, ID_IND_TITLE_3})
        EXPECT_FALSE(Find(id)->GetText().IsEmpty()) << id;
}

// The arrows are game paths: the game finds them from a working directory of any length.
TEST_F(IndicatorsScreenTest, ArrowsResolveFromAVeryLongWorkingDirectory) {
    namespace fs = std::filesystem;
    const fs::path game = fs::current_path();
    const fs::path top = fs::temp_directory_path() / ("fb-indicators-" + std::to_string(::getpid()));
    fs::path deep = top;
    for (int i = 0; i < 12; ++i)
        deep /= std::string(50, static_cast<char>('a' + i));
    ASSERT_GT(deep.string().size(), 600u);
    fs::create_directories(deep);
    fs::create_directory_symlink(game / "images", deep / "images");
    fs::current_path(deep);
    SetRow(40, 50, 60, 50, 50, 50);
    screen->Refresh();
    const bool found =
        FileExists(Arrow(ID_IND_ARROW_1).GetText()) && FileExists(Arrow(ID_IND_ARROW_2).GetText());
    fs::current_path(game);
    fs::remove_all(top);
    EXPECT_TRUE(found);
}
