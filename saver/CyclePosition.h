#pragma once

#include "Catalogue.h"
#include "SaverSettings.h"

#include <QString>
#include <QStringList>

// Where the saver stands in the list it shows: all cartoons, one category or
// the favourites, the position and the last position of a lap. Each turn
// steps to the next name. Whatever the profile holds, every name comes from
// inside the catalogue or the favourites list: positions stay between 0 and
// the last position, which stays within the list.
class CyclePosition {
public:
    // stored: the settings as read; favourites: the favourites list, read
    // only in favourites mode (at most kFavouriteListSize names). With no
    // favourites the saver shows all cartoons instead.
    CyclePosition(const Selection& stored, const QStringList& favourites);

    // Advances one position (wrapping after the last to the first) and
    // returns the name there. In category mode the position goes on to the
    // next name holding the code, one lap at most. Empty when the mode names
    // no list, the treasury is not the catalogue's, or no name holds the code.
    QString Next();

    // The values as they stand, for the exit save.
    const Selection& Stored() const { return m_selection; }
    int Position() const { return m_selection.imageCounter; }
    int LastPosition() const { return m_selection.imageMax; }

private:
    void Advance();
    QString CatalogueEntry(int position) const;

    Selection m_selection;
    QStringList m_favourites; // position n is entry n - 1
};
