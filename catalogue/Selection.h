#pragma once

#include "Catalogue.h"

#include <QString>

// Which list is in force and where it stands: what the viewer pages through,
// what a bookmark keeps and what the saver's settings hold. A hand-edited
// profile may give any integer for any of these, the mode included; each
// program checks them when it takes them up. Default-constructed, all are
// zero and the code is empty.
struct Selection {
    ViewMode mode{};
    int currentTreasury = 0;
    int treasury1 = 0;
    int all = 0; // stored, read by neither program
    int imageCounter = 0;
    int imageMax = 0;
    int category = 0;
    QString categoryShort;

    bool operator==(const Selection&) const = default;
};

// The keys a selection is stored under, in a bookmark's section and in the
// saver's.
namespace selectionkeys {
inline const QString kMode = QStringLiteral("mode");
inline const QString kCurrentTreasury = QStringLiteral("currentTreasury");
inline const QString kTreasury1 = QStringLiteral("treasury1");
inline const QString kAll = QStringLiteral("all");
inline const QString kImageCounter = QStringLiteral("imageCounter");
inline const QString kImageMax = QStringLiteral("imageMax");
inline const QString kCategory = QStringLiteral("category");
inline const QString kCategoryShort = QStringLiteral("categoryShort");
} // namespace selectionkeys

// The sections of the profile the programs keep their own settings in; every
// other section is a bookmark's.
namespace profilesections {
inline const QString kViewer = QStringLiteral("cdrom");
inline const QString kFavourites = QStringLiteral("fav");
inline const QString kBookmarks = QStringLiteral("bookmark");
inline const QString kSaver = QStringLiteral("ScreenSaver");
// A list section counts its entries "1" to "total" in this one.
inline const QString kTotalEntry = QStringLiteral("total");
// No bookmark may take one of these names (the attached drives' section
// included), or saving and deleting it would change or remove those settings.
bool IsReserved(const QString& name);
} // namespace profilesections
