#include "TrayIcon.h"

#include "WidgetTestSupport.h"

#include <gtest/gtest.h>

namespace kestrova::testing {
namespace {

using R = QSystemTrayIcon::ActivationReason;

TEST(TrayClickFilter, OnlyALeftDoubleClickCounts)
{
    struct Report {
        R reason;
        std::int64_t at;
        bool doubleClick;
    };
    struct Case {
        const char* name;
        std::vector<Report> reports;
    };
    const std::vector<Case> cases{
        {"an XEmbed double click", {{R::Trigger, 0, false}, {R::DoubleClick, 150, true}}},
        {"two activations in time", {{R::Trigger, 0, false}, {R::Trigger, 300, true}}},
        {"two activations too far apart", {{R::Trigger, 0, false}, {R::Trigger, 401, false}}},
        {"a single activation", {{R::Trigger, 0, false}}},
        {"three quick activations are one double click",
         {{R::Trigger, 0, false}, {R::Trigger, 100, true}, {R::Trigger, 200, false}}},
        {"right and middle clicks", {{R::Context, 0, false}, {R::MiddleClick, 50, false},
                                     {R::Context, 100, false}}},
        {"a right click between two activations",
         {{R::Trigger, 0, false}, {R::Context, 50, false}, {R::Trigger, 100, false}}},
    };
    for (const Case& c : cases) {
        TrayClickFilter filter(400);
        for (const Report& r : c.reports)
            EXPECT_EQ(filter.report(r.reason, r.at), r.doubleClick) << c.name << " at " << r.at;
    }
}

TEST(TrayIcon, IsTheWindowsComponentWithTheProgramIconAndTheTip)
{
    auto w = showWindow();
    ASSERT_NE(w->TrayIcon1, nullptr);
    QSystemTrayIcon* icon = w->TrayIcon1->icon();
    EXPECT_EQ(icon->toolTip(), "TipHelp");
    EXPECT_EQ(icon->contextMenu(), nullptr);
    EXPECT_FALSE(icon->icon().isNull());
    const auto sizes = icon->icon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(icon->isVisible());
}

TEST(TrayIcon, ADoubleClickClosesTheWindowAlsoWhileTheCountdownRuns)
{
    auto w = showWindow();
    w->SpeedButton1->click();
    w->TrayIcon1->activated(R::Trigger);
    w->TrayIcon1->activated(R::Context);
    w->TrayIcon1->activated(R::MiddleClick);
    EXPECT_TRUE(w->isVisible());
    w->TrayIcon1->activated(R::Trigger);
    w->TrayIcon1->activated(R::DoubleClick);
    EXPECT_FALSE(w->isVisible());
}

} // namespace
} // namespace kestrova::testing
