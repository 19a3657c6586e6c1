#include "app/bitmaps.h"

#include <QImage>
#include <QString>

#include <memory>
#include <mutex>
#include <strings.h>
#include <vector>

// The pictures are compiled into this library; a static library keeps its
// resource data only when something names it.
static void InitPictureResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    (void)done;
}

namespace {

struct CachedPicture {
    QByteArray name;
    std::unique_ptr<QImage> image;
};

std::mutex cacheMutex;
std::vector<CachedPicture> cache;

const QImage* GetPicture(const char* name, const char* folder, const char* format)
{
    if (!name)
        return nullptr;
    std::lock_guard lock(cacheMutex);
    for (const CachedPicture& entry : cache)
        if (strcasecmp(entry.name.constData(), name) == 0)
            return entry.image.get();
    InitPictureResources();
    const QString path = QStringLiteral(":/%1/%2").arg(QLatin1String(folder), QString::fromLatin1(name).toUpper());
    auto image = std::make_unique<QImage>(path, format);
    if (image->isNull())
        return nullptr;
    cache.push_back({ QByteArray(name), std::move(image) });
    return cache.back().image.get();
}

} // namespace

const QImage* GetJpgBitmap(const char* name)
{
    return GetPicture(name, "JPG", "JPG");
}

const QImage* GetResourceBitmap(const char* name)
{
    return GetPicture(name, "BITMAP", "BMP");
}
