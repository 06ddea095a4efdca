// CStr behaviours that callers rely on, including the quirks they were written against.
#include "engine/Str.h"

#include <gtest/gtest.h>
#include <string>

TEST(StrSubstrings, RightGivesOneMoreThanAsked) {
    CStr text("Basketball");
    EXPECT_STREQ(text.Right(3).GetText(), "ball");
    EXPECT_STREQ(text.Right(0).GetText(), "l");
    EXPECT_STREQ(text.Right(50).GetText(), "Basketball");
    EXPECT_TRUE(text.Right(-1).IsEmpty());
    EXPECT_TRUE(CStr().Right(2).IsEmpty());
}

TEST(StrSubstrings, LeftAndMidClampToTheText) {
    CStr text("Fastbreak");
    EXPECT_STREQ(text.Left(4).GetText(), "Fast");
    EXPECT_STREQ(text.Left(99).GetText(), "Fastbreak");
    EXPECT_TRUE(text.Left(-3).IsEmpty());
    EXPECT_STREQ(text.Mid(4).GetText(), "break");
    EXPECT_STREQ(text.Mid(4, 2).GetText(), "br");
    EXPECT_STREQ(text.Mid(7, 10).GetText(), "ak");
    EXPECT_TRUE(text.Mid(20, 2).IsEmpty());
}

TEST(StrSearch, FindCharIsOneBasedAndFindIsZeroBased) {
    CStr text("12-34-56");
    EXPECT_EQ(text.FindChar('1'), 1);
    EXPECT_EQ(text.FindChar('-'), 3);
    EXPECT_EQ(text.FindChar('x'), -1);
    EXPECT_EQ(text.Find("-"), 2);
    EXPECT_EQ(text.Find("-", 3), 5);
    EXPECT_EQ(text.Find("-", 6), -1);
    EXPECT_EQ(text.Find("-", 100), -1);
    EXPECT_EQ(text.Find("zz"), -1);
}

TEST(StrSearch, CharAtIsZeroOutsideTheText) {
    CStr text("ab");
    EXPECT_EQ(text.CharAt(0), 'a');
    EXPECT_EQ(text.CharAt(1), 'b');
    EXPECT_EQ(text.CharAt(2), 0);
    EXPECT_EQ(text.CharAt(-1), 0);
}

TEST(StrCompare, EqualsIsCaseSensitiveAndConcatLeavesOperands) {
    CStr a("Home"), b("home");
    EXPECT_FALSE(a.Equals(b));
    EXPECT_TRUE(a.NotEquals(b));
    EXPECT_TRUE(a.Equals("Home"));
    CStr joined = a.Concat(" - ").Concat(b);
    EXPECT_STREQ(joined.GetText(), "Home - home");
    EXPECT_STREQ(a.GetText(), "Home");
    EXPECT_TRUE(CStr().Equals(""));
    EXPECT_TRUE(CStr(nullptr).IsEmpty());
}

TEST(StrSplit, KeepsOrderAndEmptyPieces) {
    auto pieces = CStr("1,22,,4").Split(',');
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_STREQ(pieces[0].GetText(), "1");
    EXPECT_STREQ(pieces[1].GetText(), "22");
    EXPECT_TRUE(pieces[2].IsEmpty());
    EXPECT_STREQ(pieces[3].GetText(), "4");
    EXPECT_TRUE(CStr().Split(',').empty());
    EXPECT_EQ(CStr("abc").Split(',').size(), 1u);
}

TEST(StrSplit, NewlineSeparatorDropsCarriageReturns) {
    auto lines = CStr("first\r\nsecond\nthird\r\n").Split('\n');
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_STREQ(lines[0].GetText(), "first");
    EXPECT_STREQ(lines[1].GetText(), "second");
    EXPECT_STREQ(lines[2].GetText(), "third");
    // A lone CR is not a line break.
    auto lone = CStr("a\rb").Split('\n');
    ASSERT_EQ(lone.size(), 1u);
    EXPECT_STREQ(lone[0].GetText(), "a\rb");
}

TEST(StrReplace, ReplaceAllHandlesAdjacentSelfContainingAndEmpty) {
    CStr mail("XX1 paid XX2 to XX1XX1");
    mail.ReplaceAll("XX1", "Bolt");
    EXPECT_STREQ(mail.GetText(), "Bolt paid XX2 to BoltBolt");
    CStr grow("aaa");
    grow.ReplaceAll("a", "aa"); // replacements are not scanned again
    EXPECT_STREQ(grow.GetText(), "aaaaaa");
    CStr erase("x-y-z");
    erase.ReplaceAll("-", "");
    EXPECT_STREQ(erase.GetText(), "xyz");
    CStr untouched("abc");
    untouched.ReplaceAll("", "q");
    EXPECT_STREQ(untouched.GetText(), "abc");
    CStr lines("one\\ntwo");
    lines.ReplaceAll("\\n", "\n");
    EXPECT_STREQ(lines.GetText(), "one\ntwo");
    lines.ReplaceChar('\n', ' ');
    EXPECT_STREQ(lines.GetText(), "one two");
}

TEST(StrConvert, ToIntReadsTheLeadingNumberOnly) {
    EXPECT_EQ(CStr("12ab").ToInt(), 12);
    EXPECT_EQ(CStr("$12").ToInt(), 0);
    EXPECT_EQ(CStr("  -7").ToInt(), -7);
    EXPECT_EQ(CStr("").ToInt(), 0);
    EXPECT_EQ(CStr("99999999999999").ToInt(), 2147483647);
}

TEST(StrTrim, RemovesTheSetAtBothEndsOnly) {
    CStr text("__a_b__");
    text.Trim("_");
    EXPECT_STREQ(text.GetText(), "a_b");
    CStr blank("   ");
    EXPECT_TRUE(blank.Trim().IsEmpty());
}

TEST(StrFormat, FormatsTheGameUsesAndCutsAt2000Bytes) {
    EXPECT_STREQ(CStr::Formatted("%.2d%s%.2d%s%d", 1, ".", 8, ".", 2007).GetText(), "01.08.2007");
    EXPECT_STREQ(CStr::Formatted("%.2d:%.2d", 5, 7).GetText(), "05:07");
    EXPECT_STREQ(CStr::Formatted("%.2f%%", 45.678).GetText(), "45.68%");
    EXPECT_STREQ(CStr::Formatted("%.d", 0).GetText(), "");
    EXPECT_STREQ(CStr::Formatted("%d. %s (%s)", 3, "Kovac", "PG").GetText(), "3. Kovac (PG)");

    std::string longText(5000, 'x');
    CStr cut;
    cut.Format("%s!", longText.c_str());
    EXPECT_EQ(cut.Length(), 1999u);
    EXPECT_EQ(cut.CharAt(1998), 'x');
}
