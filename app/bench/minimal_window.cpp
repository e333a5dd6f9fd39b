// The floor of the footprint benchmark: the least a Qt Widgets program with
// a window the size of the timer window costs. A 100 × 40 frameless window
// at the timer window's place, and nothing else.
//
//   minimal_window          the bare window, titled "Minimal"
//   minimal_window --text   the same with one label showing "30" in a bold
//                           16 px font like the timer's digits, titled
//                           "Minimal text": the floor of a window that draws
//                           any text at all (fonts, shaping, glyph cache)
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const bool withText = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    QWidget window;
    window.setWindowFlags(Qt::FramelessWindowHint);
    window.setWindowTitle(withText ? QStringLiteral("Minimal text") : QStringLiteral("Minimal"));
    window.move(187, 121);
    window.resize(100, 40);
    if (withText) {
        auto* label = new QLabel(QStringLiteral("30"), &window);
        QFont font;
        font.setFamilies({QStringLiteral("Century"), QStringLiteral("C059")});
        font.setPixelSize(16);
        font.setBold(true);
        label->setFont(font);
        label->setGeometry(60, 5, 32, 20);
    }
    window.show();
    return app.exec();
}
