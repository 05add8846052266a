#pragma once

#include "Catalogue.h"
#include "Categories.h"
#include "Selection.h"

#include <QString>
#include <QStringList>

// The viewing state: the list in force and the place in it, the favourites
// read for it, the texts of the caption and the viewer's flags. Flags hold 0
// or 1. Only the viewing model changes it; the drive letter lives in
// CdLocator.
struct ViewState {
    static constexpr int kFavouritesCapacity = 750;
    static constexpr const char* kCoverName = "Vanto CD Home";

    Selection m_selection{ViewMode::all,          1,        1, 0, 0, kCatalogueSize,
                          kInitialCategoryNumber, QString()};
    QString m_strCurrentName;                                    // "Vanto CD Home" on the cover
    QStringList m_favourites = QStringList(kFavouritesCapacity); // entries 1 .. m_nFavTotal
    QString m_strCaptionName;
    QString m_strTreasury; // "Treasury: 1"
    QString m_strPage;     // "Page: 208"
    int m_nCatalogueSize = kCatalogueSize;
    int m_nFavTotal = 0;
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
