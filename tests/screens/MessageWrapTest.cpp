// An amount in a message never breaks over two lines: the currency sign stays with its figure
// wherever the box wraps the text.
#include "career/SeasonRollover.h"
#include "gui/TextBox.h"
#include "guidefines.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

// The summer's bookings as the manager is told them at the new season: however many days and
// whatever their amounts, no line of the message box ends on "$" or starts with the figure it
// belongs to.
TEST(MessageWrap, TheSummerMessageKeepsEachAmountWithItsSign) {
    ScreenKit kit;
    ASSERT_TRUE(kit.layoutLoaded);
    CScreenContext ctx = kit.MakeContext();
    auto* box = dynamic_cast<CGuiTextBox*>(kit.stack.FindElement(ID_MSG_TEXT));
    ASSERT_NE(box, nullptr);
    int amounts = 0;
    int lines = 0;
    std::vector<SkippedDayBooking> booked;
    for (int day = 1; day <= 24; ++day) {
        // Amounts of every width, so the signs fall at every place of a line.
        booked.push_back({GameDate{2008, 7, day}, 7 * day * (day % 5 == 0 ? 10000 : day % 3 == 0 ? 100 : 1)});
        const CStr text = SummerBookingsText(booked, 149700, [&kit](int id) { return kit.language.Get(id); });
        ASSERT_NE(text.Find("$ 149,700"), -1) << text.GetText();
        ctx.ShowMessage(text);
        for (const CStr& line : box->Lines()) {
            const std::string l = line.Std();
            ++lines;
            EXPECT_FALSE(!l.empty() && l.back() == '$') << "day " << day << ": " << l;
            EXPECT_FALSE(l.size() > 1 && l[l.size() - 2] == '$' && l.back() == ' ')
                << "day " << day << ": " << l;
            for (size_t at = l.find('$'); at != std::string::npos; at = l.find('$', at + 1)) {
                ++amounts;
                EXPECT_TRUE(at + 2 < l.size() && l[at + 1] == ' ' &&
                            (std::isdigit(static_cast<unsigned char>(l[at + 2])) || l[at + 2] == '-'))
                    << "day " << day << ": " << l;
            }
        }
    }
    EXPECT_GT(lines, 24 * 2) << "the messages wrap";
    EXPECT_GT(amounts, 24 * 2);
}
