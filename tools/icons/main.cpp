// The pictures of the Win32 windows, drawn from the same SVG files as the Qt windows' pictures:
// icons (pause, tray, sunflower) as .ico files with the sizes Windows asks for. The Windows build
// has no Qt, so the .ico files are made here and kept beside the Win32 sources:
//     build/release/tools/icons/formalys-icons src/qt/images src/win32/images
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <cstdio>

namespace {

bool writeIcon(const QString& svg, const QString& ico, int size)
{
    QImageReader reader(svg); // through Qt's SVG picture plugin
    reader.setScaledSize(QSize(size, size));
    const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) {
        std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(svg),
                     qPrintable(reader.errorString()));
        return false;
    }
    QImageWriter writer(ico, "ico");
    if (!writer.write(image)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(ico),
                     qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: formalys-icons SVG-DIRECTORY ICO-DIRECTORY\n");
        return 2;
    }
    const QString from = QString::fromLocal8Bit(argv[1]) + "/";
    const QString to = QString::fromLocal8Bit(argv[2]) + "/";
    const bool written = writeIcon(from + "pause.svg", to + "pause.ico", 24) &&
                         writeIcon(from + "tray.svg", to + "tray.ico", 32) &&
                         writeIcon(from + "sunflower.svg", to + "sunflower.ico", 96);
    return written ? 0 : 1;
}
