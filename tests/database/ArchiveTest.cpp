// The byte format: values, texts and counts, and how reading treats short or absurd input.
#include "database/Archive.h"
#include "Bytes.h"
#include "database/Tables.h"

#include <gtest/gtest.h>

TEST(DatEncoding, ValuesRoundTripThroughTheirExactBytes) {
    struct Case {
        int32_t number;
        double real;
        std::string text;
    } cases[] = {{0, 0.0, ""},
                 {-1, 60.0, "a"},
                 {INT32_MIN, -1.5e300, std::string(9999, 'x')},
                 {INT32_MAX, 0.1, "\xc3\xa9t\xc3\xa9"}};
    for (const Case& c : cases) {
        CArchive writer = CArchive::ForWriting();
        int32_t number = c.number;
        double real = c.real;
        CStr text(c.text);
        writer.Int(number);
        writer.Double(real);
        writer.Str(text);
        std::string expected = ByteBuilder().I(c.number).D(c.real).S(c.text).Bytes();
        ASSERT_EQ(writer.Bytes(), expected) << c.text.size();

        CArchive reader = CArchive::ForReading(expected);
        int32_t readNumber = 7;
        double readReal = 7.0;
        CStr readText("old");
        reader.Int(readNumber);
        reader.Double(readReal);
        reader.Str(readText);
        EXPECT_FALSE(reader.Failed());
        EXPECT_EQ(readNumber, c.number);
        EXPECT_EQ(readReal, c.real);
        EXPECT_EQ(readText.Std(), c.text);
        EXPECT_EQ(reader.Remaining(), 0u);
    }
}

TEST(DatEncoding, TextLengthIsBoundedBothWays) {
    // Writing cuts an over-long text to what the format allows.
    CArchive writer = CArchive::ForWriting();
    CStr longText(std::string(10000, 'y'));
    writer.Str(longText);
    EXPECT_EQ(writer.Bytes(), ByteBuilder().S(std::string(9999, 'y')).Bytes());

    // Reading refuses a length beyond the limit, or below zero, even when the bytes are there.
    for (int32_t length : {10000, -1, INT32_MIN}) {
        std::string bytes = ByteBuilder().I(length).Bytes() + std::string(10001, 'z');
        CArchive reader = CArchive::ForReading(bytes);
        CStr text;
        reader.Str(text);
        EXPECT_TRUE(reader.Failed()) << length;
        EXPECT_TRUE(text.IsEmpty());
    }
}

TEST(DatEncoding, TablesRefuseShortAbsurdAndNegativeFiles) {
    CLeagueList leagues;
    CStr error;
    std::string one = ByteBuilder().I(1).I(0).I(800000).I(100005).I(0).I(1).I(-1).Bytes();
    ASSERT_TRUE(leagues.ReadBytes(one, error));
    ASSERT_EQ(leagues.Size(), 1);

    const std::string bad[] = {
        ByteBuilder().I(-1).Bytes(),                              // negative count
        ByteBuilder().I(2).I(0).I(1).I(2).I(3).I(4).I(5).Bytes(), // count larger than the data
        ByteBuilder().I(INT32_MAX).Bytes(),                       // absurd count, nothing behind it
        std::string("\x01\x00", 2),                               // count cut short
        one.substr(0, one.size() - 1),                            // last field cut short
        one + "junk",                                             // bytes after the last record
        ByteBuilder().I(0).Bytes() + one.substr(4),               // count short of the records
    };
    for (const std::string& bytes : bad) {
        EXPECT_FALSE(leagues.ReadBytes(bytes, error)) << bytes.size();
        EXPECT_FALSE(error.IsEmpty());
        // A refused file changes nothing.
        ASSERT_EQ(leagues.Size(), 1);
        EXPECT_EQ(leagues.At(0)->nameTextId, 800000);
    }

    // An empty table is four bytes.
    EXPECT_TRUE(leagues.ReadBytes(ByteBuilder().I(0).Bytes(), error));
    EXPECT_EQ(leagues.Size(), 0);
    EXPECT_EQ(leagues.WriteBytes(), ByteBuilder().I(0).Bytes());
}

TEST(DatEncoding, EndOfFileInsideATextFails) {
    CSponsorTable sponsors;
    CStr error;
    std::string full = ByteBuilder().I(1).I(2).I(10).I(2007).I(8).I(12).I(50000).S("Summit Bank").Bytes();
    ASSERT_TRUE(sponsors.ReadBytes(full, error));
    EXPECT_EQ(sponsors.At(0)->name.Std(), "Summit Bank");
    // Cut inside the characters, and just before the closing zero.
    EXPECT_FALSE(sponsors.ReadBytes(full.substr(0, full.size() - 5), error));
    EXPECT_FALSE(sponsors.ReadBytes(full.substr(0, full.size() - 1), error));
}

TEST(DatEncoding, AVisitingArchiveHandsOverEveryNumberInFileOrderAndWritesNothing) {
    struct Seen : CFieldVisitor {
        std::vector<int32_t> ints;
        std::vector<double> reals;
        void Int(int32_t& value) override {
            ints.push_back(value);
            value += 1000;
        }
        void Double(double& value) override { reals.push_back(value); }
    } seen;
    CPlayer player;
    player.id = 7;
    player.birthYear = 1980;
    player.name = "Name";
    player.words[kWordWage] = 5000;
    player.overall = 61.5;
    player.shoeTexture = 3;
    CArchive ar = CArchive::ForVisiting(seen);
    player.Serialize(ar);
    EXPECT_FALSE(ar.IsReading());
    EXPECT_TRUE(ar.Bytes().empty());
    // 8 numbers before the block of 64 words, 4 after it and 4 after the overall; the texts are skipped.
    ASSERT_EQ(seen.ints.size(), 8u + kPlayerWords + 4u + 4u);
    EXPECT_EQ(seen.ints[0], 7);
    EXPECT_EQ(seen.ints[3], 1980);
    EXPECT_EQ(seen.ints[8 + kWordWage], 5000);
    EXPECT_EQ(seen.ints.back(), 3);
    ASSERT_EQ(seen.reals.size(), 1u);
    EXPECT_EQ(seen.reals[0], 61.5);
    // The visitor holds the record's own fields.
    EXPECT_EQ(player.id, 1007);
    EXPECT_EQ(player.words[kWordWage], 6000);
    EXPECT_EQ(player.name, CStr("Name"));
}
