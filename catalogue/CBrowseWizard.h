#pragma once

#include "CDialog.h"

class BookmarkStore;
class FavouriteStore;

// Dialog 136: the banner and one button for each way of choosing the
// cartoons to view. A choice button ends the dialog through OK with its
// choice; "&Favorite" and "&Bookmark" are offered only when some are stored.
class CBrowseWizard : public CDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 136;
    static constexpr int kBannerId = 1012;
    static constexpr int kAllCartoonsId = 102;
    static constexpr int kCategoryId = 1034;
    static constexpr int kFavoriteId = 1036;
    static constexpr int kBookmarkId = 101;
    // The choices the buttons give.
    static constexpr int kChoiceAll = 7;
    static constexpr int kChoiceCategory = 2;
    static constexpr int kChoiceFavourites = 5;
    static constexpr int kChoiceBookmark = 6;

    // choice: the viewing mode in force, kept when the dialog ends through
    // OK without a choice button.
    CBrowseWizard(const FavouriteStore& favourites, const BookmarkStore& bookmarks, int choice,
                  bool lowColour, QWidget* parent = nullptr);

    int m_nChoice;
    int m_bLowColour;

protected:
    bool OnInitDialog() override;
    void OnCommand(int id) override;

private:
    const FavouriteStore& m_favourites;
    const BookmarkStore& m_bookmarks;
};
