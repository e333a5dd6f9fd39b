// The floor of the footprint benchmark: the least a Qt Widgets program
// with a window the size of the timer window costs. A 100 × 40 frameless
// window at the timer window's place, and nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.move(187, 121);
    window.resize(100, 40);
    window.show();
    return app.exec();
}
