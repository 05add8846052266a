#include "CyclePosition.h"

#include <algorithm>

namespace {
constexpr int kCatalogueTreasury = 1;
} // namespace

CyclePosition::CyclePosition(const Selection& stored, const QStringList& favourites)
    : m_selection(stored) {
    Selection& s = m_selection;
    if (s.mode == ViewMode::favourites) {
        if (!favourites.isEmpty()) {
            m_favourites = favourites;
            s.imageMax = static_cast<int>(favourites.size());
            s.imageCounter = std::clamp(s.imageCounter, 0, s.imageMax);
            return;
        }
        // Nothing to show among the favourites: all cartoons instead.
        s.mode = ViewMode::all;
        s.currentTreasury = kCatalogueTreasury;
        s.imageCounter = 0;
        s.all = 1;
        s.treasury1 = 1;
        s.imageMax = kCatalogueSize;
    }
    // A lap never reaches past the catalogue.
    s.imageMax = std::clamp(s.imageMax, kFirstPosition, kCatalogueSize);
    s.imageCounter = std::clamp(s.imageCounter, 0, s.imageMax);
}

void CyclePosition::Advance() {
    Selection& s = m_selection;
    ++s.imageCounter;
    if (s.imageCounter > s.imageMax) {
        if (s.mode == ViewMode::favourites)
            s.imageMax = static_cast<int>(m_favourites.size());
        s.imageCounter = kFirstPosition;
    }
}

QString CyclePosition::CatalogueEntry(int position) const {
    return m_selection.currentTreasury == kCatalogueTreasury ? CatalogueNameString(position)
                                                             : QString();
}

QString CyclePosition::Next() {
    Advance();
    Selection& s = m_selection;
    switch (s.mode) {
    case ViewMode::all:
        return CatalogueEntry(s.imageCounter);
    case ViewMode::category: {
        if (s.currentTreasury != kCatalogueTreasury)
            return {};
        // One lap at most: a code that no name holds leaves the turn without
        // a name, and the position where the step put it.
        const std::optional<int> found = FindInCategory(
            s.imageCounter, QStringView(s.categoryShort), WalkDirection::forward, s.imageMax);
        if (!found)
            return {};
        s.imageCounter = *found;
        return CatalogueEntry(s.imageCounter);
    }
    case ViewMode::favourites:
        return m_favourites.value(s.imageCounter - 1);
    }
    return {};
}
