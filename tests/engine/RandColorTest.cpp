// The generator's sequence and rolls, and the colour word byte order.
#include "engine/Color.h"
#include "engine/GameRand.h"

#include <gtest/gtest.h>

TEST(GameRandom, SeedOneGivesTheClassicSequence) {
    GameSrand(1);
    EXPECT_EQ(GameRand(), 41);
    EXPECT_EQ(GameRand(), 18467);
    EXPECT_EQ(GameRand(), 6334);
    EXPECT_EQ(GameRand(), 26500);
    EXPECT_EQ(GameRand(), 19169);
    GameSrand(1);
    EXPECT_EQ(GameRand(), 41);
}

TEST(GameRandom, RollsStayInRangeAndOnlyTheTopValueRollsTwenty) {
    GameSrand(12345);
    int seenTwenty = 0;
    for (int i = 0; i < 200000; ++i) {
        int roll = Roll20();
        ASSERT_GE(roll, 0);
        ASSERT_LE(roll, 20);
        seenTwenty += roll == 20;
    }
    // 20 needs the single value 32767: about 6 in 200000 draws.
    EXPECT_LT(seenTwenty, 40);
    int heads = 0;
    for (int i = 0; i < 10000; ++i)
        heads += CoinFlip();
    EXPECT_GT(heads, 4000);
    EXPECT_LT(heads, 6000);
}

TEST(ColorWords, AlphaIsTheLowestByte) {
    EXPECT_EQ(PackColor(1, 2, 3, 4), 0x04030201u);
    EXPECT_EQ(ColorFromWord(kColorRed), (ColorRGBA{255, 0, 0, 255}));
    EXPECT_EQ(ColorFromWord(kColorYellow), (ColorRGBA{255, 255, 0, 255}));
    EXPECT_EQ(ColorFromWord(kColorOrange), (ColorRGBA{255, 128, 0, 255}));
    EXPECT_EQ(ColorFromWord(0xFFFFFF80u), (ColorRGBA{255, 255, 255, 128}));
    EXPECT_EQ(ColorWord(255, 128, 0), kColorOrange);
}
