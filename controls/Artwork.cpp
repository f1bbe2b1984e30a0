// The artwork store: decoded pictures kept for the life of the application object.
#include "Artwork.h"

#include <QCoreApplication>
#include <QHash>
#include <QPixmapCache>

namespace artwork {

namespace {

// Room in the toolkit's own picture cache, which style sheets load their backgrounds through:
// the window's backgrounds are 1260 x 700 (3.4 MB decoded each) and do not fit the default
// 10 MB together, so every widget polished under one would decode it again. The style rules
// hold the decoded backgrounds anyway, so keeping one copy of each costs no memory.
constexpr int kToolkitCacheKb = 40 * 1024;

struct Store {
    QHash<QString, QPixmap> pictures;
};

Store *store = nullptr;

// Dropped with the application object: pictures must not outlive the toolkit.
void dropStore() {
    delete store;
    store = nullptr;
}

Store &theStore() {
    if (!store) {
        store = new Store;
        if (QCoreApplication::instance())
            qAddPostRoutine(dropStore);
        if (QPixmapCache::cacheLimit() < kToolkitCacheKb)
            QPixmapCache::setCacheLimit(kToolkitCacheKb);
    }
    return *store;
}

QString knobFramePath(const char *pattern, int frame) {
    const int clock = 700 + (frame / 2) * 100 + (frame % 2) * 30;
    return QString::fromLatin1(pattern).arg(clock);
}

} // namespace

QPixmap pixmap(const QString &path) {
    Store &s = theStore();
    const auto found = s.pictures.constFind(path);
    if (found != s.pictures.constEnd())
        return *found;
    const QPixmap picture(path);
    if (!picture.isNull())
        s.pictures.insert(path, picture);
    return picture;
}

std::vector<QPixmap> knobFrames(const char *pattern) {
    std::vector<QPixmap> frames;
    frames.reserve(kKnobFrames);
    for (int k = 0; k < kKnobFrames; ++k)
        frames.push_back(pixmap(knobFramePath(pattern, k)));
    return frames;
}

} // namespace artwork
