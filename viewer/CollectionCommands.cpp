#include "CollectionCommands.h"

#include "CBookmarkListDlg.h"
#include "CBookmarkNameDlg.h"
#include "CBrowseWizard.h"
#include "CCategoryDlg.h"
#include "Catalogue.h"
#include "Categories.h"
#include "MessageBox.h"
#include "Navigator.h"

CollectionCommands::CollectionCommands(Navigator& navigator, Profile profile)
    : m_navigator(navigator), m_favourites(profile), m_bookmarks(profile) {}

ViewState& CollectionCommands::State() {
    return m_navigator.State();
}

void CollectionCommands::Browse() {
    ViewState& s = State();
    // "< Back" in the category dialog and a cancelled list of bookmarks open
    // the wizard again, with the mode as it was.
    for (;;) {
        const ViewMode previous = s.m_nMode;
        CBrowseWizard wizard(m_favourites, m_bookmarks, static_cast<int>(s.m_nMode),
                             s.m_bLowColour == 1);
        if (wizard.DoModal() != IDOK) {
            s.m_bSlideShow = 0;
            return;
        }
        s.m_nMode = static_cast<ViewMode>(wizard.m_nChoice);
        if (ActOnChoice(wizard.m_nChoice))
            return;
        s.m_nMode = previous;
    }
}

bool CollectionCommands::ActOnChoice(int choice) {
    switch (choice) {
    case CBrowseWizard::kChoiceAll:
        ShowAll();
        return true;
    case CBrowseWizard::kChoiceFavourites:
        ShowFavourites();
        return true;
    case CBrowseWizard::kChoiceCategory:
        return ChooseCategory();
    case CBrowseWizard::kChoiceBookmark:
        return LoadBookmark();
    default:
        // The wizard's OK without a choice in all-cartoons mode: nothing to do.
        return true;
    }
}

void CollectionCommands::ShowAll() {
    ViewState& s = State();
    s.m_nMode = ViewMode::all;
    s.m_nCurrentTreasury = 1;
    s.m_nTreasury1 = 1;
    s.m_nImageMax = s.m_nCatalogueSize;
    StepFrom(0);
}

void CollectionCommands::ShowFavourites() {
    const int count = ReadFavourites();
    // The favourites may have gone since the wizard offered them.
    if (count == 0) {
        ShowAll();
        return;
    }
    State().m_nImageMax = count;
    StepFrom(0);
}

bool CollectionCommands::ChooseCategory() {
    CCategoryDlg dialog;
    if (dialog.DoModal() != IDOK)
        return false;
    ViewState& s = State();
    s.m_nCategory = dialog.m_nCategory;
    SetCategoryCode(s.m_nCategory, s.m_strCategoryShort);
    s.m_nTreasury1 = 1;
    s.m_nCurrentTreasury = 1;
    s.m_nImageMax = s.m_nCatalogueSize;
    StepFrom(0);
    return true;
}

int CollectionCommands::ReadFavourites() {
    ViewState& s = State();
    const QStringList names = m_favourites.Names(kFavouriteListSize);
    for (int slot = 1; slot < s.m_favourites.size(); ++slot)
        s.m_favourites[slot] = slot <= names.size() ? names.at(slot - 1) : QString();
    s.m_nFavTotal = static_cast<int>(names.size());
    return s.m_nFavTotal;
}

void CollectionCommands::StepFrom(int position) {
    State().m_nImageCounter = position;
    m_navigator.StepForward();
}

void CollectionCommands::AddFavourite() {
    switch (m_favourites.Add(State().m_strCurrentName)) {
    case FavouriteStore::AddResult::alreadySaved:
        AfxMessageBox(QStringLiteral("Already saved as a favorite"), MB_OK);
        break;
    case FavouriteStore::AddResult::unsaved:
        ReportUnsavedSettings(m_favourites.Store());
        break;
    default:
        break;
    }
}

void CollectionCommands::RemoveFavourite() {
    ViewState& s = State();
    const ListRemoval removal = m_favourites.Remove(s.m_strCurrentName);
    if (removal.found && !removal.saved) {
        // Nothing changed: the view stays where it is.
        ReportUnsavedSettings(m_favourites.Store());
        return;
    }
    // A name another program took out already: the view follows the store.
    const int remaining = removal.total;
    if (remaining <= 0) {
        AfxMessageBox(QStringLiteral("No Cartoons Left In Favorite Category"), MB_OK);
        s.m_bCover = 1;
        s.m_nMode = ViewMode::all;
        s.m_nImageMax = s.m_nCatalogueSize;
        StepFrom(1); // the cover takes no position: the next step shows position 2
        Browse();
        return;
    }
    s.m_nImageMax = ReadFavourites();
    // The position now holds the favourite that followed; past the end the
    // step wraps to the first.
    StepFrom(s.m_nImageCounter - 1);
}

void CollectionCommands::SaveBookmark() {
    CBookmarkNameDlg dialog(m_bookmarks);
    if (dialog.DoModal() != IDOK)
        return;
    const ViewState& s = State();
    const Bookmark bookmark{s.m_nMode,           s.m_nCurrentTreasury, s.m_nImageCounter,
                            s.m_nTreasury1,      s.m_nImageMax,        s.m_nCategory,
                            s.m_strCategoryShort};
    // What was not saved is offered again at exit.
    switch (m_bookmarks.Save(dialog.m_strName, bookmark)) {
    case BookmarkStore::SaveResult::saved:
        State().m_bMoved = 0;
        break;
    case BookmarkStore::SaveResult::unsaved:
        ReportUnsavedSettings(m_bookmarks.Store());
        break;
    case BookmarkStore::SaveResult::refused:
        break;
    }
}

bool CollectionCommands::LoadBookmark() {
    CBookmarkListDlg dialog(m_bookmarks);
    if (dialog.DoModal() != IDOK)
        return false;
    TakeUp(m_bookmarks.Load(dialog.m_strName));
    StepFrom(State().m_nImageCounter - 1);
    return true;
}

namespace {
// A list the state can page through: hand-edited values that name no list,
// no treasury but the first, or a place outside the list become the whole
// catalogue from its first cartoon.
void Settle(ViewState& s) {
    s.m_nCurrentTreasury = 1;
    s.m_nTreasury1 = 1;
    const bool known =
        s.m_nMode == ViewMode::all || s.m_nMode == ViewMode::favourites ||
        (s.m_nMode == ViewMode::category &&
         FindInCategory(kFirstPosition, QStringView(s.m_strCategoryShort), WalkDirection::forward)
             .has_value());
    if (!known) {
        s.m_nMode = ViewMode::all;
        s.m_nImageCounter = kFirstPosition;
    }
    if (s.m_nMode != ViewMode::favourites)
        s.m_nImageMax = s.m_nCatalogueSize;
    if (s.m_nImageCounter < kFirstPosition || s.m_nImageCounter > s.m_nImageMax)
        s.m_nImageCounter = kFirstPosition;
}
} // namespace

void CollectionCommands::TakeUp(const Bookmark& bookmark) {
    ViewState& s = State();
    s.m_nMode = bookmark.mode;
    s.m_nImageCounter = bookmark.imageCounter;
    s.m_nImageMax = bookmark.imageMax;
    if (s.m_nMode == ViewMode::favourites) {
        const int count = ReadFavourites();
        if (count == 0) {
            // The favourites have gone since the bookmark was saved.
            s.m_nMode = ViewMode::all;
            s.m_nImageMax = s.m_nCatalogueSize;
            s.m_nImageCounter = kFirstPosition;
        } else {
            s.m_nImageMax = count;
            s.m_nImageCounter = std::min(s.m_nImageCounter, count);
        }
    }
    s.m_nCategory = bookmark.category;
    s.m_strCategoryShort = bookmark.categoryShort;
    s.m_nCurrentTreasury = bookmark.currentTreasury;
    s.m_nTreasury1 = bookmark.treasury1;
    Settle(s);
}
