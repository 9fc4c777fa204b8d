// Build tool: draws the toolbar's SVG pictures at the size the toolbar shows
// them, once as they are and once at twice the size for 2x screens, into raw
// pixel files (premultiplied 32-bit ARGB, row after row, no header), so the
// program starts without parsing SVG or decoding images: it takes the pixels
// straight from its resources.
//
//   render_pictures OUT_DIR SVG:WIDTH:HEIGHT...
//
// Writes OUT_DIR/<name>.argb and OUT_DIR/<name>@2x.argb for each picture.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[]) {
    // Text in the pictures needs fonts, which need a platform: any will do.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUT_DIR SVG:WIDTH:HEIGHT...\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const QStringList parts = QString::fromLocal8Bit(argv[i]).split(u':');
        if (parts.size() != 3) {
            std::fprintf(stderr, "render_pictures: bad argument %s\n", argv[i]);
            return 2;
        }
        QSvgRenderer renderer(parts[0]);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "render_pictures: cannot read %s\n", argv[i]);
            return 1;
        }
        const QSize size(parts[1].toInt(), parts[2].toInt());
        const QString name = QFileInfo(parts[0]).completeBaseName();
        for (const int scale : {1, 2}) {
            QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            renderer.render(&painter);
            painter.end();
            const QString file = out.filePath(
                name + (scale == 1 ? QStringLiteral(".argb") : QStringLiteral("@2x.argb")));
            QFile raw(file);
            const auto bytes = qsizetype(image.sizeInBytes());
            if (!raw.open(QIODevice::WriteOnly) ||
                raw.write(reinterpret_cast<const char*>(image.constBits()), bytes) != bytes) {
                std::fprintf(stderr, "render_pictures: cannot write %s\n", qPrintable(file));
                return 1;
            }
        }
    }
    return 0;
}
