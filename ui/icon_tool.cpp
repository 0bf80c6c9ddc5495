// Paints the application icon into DIR/SIZE/qtb.png for each size given:
//     qtb-icon-tool DIR SIZE...
// Run by the build; the images go to the icon theme on installation.
#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

#include "ui/app_icon.h"

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: qtb-icon-tool DIR SIZE...\n");
        return 64;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        if (size <= 0) {
            std::fprintf(stderr, "qtb-icon-tool: bad size %s\n", argv[i]);
            return 64;
        }
        const QString folder = dir + '/' + QString::number(size);
        if (!QDir().mkpath(folder) || !draw_app_icon(size).save(folder + "/qtb.png", "PNG")) {
            std::fprintf(stderr, "qtb-icon-tool: cannot write %s/qtb.png\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
