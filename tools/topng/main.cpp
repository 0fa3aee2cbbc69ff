// Turns pictures into PNG files beside them (a.bmp gives a.png), through Qt's picture formats:
// the screenshots of the Win32 windows come as BMP files from Windows's own drawing.
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        const QString from = QString::fromLocal8Bit(argv[i]);
        const QString to = from.left(from.lastIndexOf('.')) + ".png";
        if (!QImage(from).save(to, "png")) {
            std::fprintf(stderr, "cannot turn %s into %s\n", argv[i], qPrintable(to));
            status = 1;
        }
    }
    return status;
}
