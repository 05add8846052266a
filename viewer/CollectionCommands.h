#pragma once

#include "BookmarkStore.h"
#include "FavouriteStore.h"

#include <QString>
#include <functional>

struct ViewState;

// The viewing model's commands that choose the list in force and keep the
// user's collections: the browse wizard, adding and removing a favourite,
// saving and loading a bookmark. They change the model's state and take its
// forward step; the dialogs they run are the real ones.
class CollectionCommands {
public:
    CollectionCommands(ViewState& state, std::function<void()> stepForward, const Profile& profile);

    // False when the wizard was cancelled.
    bool Browse();
    void AddFavourite();
    void RemoveFavourite();
    void SaveBookmark();
    // False when the list of bookmarks was cancelled: nothing changed.
    bool LoadBookmark();
    // Takes up a stored selection and shows its place.
    void Show(const Selection& selection);

    const BookmarkStore& Bookmarks() const { return m_bookmarks; }

private:
    ViewState& State() { return m_state; }
    // Each returns false when its dialog was cancelled.
    bool ActOnChoice(int choice);
    bool ChooseCategory();
    void ShowAll();
    void ShowFavourites();
    // Fills the view's list from the store; returns how many it holds.
    int ReadFavourites();
    void StepFrom(int position);
    void TakeUp(const Selection& bookmark);

    ViewState& m_state;
    std::function<void()> m_stepForward;
    FavouriteStore m_favourites;
    BookmarkStore m_bookmarks;
};
