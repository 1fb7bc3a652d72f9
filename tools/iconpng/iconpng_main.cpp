// iconpng: renders an SVG icon into PNG files of the sizes the icon theme holds.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4 || !args[2].contains("%1")) {
        std::fputs("usage: iconpng ICON.svg OUT_PATTERN SIZE...\n"
                   "  OUT_PATTERN holds %1 where the size goes, e.g. icons/%1x%1/apps/name.png\n",
                   stderr);
        return 1;
    }
    QSvgRenderer svg(args[1]);
    if (!svg.isValid()) {
        std::fprintf(stderr, "iconpng: %s: not a readable SVG\n", qPrintable(args[1]));
        return 2;
    }
    for (int i = 3; i < args.size(); ++i) {
        bool ok = false;
        const int size = args[i].toInt(&ok);
        if (!ok || size < 1 || size > 1024) {
            std::fprintf(stderr, "iconpng: %s: not an icon size\n", qPrintable(args[i]));
            return 1;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        svg.render(&p);
        p.end();
        const QString out = args[2].arg(size);
        if (!QDir().mkpath(QFileInfo(out).path()) || !image.save(out, "PNG")) {
            std::fprintf(stderr, "iconpng: %s: cannot write\n", qPrintable(out));
            return 2;
        }
    }
    return 0;
}
