#include "quenkit/controls/Bitmaps.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

#include <mutex>

namespace quenkit {

namespace {

void registerOwnFolder()
{
    static std::once_flag once;
    std::call_once(once, [] {
        QDir::addSearchPath(QString::fromLatin1(kBitmapSearchPrefix),
                            QStringLiteral(":/quenkit/controls/bitmaps"));
    });
}

bool isSvg(const QString &path)
{
    return path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
}

}  // namespace

QString bitmapFile(const QString &name)
{
    registerOwnFolder();
    if (name.isEmpty())
        return {};
    static const char *const extensions[] = {".svg", ".png", ".bmp"};
    QStringList spellings{name};
    if (name.toUpper() != name)
        spellings << name.toUpper();
    const QStringList folders = QDir::searchPaths(QString::fromLatin1(kBitmapSearchPrefix));
    for (const QString &folder : folders) {
        for (const QString &spelling : spellings) {
            for (const char *extension : extensions) {
                const QString path = folder + QLatin1Char('/') + spelling + QLatin1String(extension);
                if (QFileInfo::exists(path))
                    return path;
            }
        }
    }
    return {};
}

QSize imageFileSize(const QString &path)
{
    if (path.isEmpty())
        return {};
    if (isSvg(path)) {
        const QSvgRenderer renderer(path);
        return renderer.isValid() ? renderer.defaultSize() : QSize();
    }
    QImageReader reader(path);
    return reader.size();
}

QPixmap imageFilePixmap(const QString &path, QSize size, qreal devicePixelRatio)
{
    if (path.isEmpty())
        return {};
    if (size.isEmpty())
        size = imageFileSize(path);
    if (size.isEmpty())
        return {};
    const QString key = QStringLiteral("quenkit-bitmap:%1:%2x%3@%4")
                            .arg(path)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(devicePixelRatio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;

    const QSize devicePixels = size * devicePixelRatio;
    if (isSvg(path)) {
        QSvgRenderer renderer(path);
        if (!renderer.isValid())
            return {};
        pixmap = QPixmap(devicePixels);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
    } else {
        QImageReader reader(path);
        const QImage image = reader.read();
        if (image.isNull())
            return {};
        pixmap = QPixmap::fromImage(image.size() == devicePixels
                                        ? image
                                        : image.scaled(devicePixels, Qt::IgnoreAspectRatio,
                                                       Qt::SmoothTransformation));
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QSize bitmapSize(const QString &name)
{
    return imageFileSize(bitmapFile(name));
}

QPixmap bitmapPixmap(const QString &name, QSize size, qreal devicePixelRatio)
{
    return imageFilePixmap(bitmapFile(name), size, devicePixelRatio);
}

}  // namespace quenkit
