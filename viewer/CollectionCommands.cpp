#include "CollectionCommands.h"

#include "CBookmarkListDlg.h"
#include "CBookmarkNameDlg.h"
#include "CBrowseWizard.h"
#include "CCategoryDlg.h"
#include "Catalogue.h"
#include "Categories.h"
#include "MessageBox.h"
#include "ViewState.h"

CollectionCommands::CollectionCommands(ViewState& state, std::function<void()> stepForward,
                                       const Profile& profile)
    : m_state(state), m_stepForward(std::move(stepForward)), m_favourites(profile),
      m_bookmarks(profile) {}

bool CollectionCommands::Browse() {
    ViewState& s = State();
    // "< Back" in the category dialog and a cancelled list of bookmarks open
    // the wizard again, with the mode as it was.
    for (;;) {
        const ViewMode previous = s.m_selection.mode;
        CBrowseWizard wizard(m_favourites, m_bookmarks, static_cast<int>(s.m_selection.mode),
                             s.m_bLowColour == 1);
        if (wizard.DoModal() != IDOK)
            return false;
        s.m_selection.mode = static_cast<ViewMode>(wizard.m_nChoice);
        if (ActOnChoice(wizard.m_nChoice))
            return true;
        s.m_selection.mode = previous;
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
    s.m_selection.mode = ViewMode::all;
    s.m_selection.currentTreasury = 1;
    s.m_selection.treasury1 = 1;
    s.m_selection.imageMax = s.m_nCatalogueSize;
    StepFrom(0);
}

void CollectionCommands::ShowFavourites() {
    const int count = ReadFavourites();
    // The favourites may have gone since the wizard offered them.
    if (count == 0) {
        ShowAll();
        return;
    }
    State().m_selection.imageMax = count;
    StepFrom(0);
}

bool CollectionCommands::ChooseCategory() {
    CCategoryDlg dialog;
    if (dialog.DoModal() != IDOK)
        return false;
    ViewState& s = State();
    s.m_selection.category = dialog.m_nCategory;
    SetCategoryCode(s.m_selection.category, s.m_selection.categoryShort);
    s.m_selection.treasury1 = 1;
    s.m_selection.currentTreasury = 1;
    s.m_selection.imageMax = s.m_nCatalogueSize;
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
    State().m_selection.imageCounter = position;
    m_stepForward();
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
        s.m_selection.mode = ViewMode::all;
        s.m_selection.imageMax = s.m_nCatalogueSize;
        StepFrom(1); // the cover takes no position: the next step shows position 2
        (void)Browse();
        return;
    }
    s.m_selection.imageMax = ReadFavourites();
    // The position now holds the favourite that followed; past the end the
    // step wraps to the first.
    StepFrom(s.m_selection.imageCounter - 1);
}

void CollectionCommands::SaveBookmark() {
    CBookmarkNameDlg dialog(m_bookmarks);
    if (dialog.DoModal() != IDOK)
        return;
    // What was not saved is offered again at exit.
    switch (m_bookmarks.Save(dialog.m_strName, State().m_selection)) {
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
    Show(m_bookmarks.Load(dialog.m_strName));
    return true;
}

void CollectionCommands::Show(const Selection& selection) {
    TakeUp(selection);
    StepFrom(State().m_selection.imageCounter - 1);
}

namespace {
// A list the state can page through: hand-edited values that name no list,
// no treasury but the first, or a place outside the list become the whole
// catalogue from its first cartoon.
void Settle(ViewState& s) {
    s.m_selection.currentTreasury = 1;
    s.m_selection.treasury1 = 1;
    const bool known = s.m_selection.mode == ViewMode::all ||
                       s.m_selection.mode == ViewMode::favourites ||
                       (s.m_selection.mode == ViewMode::category &&
                        FindInCategory(kFirstPosition, QStringView(s.m_selection.categoryShort),
                                       WalkDirection::forward)
                            .has_value());
    if (!known) {
        s.m_selection.mode = ViewMode::all;
        s.m_selection.imageCounter = kFirstPosition;
    }
    if (s.m_selection.mode != ViewMode::favourites)
        s.m_selection.imageMax = s.m_nCatalogueSize;
    if (s.m_selection.imageCounter < kFirstPosition ||
        s.m_selection.imageCounter > s.m_selection.imageMax)
        s.m_selection.imageCounter = kFirstPosition;
}
} // namespace

void CollectionCommands::TakeUp(const Selection& bookmark) {
    ViewState& s = State();
    Selection& selection = s.m_selection;
    selection = bookmark;
    if (selection.mode == ViewMode::favourites) {
        const int count = ReadFavourites();
        if (count == 0) {
            // The favourites have gone since the bookmark was saved.
            selection.mode = ViewMode::all;
            selection.imageMax = s.m_nCatalogueSize;
            selection.imageCounter = kFirstPosition;
        } else {
            selection.imageMax = count;
            selection.imageCounter = std::min(selection.imageCounter, count);
        }
    }
    Settle(s);
}
