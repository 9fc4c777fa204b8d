#include "app/toolbar_pictures.h"

#include <QImage>
#include <QPixmap>
#include <QResource>

QIcon toolbar_picture(const QString& name, QSize size) {
    QIcon icon;
    for (const int scale : {1, 2}) {
        const QResource pixels(QStringLiteral(":/pictures/%1%2.argb")
                                   .arg(name, scale == 2 ? QStringLiteral("@2x") : QString()));
        const QSize scaled = size * scale;
        const qint64 expected = qint64(scaled.width()) * scaled.height() * 4;
        if (!pixels.isValid() || pixels.compressionAlgorithm() != QResource::NoCompression ||
            pixels.size() != expected)
            continue;
        QImage image(pixels.data(), scaled.width(), scaled.height(),
                     QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
