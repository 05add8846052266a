// A second program on the profile: "fav PREFIX COUNT" adds the favourites
// PREFIX1 ... PREFIXCOUNT, "bookmark PREFIX COUNT" saves the bookmarks
// PREFIX1 ... PREFIXCOUNT (imageCounter n), one step at a time.
#include "BookmarkStore.h"
#include "FavouriteStore.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Vanto Corp"));
    QCoreApplication::setApplicationName(QStringLiteral("Quelby"));
    if (argc != 4)
        return 2;
    const QString kind = QString::fromLocal8Bit(argv[1]);
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    const int count = QString::fromLocal8Bit(argv[3]).toInt();
    FavouriteStore favourites;
    BookmarkStore bookmarks;
    for (int i = 1; i <= count; ++i) {
        const QString name = prefix + QString::number(i);
        bool done = false;
        if (kind == QLatin1String("fav")) {
            done = favourites.Add(name) == FavouriteStore::AddResult::added;
        } else if (kind == QLatin1String("bookmark")) {
            Selection bookmark = BookmarkStore::kMissing;
            bookmark.imageCounter = i;
            done = bookmarks.Save(name, bookmark) == BookmarkStore::SaveResult::saved;
        }
        if (!done) {
            std::fprintf(stderr, "%s %d failed\n", argv[1], i);
            return 1;
        }
    }
    return 0;
}
