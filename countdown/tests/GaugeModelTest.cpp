#include "Errors.h"
#include "GaugeModel.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(GaugeModel, StartsFullOverZeroToHundred)
{
    GaugeModel g;
    EXPECT_EQ(g.minValue(), 0);
    EXPECT_EQ(g.maxValue(), 100);
    EXPECT_EQ(g.progress(), 100);
    EXPECT_EQ(g.percentDone(), 100);
}

TEST(GaugeModel, ProgressIsHeldWithinTheRange)
{
    GaugeModel g;
    g.setMaxValue(30);
    EXPECT_EQ(g.progress(), 30); // lowered with the maximum
    EXPECT_FALSE(g.setProgress(31));
    EXPECT_EQ(g.progress(), 30);
    EXPECT_TRUE(g.setProgress(-4));
    EXPECT_EQ(g.progress(), 0);
    EXPECT_TRUE(g.setProgress(12));
    EXPECT_EQ(g.percentDone(), 40);
    // Raising the maximum keeps the progress.
    g.setMaxValue(60);
    EXPECT_EQ(g.progress(), 12);
    EXPECT_EQ(g.percentDone(), 20);
}

TEST(GaugeModel, AMaximumBelowTheMinimumIsRefusedAndChangesNothing)
{
    GaugeModel g;
    g.setMaxValue(45);
    g.setProgress(20);
    try {
        g.setMaxValue(-1);
        ADD_FAILURE() << "accepted";
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "1 から 2147483647 の間の値でなければなりません");
    }
    EXPECT_EQ(g.maxValue(), 45);
    EXPECT_EQ(g.progress(), 20);
}

TEST(GaugeModel, AnEmptyRangeShowsNothing)
{
    GaugeModel g;
    EXPECT_TRUE(g.setMaxValue(0));
    EXPECT_EQ(g.progress(), 0);
    EXPECT_EQ(g.percentDone(), 0);
}

TEST(GaugeModel, PercentageIsCutTowardsZeroUpToTheLargestValue)
{
    struct Case {
        std::int32_t max, progress;
        int percent;
    };
    const Case cases[] = {
        {3, 1, 33},
        {3, 2, 66},
        {7, 6, 85},
        {2147483647, 2147483647, 100},
        {2147483647, 2147483646, 99},
        {2147483647, 21474837, 1},
        {2147483647, 21474836, 0},
        {2147483647, 1, 0},
        {1, 1, 100},
    };
    for (const Case& c : cases) {
        GaugeModel g;
        g.setMaxValue(c.max);
        g.setProgress(c.progress);
        EXPECT_EQ(g.percentDone(), c.percent) << c.max << " " << c.progress;
    }
}

} // namespace
} // namespace kestrova
