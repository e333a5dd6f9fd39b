#include "FakeWindow.h"

#include "Errors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrova::testing {
namespace {

TEST(CountdownEngine, WindowCreationShowsTheFieldInLimeWithAFullBar)
{
    FakeWindow window;
    FakeTicks ticks;
    CountdownEngine engine(window, ticks);
    engine.FormCreate();
    EXPECT_EQ(window.label, "30");
    EXPECT_EQ(window.labelColor, clLime);
    EXPECT_EQ(window.bar.percentDone(), 100);
    const CountdownState& s = engine.state();
    EXPECT_FALSE(s.Running);
    EXPECT_EQ(s.Remaining, 0);
    EXPECT_EQ(s.TickPeriod, 200);
    EXPECT_EQ(s.TickCount, 0u);
    EXPECT_EQ(s.TimerId, 0u);
    EXPECT_TRUE(ticks.calls.empty());
}

struct Expect {
    int tick; // ticks since the press
    std::string label;
    Color color;
    std::int32_t progress;
};

void runAndCheck(const std::string& field, const std::vector<Expect>& table)
{
    Rig rig;
    rig.edit(field);
    rig.engine.BitBtn1Click();
    ASSERT_TRUE(rig.engine.state().Running);
    int at = 0;
    for (const Expect& e : table) {
        rig.ticks.fire(e.tick - at);
        at = e.tick;
        SCOPED_TRACE("field " + field + ", tick " + std::to_string(e.tick));
        EXPECT_EQ(rig.window.label, e.label);
        EXPECT_EQ(rig.window.labelColor, e.color);
        EXPECT_EQ(rig.window.barColor, e.color);
        EXPECT_EQ(rig.window.bar.progress(), e.progress);
    }
}

TEST(CountdownEngine, RunOfTwelveFollowsTheCycleTable)
{
    Rig rig;
    rig.edit("12");
    rig.engine.BitBtn1Click();
    // Until the first tick the label still shows the field's text in lime.
    EXPECT_EQ(rig.window.label, "12");
    EXPECT_EQ(rig.window.labelColor, clLime);
    EXPECT_EQ(rig.window.bar.percentDone(), 100);

    runAndCheck("12", {
                          {1, "12", clLime, 12},
                          {5, "11", clLime, 11},
                          {10, "10", clYellow, 10},
                          {30, "6", clYellow, 6},
                          {35, "5", clRed, 5},
                          {55, "1", clRed, 1},
                          {59, "1", clRed, 1},
                          {60, "12", clLime, 12},
                          {65, "11", clLime, 11},
                          {70, "10", clYellow, 10},
                      });
}

TEST(CountdownEngine, RunsOfThirtyElevenTenAndFive)
{
    runAndCheck("30", {
                          {4, "30", clLime, 30},
                          {5, "29", clLime, 29},
                          {100, "10", clYellow, 10},
                          {125, "5", clRed, 5},
                          {145, "1", clRed, 1},
                          {150, "30", clLime, 30},
                          {155, "29", clLime, 29},
                          {300, "30", clLime, 30},
                      });
    runAndCheck("11", {{1, "11", clLime, 11}, {4, "11", clLime, 11}, {5, "10", clYellow, 10}});
    runAndCheck("10", {{1, "10", clYellow, 10}, {20, "6", clYellow, 6}, {25, "5", clRed, 5}});
    runAndCheck("5", {{1, "5", clRed, 5}, {25, "5", clLime, 5}, {26, "5", clRed, 5}});
}

TEST(CountdownEngine, RunOfOneIsRedWithOneLimeTickAtEveryReload)
{
    Rig rig;
    rig.edit("1");
    rig.engine.BitBtn1Click();
    for (int tick = 1; tick <= 50; ++tick) {
        rig.ticks.fire();
        SCOPED_TRACE("tick " + std::to_string(tick));
        EXPECT_EQ(rig.window.label, "1");
        EXPECT_EQ(rig.window.labelColor, tick % 5 == 0 ? clLime : clRed);
        EXPECT_EQ(rig.window.bar.percentDone(), 100);
    }
}

TEST(CountdownEngine, ARunNeverShowsZeroOrANegativeNumber)
{
    for (const char* field : {"1", "2", "6", "11", "12"}) {
        Rig rig;
        rig.edit(field);
        rig.engine.BitBtn1Click();
        for (int tick = 0; tick < 400; ++tick) {
            rig.ticks.fire();
            ASSERT_GE(std::stoi(rig.window.label), 1) << "field " << field << " tick " << tick;
        }
    }
}

TEST(CountdownEngine, ACycleOfNSecondsLastsFiveTimesNTicks)
{
    Rig rig;
    rig.edit("7");
    rig.engine.BitBtn1Click();
    std::vector<int> reloads;
    for (int tick = 1; tick <= 35 * 3; ++tick) {
        const auto before = rig.engine.state().Remaining;
        rig.ticks.fire();
        if (rig.engine.state().Remaining > before)
            reloads.push_back(tick);
    }
    EXPECT_EQ(reloads, (std::vector<int>{35, 70, 105}));
}

TEST(CountdownEngine, StartAndStopStepsRunInOrder)
{
    Rig rig;
    rig.engine.BitBtn1Click();
    EXPECT_EQ(rig.window.log,
              (std::vector<std::string>{"barMax=30", "barProgress=30", "fieldEnabled=0",
                                        "presets=0"}));
    EXPECT_EQ(rig.ticks.calls, (std::vector<std::string>{"begin 1", "start 200 -> 10"}));
    EXPECT_EQ(rig.engine.state().TimerId, 10u);

    rig.ticks.fire(7);
    rig.window.log.clear();
    rig.engine.BitBtn1Click();
    EXPECT_EQ(rig.window.log,
              (std::vector<std::string>{"barMax=30", "barProgress=30",
                                        "labelColor=" + std::to_string(clLime),
                                        "barColor=" + std::to_string(clLime), "label=30",
                                        "fieldEnabled=1", "presets=1"}));
    EXPECT_EQ(rig.ticks.calls,
              (std::vector<std::string>{"begin 1", "start 200 -> 10", "cancel 10", "end 1"}));
}

TEST(CountdownEngine, StopAtAnyMomentRestoresTheIdleViewAndARestartBeginsAFreshSecond)
{
    for (int stopAfter : {0, 1, 4, 5, 13, 100, 149, 150}) {
        SCOPED_TRACE("stop after " + std::to_string(stopAfter) + " ticks");
        Rig rig;
        rig.engine.BitBtn1Click();
        rig.ticks.fire(stopAfter);
        rig.engine.BitBtn1Click();
        EXPECT_FALSE(rig.engine.state().Running);
        EXPECT_EQ(rig.window.label, "30");
        EXPECT_EQ(rig.window.labelColor, clLime);
        EXPECT_EQ(rig.window.barColor, clLime);
        EXPECT_EQ(rig.window.bar.percentDone(), 100);
        EXPECT_TRUE(rig.window.fieldEnabled);
        EXPECT_TRUE(rig.window.presetsEnabled);
        EXPECT_EQ(rig.ticks.activeCount(), 0);

        rig.engine.BitBtn1Click();
        rig.ticks.fire(4);
        EXPECT_EQ(rig.window.label, "30");
        rig.ticks.fire();
        EXPECT_EQ(rig.window.label, "29");
    }
}

TEST(CountdownEngine, EachStopCancelsTheTickOfTheLatestStart)
{
    Rig rig;
    rig.engine.BitBtn1Click();
    rig.engine.BitBtn1Click();
    rig.engine.BitBtn1Click();
    rig.engine.BitBtn1Click();
    EXPECT_EQ(rig.ticks.calls,
              (std::vector<std::string>{"begin 1", "start 200 -> 10", "cancel 10", "end 1",
                                        "begin 1", "start 200 -> 20", "cancel 20", "end 1"}));
    EXPECT_EQ(rig.ticks.activeCount(), 0);
}

TEST(CountdownEngine, ZeroInTheFieldStartsNothing)
{
    Rig rig;
    rig.edit("0");
    EXPECT_EQ(rig.window.label, "0");
    EXPECT_EQ(rig.window.bar.percentDone(), 0);
    rig.engine.BitBtn1Click();
    EXPECT_FALSE(rig.engine.state().Running);
    EXPECT_EQ(rig.window.label, "0");
    EXPECT_EQ(rig.window.labelColor, clLime);
    EXPECT_EQ(rig.window.bar.percentDone(), 0);
    EXPECT_TRUE(rig.window.fieldEnabled);
    EXPECT_TRUE(rig.window.presetsEnabled);
    // The stop steps cancel a tick that was never issued and release a
    // resolution that was never requested.
    EXPECT_EQ(rig.ticks.calls, (std::vector<std::string>{"cancel 0", "end 1"}));
}

TEST(CountdownEngine, LeadingZerosShowUntilTheFirstTick)
{
    Rig rig;
    rig.edit("007");
    EXPECT_EQ(rig.window.label, "007");
    rig.engine.BitBtn1Click();
    EXPECT_EQ(rig.window.label, "007");
    rig.ticks.fire();
    EXPECT_EQ(rig.window.label, "7");
    rig.engine.BitBtn1Click();
    EXPECT_EQ(rig.window.label, "007");
}

TEST(CountdownEngine, AnEmptiedFieldGetsThirtyBack)
{
    Rig rig;
    rig.edit("45");
    rig.edit("");
    EXPECT_EQ(rig.window.field, "30");
    EXPECT_EQ(rig.window.label, "30");
    EXPECT_EQ(rig.window.bar.maxValue(), 30);
    EXPECT_EQ(rig.window.bar.percentDone(), 100);
}

TEST(CountdownEngine, FieldChangeSetsBarFullAndShowsTheText)
{
    Rig rig;
    rig.engine.BitBtn1Click();
    rig.ticks.fire(20);
    rig.engine.BitBtn1Click();
    rig.edit("75");
    EXPECT_EQ(rig.window.label, "75");
    EXPECT_EQ(rig.window.bar.maxValue(), 75);
    EXPECT_EQ(rig.window.bar.progress(), 75);
    EXPECT_FALSE(rig.engine.state().Running);
}

TEST(CountdownEngine, TheLargestValueCountsDown)
{
    Rig rig;
    rig.edit("2147483647");
    rig.engine.BitBtn1Click();
    ASSERT_TRUE(rig.engine.state().Running);
    rig.ticks.fire(5);
    EXPECT_EQ(rig.window.label, "2147483646");
    EXPECT_EQ(rig.window.bar.percentDone(), 99);
}

// Texts the field's conversion refuses, pasted into the field.
const std::vector<std::string>& badTexts()
{
    static const std::vector<std::string> texts{
        "abc", "12a", " 12", "12 ", "+", "-", "1-", "0x1F", "2147483648", "-2147483649",
        "99999999999", std::string(20000, '9'), "\xEF\xBC\x91" /* fullwidth 1 */};
    return texts;
}

std::string notAnInteger(const std::string& text)
{
    return "'" + text + "' は整数ではありません";
}

TEST(CountdownEngine, ToggleWithAnUnreadableFieldChangesNothing)
{
    for (const std::string& text : badTexts()) {
        SCOPED_TRACE(text.substr(0, 20));
        for (bool running : {false, true}) {
            Rig rig;
            if (running) {
                rig.engine.BitBtn1Click();
                rig.ticks.fire(12);
            }
            // A paste can only reach the field while idle; force it to test
            // the toggle's own guard in both states.
            rig.window.field = text;
            const CountdownState before = rig.engine.state();
            const auto calls = rig.ticks.calls;
            rig.window.log.clear();
            try {
                rig.engine.BitBtn1Click();
                ADD_FAILURE() << "no error";
            } catch (const EConvertError& e) {
                EXPECT_EQ(e.what(), notAnInteger(text));
            }
            EXPECT_TRUE(rig.window.log.empty());
            EXPECT_EQ(rig.engine.state().Running, before.Running);
            EXPECT_EQ(rig.engine.state().Remaining, before.Remaining);
            EXPECT_EQ(rig.ticks.calls, calls);
        }
    }
}

TEST(CountdownEngine, ChangeRuleWithAnUnreadableFieldKeepsBarAndLabel)
{
    for (const std::string& text : badTexts()) {
        SCOPED_TRACE(text.substr(0, 20));
        Rig rig;
        rig.edit("45");
        try {
            rig.edit(text);
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.what(), notAnInteger(text));
        }
        EXPECT_EQ(rig.window.label, "45");
        EXPECT_EQ(rig.window.bar.maxValue(), 45);
        EXPECT_EQ(rig.window.bar.progress(), 45);
    }
}

TEST(CountdownEngine, ANegativeFieldIsRefusedByTheBar)
{
    const std::string range = "1 から 2147483647 の間の値でなければなりません";
    Rig rig;
    rig.edit("45");
    try {
        rig.edit("-5");
        ADD_FAILURE() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.what(), range);
    }
    EXPECT_EQ(rig.window.label, "45");
    EXPECT_EQ(rig.window.bar.maxValue(), 45);

    rig.window.log.clear();
    try {
        rig.engine.BitBtn1Click();
        ADD_FAILURE() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.what(), range);
    }
    // The toggle read the value before the bar refused it; nothing else
    // changed and nothing started.
    EXPECT_EQ(rig.engine.state().Remaining, -5);
    EXPECT_FALSE(rig.engine.state().Running);
    EXPECT_TRUE(rig.window.log.empty());
    EXPECT_TRUE(rig.ticks.calls.empty());

    // The next toggle reads the field again.
    rig.edit("3");
    rig.engine.BitBtn1Click();
    EXPECT_TRUE(rig.engine.state().Running);
}

TEST(CountdownEngine, CloseReleasesTheTickInEitherStateAndKeepsTheState)
{
    {
        Rig rig;
        rig.engine.FormClose();
        EXPECT_EQ(rig.ticks.calls, (std::vector<std::string>{"cancel 0", "end 1"}));
    }
    {
        Rig rig;
        rig.engine.BitBtn1Click();
        rig.ticks.fire(3);
        rig.engine.FormClose();
        EXPECT_EQ(rig.ticks.calls,
                  (std::vector<std::string>{"begin 1", "start 200 -> 10", "cancel 10", "end 1"}));
        EXPECT_TRUE(rig.engine.state().Running);
        EXPECT_EQ(rig.ticks.activeCount(), 0);
    }
}

} // namespace
} // namespace kestrova::testing
