// The context menu built in the real window: its structure, its choices,
// the lock while the countdown runs, and where it opens.
#include "WidgetTestSupport.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>

namespace kestrova::testing {
namespace {

QAction* find(TForm1& w, const char* name)
{
    for (QAction* a : w.popupMenu().PopupMenu1->findChildren<QAction*>())
        if (a->objectName() == name)
            return a;
    return nullptr;
}

TEST(ContextMenu, TopLevelHasItsEntriesInOrder)
{
    auto w = showWindow();
    const auto actions = w->popupMenu().PopupMenu1->actions();
    ASSERT_EQ(actions.size(), 7);
    const char* names[] = {"Start1", "Close1", "N1", "NRaidPre", "N3", "NRaid5", "NRaid6"};
    const char* captions[] = {"Start/Stop", "Close", "", "Preset", "", "Raid T5", "Raid T6"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(actions[i]->objectName(), names[i]);
        EXPECT_EQ(actions[i]->text(), captions[i]);
        EXPECT_EQ(actions[i]->isSeparator(), i == 2 || i == 4);
        EXPECT_EQ(actions[i]->menu() != nullptr, i >= 3 && i != 4) << names[i];
        EXPECT_TRUE(actions[i]->isEnabled());
        EXPECT_TRUE(actions[i]->shortcut().isEmpty());
        EXPECT_FALSE(actions[i]->isCheckable());
        EXPECT_TRUE(actions[i]->icon().isNull());
    }
}

// Walks a menu against the table it was built from.
void expectMatches(QMenu* menu, const std::vector<PresetEntry>& entries, int& seen)
{
    const auto actions = menu->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(entries.size())) << menu->objectName().toStdString();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        const PresetEntry& e = entries[static_cast<std::size_t>(i)];
        QAction* a = actions[i];
        ++seen;
        EXPECT_EQ(a->objectName().toStdString(), e.Name);
        EXPECT_EQ(a->text().toStdString(), e.Caption) << e.Name;
        EXPECT_TRUE(a->isEnabled());
        EXPECT_FALSE(a->isCheckable());
        EXPECT_TRUE(a->shortcut().isEmpty());
        if (e.isSubmenu()) {
            ASSERT_NE(a->menu(), nullptr) << e.Name;
            expectMatches(a->menu(), e.Children, seen);
        } else {
            EXPECT_EQ(a->menu(), nullptr) << e.Name;
        }
    }
}

TEST(ContextMenu, SubmenusHoldTheLengthsAndTheCatalogueExactly)
{
    auto w = showWindow();
    int seen = 0;
    expectMatches(w->popupMenu().NRaidPre, PresetLengths().Children, seen);
    expectMatches(w->popupMenu().NRaid5, RaidCatalogue()[0].Children, seen);
    expectMatches(w->popupMenu().NRaid6, RaidCatalogue()[1].Children, seen);
    EXPECT_EQ(seen, 6 + 30 + 75);
}

TEST(ContextMenu, ChoosingALengthOrATimedAbilityWritesItsSeconds)
{
    struct Case {
        const char* entry;
        const char* field;
    };
    const Case cases[] = {
        {"N501", "75"},
        {"N101", "15"},
        {"AoE1Heat22sec2", "22"}, // "AoE2 <Heat> 22 sec"
        {"AoE1Heat22sec1", "22"},
        {"GrowlsandresetsaggroReset601", "60"},
        {"AuraofSilenceMental47sec1", "47"},
        {"ChillingmistCold1", "50"},
        {"AcidicMistPoison70sec1", "70"},
    };
    for (const Case& c : cases) {
        auto w = showWindow();
        QSignalSpy changes(w->TimerSet1, &QLineEdit::textChanged);
        QAction* a = find(*w, c.entry);
        ASSERT_NE(a, nullptr) << c.entry;
        a->trigger();
        EXPECT_EQ(w->TimerSet1->text(), c.field) << c.entry;
        EXPECT_EQ(w->TimerResult1->caption(), c.field);
        EXPECT_EQ(w->Gauge1->model().percentDone(), 100);
        EXPECT_EQ(changes.count(), 1);
        EXPECT_FALSE(w->engine().state().Running);
    }
}

TEST(ContextMenu, ChoosingTheLengthTheFieldHoldsChangesNothing)
{
    auto w = showWindow();
    QSignalSpy changes(w->TimerSet1, &QLineEdit::textChanged);
    find(*w, "N201")->trigger(); // "30 sec"
    find(*w, "SoulBurnHeat1")->trigger(); // "Soul Burn <Heat> 30 sec "
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(w->TimerSet1->text(), "30");
}

TEST(ContextMenu, PlainEntriesChangeNothing)
{
    auto w = showWindow();
    QSignalSpy changes(w->TimerSet1, &QLineEdit::textChanged);
    for (const char* name :
         {"EpicAngler1", "KingDrayek1", "Resetsagro1", "EarieBlastCrush1", "LightningStorm1"}) {
        QAction* a = find(*w, name);
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(w->TimerResult1->caption(), "30");
    EXPECT_FALSE(w->engine().state().Running);
}

TEST(ContextMenu, TheCountdownLocksThePresetSubmenusWhileItRuns)
{
    auto w = showWindow();
    const PopupMenu& m = w->popupMenu();
    auto locked = [&] {
        return !m.NRaidPre->menuAction()->isEnabled() && !m.NRaid5->menuAction()->isEnabled()
               && !m.NRaid6->menuAction()->isEnabled();
    };
    auto open = [&] {
        return m.NRaidPre->menuAction()->isEnabled() && m.NRaid5->menuAction()->isEnabled()
               && m.NRaid6->menuAction()->isEnabled();
    };
    m.Start1->trigger();
    EXPECT_TRUE(w->engine().state().Running);
    EXPECT_TRUE(locked());
    EXPECT_TRUE(m.Start1->isEnabled());
    EXPECT_TRUE(m.Close1->isEnabled());
    m.Start1->trigger();
    EXPECT_FALSE(w->engine().state().Running);
    EXPECT_TRUE(open());
    // A press with "0" takes the stopping branch too: it stays open.
    w->TimerSet1->setText("0");
    w->SpeedButton1->click();
    EXPECT_TRUE(open());
    EXPECT_FALSE(w->engine().state().Running);
}

TEST(ContextMenu, StartStopInTheMenuActsLikeTheButtonAndCloseEndsTheWindow)
{
    auto w = showWindow();
    w->popupMenu().Start1->trigger();
    EXPECT_TRUE(w->engine().state().Running);
    w->SpeedButton1->click();
    EXPECT_FALSE(w->engine().state().Running);
    w->popupMenu().Close1->trigger();
    EXPECT_FALSE(w->isVisible());
}

void closePopup()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    QApplication::processEvents();
}

TEST(ContextMenu, ARightClickAnywhereOnTheWindowOpensIt)
{
    auto w = showWindow();
    const std::vector<std::pair<const char*, QWidget*>> targets{
        {"panel", w->Panel1},          {"button", w->SpeedButton1}, {"digits", w->TimerResult1},
        {"bar", w->Gauge1},            {"field", w->TimerSet1}};
    for (bool running : {false, true}) {
        if (running)
            w->SpeedButton1->click();
        for (const auto& [name, target] : targets) {
            SCOPED_TRACE(std::string(name) + (running ? ", running" : ""));
            const QPoint at(3, 3);
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
            QApplication::sendEvent(target, &event);
            QMenu* menu = w->popupMenu().PopupMenu1;
            EXPECT_TRUE(menu->isVisible());
            EXPECT_EQ(menu->pos(), target->mapToGlobal(at));
            EXPECT_EQ(QApplication::activePopupWidget(), menu);
            closePopup();
        }
    }
    w->SpeedButton1->click();
}

TEST(ContextMenu, AMouseRightClickOnTheFieldShowsThisMenuAndKeepsTheFocus)
{
    auto w = showWindow();
    // Through the window, so that the platform turns the click into a
    // context-menu request.
    w->TimerSet1->clearFocus();
    QTest::mouseClick(w->windowHandle(), Qt::RightButton, {}, QPoint(40, 10));
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), w->popupMenu().PopupMenu1);
    closePopup();
    EXPECT_EQ(QApplication::focusWidget(), w->TimerSet1);
}

TEST(ContextMenu, FromTheKeyboardItOpensAtTheFieldsCorner)
{
    auto w = showWindow();
    w->TimerSet1->setFocus();
    for (const auto& [key, mods] :
         std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>{{Qt::Key_Menu, {}},
                                                                 {Qt::Key_F10, Qt::ShiftModifier}}) {
        QTest::keyClick(w->windowHandle(), key, mods);
        QApplication::processEvents();
        QMenu* menu = w->popupMenu().PopupMenu1;
        EXPECT_TRUE(menu->isVisible()) << key;
        EXPECT_EQ(menu->pos(), w->TimerSet1->mapToGlobal(QPoint(0, 0))) << key;
        closePopup();
    }
}

} // namespace
} // namespace kestrova::testing
