// Writes the game's icon as SVG and as PNG files of the usual sizes:
// velk-icon-gen <folder> → <folder>/scalable/<name>.svg, <folder>/<n>x<n>/<name>.png
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "app/icon.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: velk-icon-gen <folder> <icon name>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);

    QDir().mkpath(root + "/scalable");
    QFile svg(root + "/scalable/" + name + ".svg");
    if (!svg.open(QIODevice::WriteOnly) || svg.write(velk::app::iconSvg().toUtf8()) < 0) {
        std::fprintf(stderr, "velk-icon-gen: cannot write %s\n", qPrintable(svg.fileName()));
        return 1;
    }
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/%2x%2").arg(root).arg(size);
        QDir().mkpath(dir);
        const QString file = dir + "/" + name + ".png";
        if (!velk::app::renderIcon(size).save(file)) {
            std::fprintf(stderr, "velk-icon-gen: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
