// Renders the application's SVG icon into the PNG sizes of the freedesktop icon theme layout:
// iconrender ICON.svg OUTPUT_FOLDER NAME SIZE... writes OUTPUT_FOLDER/<s>x<s>/apps/NAME.png.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    // A build machine may have no display; rendering into an image needs none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 5) {
        std::fprintf(stderr, "usage: iconrender ICON.svg OUTPUT_FOLDER NAME SIZE...\n");
        return 2;
    }
    QSvgRenderer renderer(arguments.at(1));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "iconrender: cannot read %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    for (const QString& sizeText : arguments.mid(4)) {
        const int size = sizeText.toInt();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(arguments.at(2)).arg(size);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        if (!QDir().mkpath(folder)
            || !image.save(folder + u'/' + arguments.at(3) + QStringLiteral(".png"))) {
            std::fprintf(stderr, "iconrender: cannot write into %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
