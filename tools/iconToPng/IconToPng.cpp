// lexodrom_icon_png IN OUT: converts an image Qt can read (the game's XPM
// icons) to PNG, pixel for pixel, for the desktop icon theme. Built and run
// at build time only.
#include <QImage>
#include <QTextStream>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        QTextStream(stderr) << "usage: lexodrom_icon_png IN OUT\n";
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]));
    if (image.isNull()) {
        QTextStream(stderr) << "lexodrom_icon_png: cannot read " << argv[1] << '\n';
        return 1;
    }
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        QTextStream(stderr) << "lexodrom_icon_png: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
