// Build step: writes the About picture as the program's icon, in the format
// the file name's extension names (.png; .ico on Windows).
//   write_about_picture SIZE OUTPUT
#include "display/qt/about_picture.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: write_about_picture SIZE OUTPUT\n", stderr);
        return 2;
    }
    QGuiApplication app(argc, argv);
    const int size = std::atoi(argv[1]);
    if (size <= 0) return 2;
    const QImage icon = cadenzo::makeAboutPicture(size);
    return icon.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
