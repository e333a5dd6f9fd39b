// Build-time converter: writes an XPM pixel map as PNG, for the icon theme.
#include <QImage>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: xpm2png in.xpm out.png\n");
        return 2;
    }
    QImage image(QString::fromLocal8Bit(argv[1]), "XPM");
    if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "xpm2png: cannot convert %s\n", argv[1]);
        return 1;
    }
    return 0;
}
