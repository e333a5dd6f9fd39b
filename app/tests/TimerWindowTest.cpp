// The timer window on Qt's offscreen platform: its layout and colours as a
// user sees them, the field's input rules, dragging and closing.
#include "WidgetTestSupport.h"

#include <QClipboard>
#include <QStyleHints>
#include <QImage>
#include <QSignalSpy>
#include <QWindow>

#include <gtest/gtest.h>

namespace kestrova::testing {
namespace {

bool hasColor(const QImage& image, const QRect& area, QColor color)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == color)
                return true;
    return false;
}

const QColor kPanel(49, 53, 85);
const QColor kLime(0, 255, 0);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);

TEST(TimerWindow, OpensAtItsPlaceBorderlessOnTopWithTheDesignedLayout)
{
    auto w = showWindow();
    EXPECT_EQ(Form1, w.get());
    EXPECT_EQ(w->geometry(), QRect(187, 121, 100, 40));
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w->windowType(), Qt::Tool);
    EXPECT_EQ(w->windowTitle(), "Kestrova");

    EXPECT_EQ(w->Panel1->geometry(), QRect(0, 0, 100, 40));
    EXPECT_EQ(w->SpeedButton1->geometry(), QRect(5, 5, 23, 22));
    EXPECT_EQ(w->TimerSet1->geometry(), QRect(32, 5, 25, 24));
    EXPECT_EQ(w->Gauge1->geometry(), QRect(5, 30, 90, 6));
    const QRect label = w->TimerResult1->geometry();
    EXPECT_EQ(label.x() + label.width(), 92);
    EXPECT_EQ(label.y(), 5);

    EXPECT_EQ(w->TimerSet1->text(), "30");
    EXPECT_EQ(w->TimerResult1->caption(), "30");
    EXPECT_EQ(QApplication::focusWidget(), w->TimerSet1);
    EXPECT_FALSE(w->windowIcon().isNull());
}

TEST(TimerWindow, ShowsLimeDigitsAndAFullLimeBarOnTheBluegreyPanel)
{
    auto w = showWindow();
    const QImage image = w->grab().toImage();
    EXPECT_EQ(image.pixelColor(65, 20), kPanel);   // bare panel
    // The raised bevel: light on the top and left, dark on the bottom and right.
    EXPECT_EQ(image.pixel(0, 20), w->palette().color(QPalette::Light).rgb());
    EXPECT_EQ(image.pixel(50, 0), w->palette().color(QPalette::Light).rgb());
    EXPECT_EQ(image.pixel(99, 20), w->palette().color(QPalette::Dark).rgb());
    EXPECT_EQ(image.pixel(50, 39), w->palette().color(QPalette::Dark).rgb());
    EXPECT_TRUE(hasColor(image, w->TimerResult1->geometry(), kLime));
    EXPECT_EQ(image.pixelColor(5, 30), Qt::black);  // the bar's border
    EXPECT_EQ(image.pixelColor(6, 32), kLime);      // its fill, from the left
    EXPECT_EQ(image.pixelColor(93, 32), kLime);     // to the right: full
    EXPECT_EQ(image.pixelColor(45, 8), Qt::black);   // the field's background
    EXPECT_TRUE(hasColor(image, QRect(34, 8, 20, 16), Qt::white)); // its digits
    // The clock glyph shows on the button, its green background does not.
    EXPECT_TRUE(hasColor(image, w->SpeedButton1->geometry(), QColor(248, 248, 248)));
    EXPECT_FALSE(hasColor(image, w->SpeedButton1->geometry(), QColor(0, 248, 0)));
}

TEST(TimerWindow, TheDigitsKeepTheirRightEdgeWhateverTheNumberAndLieBelowTheField)
{
    auto w = showWindow();
    for (const char* text : {"5", "30", "120", "007", "2147483647"}) {
        w->TimerSet1->setText(text);
        const QRect r = w->TimerResult1->geometry();
        EXPECT_EQ(r.x() + r.width(), 92) << text;
        EXPECT_EQ(w->TimerResult1->caption(), text);
    }
    // The long number reaches under the field, which stays on top.
    ASSERT_LT(w->TimerResult1->geometry().x(), 57);
    EXPECT_EQ(w->Panel1->childAt(50, 12), w->TimerSet1);
}

TEST(TimerWindow, TypedLettersAreRefusedPastedTextIsNot)
{
    auto w = showWindow();
    SecondsField* field = w->TimerSet1;
    field->setFocus();
    field->end(false);
    QTest::keyClicks(field, "a1 b-+.");
    EXPECT_EQ(field->text(), "301");
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "30");

    BoxWatcher boxes;
    QApplication::clipboard()->setText("12x");
    field->selectAll();
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), "12x");
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "'12x' は整数ではありません.");
    EXPECT_EQ(boxes.boxes[0].title, "Kestrova");
    EXPECT_EQ(boxes.boxes[0].icon, QMessageBox::Critical);
    EXPECT_EQ(boxes.boxes[0].buttonCount, 1);
    EXPECT_EQ(boxes.boxes[0].parent, w.get());
    // The label keeps what it showed; the program goes on.
    EXPECT_EQ(w->TimerResult1->caption(), "30");
    field->setText("15");
    EXPECT_EQ(w->TimerResult1->caption(), "15");
}

TEST(TimerWindow, BadPastesShowTheirErrorAndChangeNothingElse)
{
    auto w = showWindow();
    BoxWatcher boxes;
    struct Case {
        std::string text;
        std::string message;
    };
    const std::string range = "1 から 2147483647 の間の値でなければなりません";
    const std::vector<Case> cases{
        {"abc", "'abc' は整数ではありません."},
        {" 12", "' 12' は整数ではありません."},
        {"-", "'-' は整数ではありません."},
        {"12345678901", "'12345678901' は整数ではありません."},
        {"2147483648", "'2147483648' は整数ではありません."},
        {std::string(20000, '7'), "'" + std::string(20000, '7') + "' は整数ではありません."},
        {"-5", range + "."},
    };
    for (const Case& c : cases) {
        w->TimerSet1->setText("45");
        boxes.boxes.clear();
        w->TimerSet1->setText(QString::fromStdString(c.text));
        ASSERT_EQ(boxes.boxes.size(), 1u) << c.text.substr(0, 20);
        EXPECT_EQ(boxes.boxes[0].text.toStdString(), c.message);
        EXPECT_EQ(w->TimerResult1->caption(), "45");
        EXPECT_EQ(w->Gauge1->model().maxValue(), 45);
        // A start with the bad text shows the error again and starts nothing.
        w->SpeedButton1->click();
        EXPECT_EQ(boxes.boxes.size(), 2u);
        EXPECT_FALSE(w->engine().state().Running);
        EXPECT_TRUE(w->TimerSet1->isEnabled());
    }
    // "2147483647" is a value.
    w->TimerSet1->setText("2147483647");
    boxes.boxes.clear();
    w->SpeedButton1->click();
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(w->engine().state().Running);
    w->SpeedButton1->click();
}

TEST(TimerWindow, TheButtonRunsTheCountdownOnTheRealTick)
{
    auto w = showWindow();
    w->TimerSet1->setText("3");
    w->SpeedButton1->click();
    EXPECT_TRUE(w->engine().state().Running);
    EXPECT_FALSE(w->TimerSet1->isEnabled());
    // Let a whole second pass, however slow the machine.
    QElapsedTimer t;
    t.start();
    while (w->TimerResult1->caption() != "2" && t.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    EXPECT_EQ(w->TimerResult1->caption(), "2");
    EXPECT_EQ(w->TimerResult1->textColor(), clRed);
    EXPECT_EQ(w->Gauge1->foreColor(), clRed);
    const QImage image = w->grab().toImage();
    EXPECT_TRUE(hasColor(image, w->TimerResult1->geometry(), kRed));

    w->SpeedButton1->click();
    EXPECT_FALSE(w->engine().state().Running);
    EXPECT_EQ(w->TimerResult1->caption(), "3");
    EXPECT_EQ(w->TimerResult1->textColor(), clLime);
    EXPECT_TRUE(w->TimerSet1->isEnabled());
    // After the stop no tick changes the window any more.
    w->TimerResult1->setCaption("x");
    spinFor(500);
    EXPECT_EQ(w->TimerResult1->caption(), "x");
}

TEST(TimerWindow, DraggingThePanelOrTheDigitsMovesTheWindowOthersDoNot)
{
    auto w = showWindow();
    struct Case {
        const char* name;
        QWidget* target;
        QPoint at;
        Qt::MouseButton button;
        bool moves;
    };
    const std::vector<Case> cases{
        {"panel", w->Panel1, QPoint(65, 20), Qt::LeftButton, true},
        {"digits", w->TimerResult1, QPoint(5, 5), Qt::LeftButton, true},
        {"field", w->TimerSet1, QPoint(5, 5), Qt::LeftButton, false},
        {"bar", w->Gauge1, QPoint(40, 3), Qt::LeftButton, false},
        {"panel, right button", w->Panel1, QPoint(65, 20), Qt::RightButton, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w->move(187, 121);
        QApplication::processEvents();
        const QPoint before = w->pos();
        // The pointer's path on the screen, whatever the window does.
        const QPoint press = c.target->mapToGlobal(c.at);
        QTest::mousePress(c.target, c.button, {}, c.at);
        for (const QPoint step : {QPoint(20, 10), QPoint(30, 15)})
            QTest::mouseMove(c.target, c.target->mapFromGlobal(press + step));
        QTest::mouseRelease(c.target, c.button, {}, c.target->mapFromGlobal(press + QPoint(30, 15)));
        QApplication::processEvents();
        if (c.moves)
            EXPECT_EQ(w->pos(), before + QPoint(30, 15));
        else
            EXPECT_EQ(w->pos(), before);
        // Closing any menu a right press opened.
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }
    // Once released, moving the pointer moves nothing.
    const QPoint rest = w->pos();
    QTest::mouseMove(w->Panel1, QPoint(10, 10));
    QApplication::processEvents();
    EXPECT_EQ(w->pos(), rest);
}

TEST(TimerWindow, ADisabledFieldPassesPressesToThePanel)
{
    auto w = showWindow();
    w->SpeedButton1->click();
    ASSERT_FALSE(w->TimerSet1->isEnabled());
    const QPoint before = w->pos();
    // Through the window, as the platform delivers presses: the disabled
    // field passes them on to the panel.
    QWindow* handle = w->windowHandle();
    const QPoint press = w->mapToGlobal(QPoint(40, 10));
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(40, 10));
    QTest::mouseMove(handle, w->mapFromGlobal(press + QPoint(10, 0)));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, w->mapFromGlobal(press + QPoint(10, 0)));
    EXPECT_EQ(w->pos(), before + QPoint(10, 0));
    // A double click over it does not close the window.
    QTest::mouseDClick(w->TimerSet1, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(w->isVisible());
    w->SpeedButton1->click();
}

TEST(TimerWindow, ClosingReleasesTheTickInEitherState)
{
    for (bool running : {false, true}) {
        auto w = showWindow();
        if (running) {
            w->SpeedButton1->click();
            // The field is disabled now: Alt+F4 closes.
            QTest::keyClick(w.get(), Qt::Key_F4, Qt::AltModifier);
        } else {
            QTest::mouseDClick(w->TimerSet1, Qt::LeftButton, {}, QPoint(5, 5));
        }
        EXPECT_FALSE(w->isVisible());
        // The state is left as it was; the tick is gone.
        EXPECT_EQ(w->engine().state().Running, running);
        const QString shown = w->TimerResult1->caption();
        spinFor(300);
        EXPECT_EQ(w->TimerResult1->caption(), shown);
    }
}

TEST(TimerWindow, AltF4Closes)
{
    auto w = showWindow();
    QTest::keyClick(w->TimerSet1, Qt::Key_F4, Qt::AltModifier);
    EXPECT_FALSE(w->isVisible());
}

TEST(TimerWindow, ADoubleClickOnTheButtonIsTwoClicks)
{
    auto w = showWindow();
    QSignalSpy clicks(w->SpeedButton1, &QAbstractButton::clicked);
    // Through the window: press, release, press (a double click), release.
    QTest::mouseDClick(w->windowHandle(), Qt::LeftButton, {}, QPoint(15, 15));
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_FALSE(w->engine().state().Running);
    EXPECT_NE(w->engine().state().TimerId, 0u); // it did start once
    EXPECT_TRUE(w->isVisible());
}

} // namespace
} // namespace kestrova::testing

namespace kestrova::testing {
namespace {

TEST(TimerWindow, TheCaretStopsBlinkingWhenLeftAloneAndBlinksAgainOnInput)
{
    QStyleHints* hints = QGuiApplication::styleHints();
    const int flash = hints->cursorFlashTime();
    ASSERT_GT(flash, 0);
    auto w = showWindow();
    w->TimerSet1->setFocus();
    QTest::keyClick(w->TimerSet1, Qt::Key_End);
    EXPECT_EQ(hints->cursorFlashTime(), flash);
    QElapsedTimer t;
    t.start();
    while (hints->cursorFlashTime() != 0 && t.elapsed() < SecondsField::BlinkTimeoutMs + 10000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    EXPECT_EQ(hints->cursorFlashTime(), 0);
    EXPECT_GE(t.elapsed(), SecondsField::BlinkTimeoutMs - 100);
    QTest::keyClick(w->TimerSet1, Qt::Key_Home);
    EXPECT_EQ(hints->cursorFlashTime(), flash);
    hints->setCursorFlashTime(flash);
}

} // namespace
} // namespace kestrova::testing
