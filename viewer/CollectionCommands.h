#pragma once

#include "BookmarkStore.h"
#include "FavouriteStore.h"

#include <QString>

class Navigator;
struct ViewState;

// The commands that choose the list in force and keep the user's
// collections: the browse wizard, adding and removing a favourite, saving
// and loading a bookmark. They change the view's state and take the forward
// step through the navigator; the dialogs they run are the real ones.
class CollectionCommands {
public:
    explicit CollectionCommands(Navigator& navigator, Profile profile = Profile::App());

    void Browse();
    void AddFavourite();
    void RemoveFavourite();
    void SaveBookmark();
    // False when the list of bookmarks was cancelled: nothing changed.
    bool LoadBookmark();

    FavouriteStore& Favourites() { return m_favourites; }
    BookmarkStore& Bookmarks() { return m_bookmarks; }

private:
    ViewState& State();
    // Each returns false when its dialog was cancelled.
    bool ActOnChoice(int choice);
    bool ChooseCategory();
    void ShowAll();
    void ShowFavourites();
    // Fills the view's list from the store; returns how many it holds.
    int ReadFavourites();
    void StepFrom(int position);
    void TakeUp(const Bookmark& bookmark);

    Navigator& m_navigator;
    FavouriteStore m_favourites;
    BookmarkStore m_bookmarks;
};
