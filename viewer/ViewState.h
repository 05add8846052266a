#pragma once

#include "Catalogue.h"
#include "Categories.h"

#include <QString>
#include <QStringList>

// The view's state, in the order the view has always declared it. The drive
// letter and volume label live in CdLocator. Flags hold 0 or 1; the integers
// are stored as they are in bookmarks, so they keep their plain types. The
// mode may hold a stored value that names no list.
struct ViewState {
    static constexpr int kFavouritesCapacity = 750;
    static constexpr const char* kCoverName = "Vanto CD Home";

    QString m_strCurrentName;                                    // "Vanto CD Home" on the cover
    QStringList m_favourites = QStringList(kFavouritesCapacity); // entries 1 .. m_nFavTotal
    QString m_strCategoryShort;
    QString m_strCaptionName;
    QString m_strTreasury; // "Treasury: 1"
    QString m_strPage;     // "Page: 208"
    int m_nTreasury1 = 1;
    int m_nCatalogueSize = kCatalogueSize;
    int m_nFavTotal = 0;
    int m_nCurrentTreasury = 1;
    int m_nCategory = kInitialCategoryNumber;
    int m_nImageMax = kCatalogueSize;
    int m_nFirstImage = kFirstPosition;
    int m_nImageCounter = 0;
    ViewMode m_nMode = ViewMode::all;
    int m_nBookmarkDialog = 1;
    int m_bCover = 1;
    int m_nSaveOnExit = 1;
    int m_bSlideShow = 0;
    int m_bFullScreen = 0;
    int m_bLowColour = 1;
    int m_bMoved = 0;
    int m_nDiagnostic = 0;

    bool IsDiagnostic() const { return m_nDiagnostic == 1; }
    bool IsCoverShown() const { return m_strCurrentName == QLatin1String(kCoverName); }
    // The favourites entry at a 1-based position; empty outside the list.
    QString Favourite(int position) const;
};
