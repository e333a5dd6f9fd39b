#pragma once
// Helpers for driving the real window on Qt's offscreen platform.
#include "TimerWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

namespace kestrova::testing {

// What a message box showed.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
    bool modal = false;
    QWidget* parent = nullptr;
};

// Watches for the next message box, records it and presses its OK button.
class BoxWatcher {
public:
    BoxWatcher()
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (!box || !box->isVisible())
                    continue;
                SeenBox seen{box->windowTitle(), box->text(), box->icon(),
                             static_cast<int>(box->buttons().size()), box->isModal(),
                             box->parentWidget()};
                boxes.push_back(seen);
                box->button(QMessageBox::Ok)->click();
            }
        });
        timer_.start();
    }
    std::vector<SeenBox> boxes;

private:
    QTimer timer_;
};

// A fresh window, shown and active.
inline std::unique_ptr<TForm1> showWindow()
{
    auto w = std::make_unique<TForm1>();
    w->show();
    w->activateWindow();
    QApplication::processEvents();
    return w;
}

inline void spinFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace kestrova::testing
