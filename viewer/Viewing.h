#pragma once

#include "CdLocator.h"
#include "Profile.h"
#include "ViewState.h"

#include <QObject>
#include <QString>
#include <memory>

class BookmarkStore;
class CFile;
class CollectionCommands;
class CquelbyDoc;

// The viewing model, without a window: the state, the forward and back steps
// through the list in force, the CD check made at start and the search for
// the CD after a failed open or read, the choice of the list, the favourites
// and bookmarks, the slide show's flags and the exit work. It loads pictures
// into the document and tells the window what changed by its signals; the
// dialogs its commands run are the real ones.
class Viewing : public QObject {
    Q_OBJECT
public:
    enum class Direction { forward, back };

    explicit Viewing(CquelbyDoc& doc, Profile profile = Profile::App());
    ~Viewing() override;

    // At start, before any window: the diagnostic flag from test.ini, the
    // search, one request to insert the CD and one more search; the program
    // ends when it is still missing. Then "saveonexit" is read.
    void CheckCdAtStart();
    // The display's depth is known: the cover and the buttons follow it.
    void SetLowColour(bool low);

    void StepForward();
    void StepBack();
    // New: the cover again, as at start.
    void ShowCover();
    // Open put a picture of the user's on screen (or failed to); the next
    // step clears it.
    void ShowOpenedFile(bool opened);
    // Asks the window to paint the picture in view again.
    void Refresh();

    // The browse wizard and what its choices do; false when it was cancelled.
    bool Browse();
    void AddFavourite();
    void RemoveFavourite();
    void SaveBookmark();
    // False when the list of bookmarks was cancelled: nothing changed.
    bool LoadBookmark();
    // Takes up a selection as a bookmark's is taken up (values that name no
    // list or place are settled) and shows its place.
    void Show(const Selection& selection);
    void ToggleSaveOnExit();

    // The flags of a show: the window follows SlideShowStarted and
    // SlideShowEnded.
    void BeginSlideShow(bool fullScreen);
    void EndSlideShow();

    // When the frame closes normally (the frame runs it once): the bookmark
    // offered on exit after a move, and "saveonexit" stored.
    void ExitWork();

    // What the commands' states follow.
    bool CanAddFavourite() const;
    bool CanRemoveFavourite() const;
    bool CanSaveBookmark() const;
    bool CanLoadBookmark() const;

    // The document title for the picture just painted; in diagnostic mode a
    // picture that could not be painted is recorded in test.ini.
    QString DocumentTitle() const;
    void RecordBadPicture() const;

    const ViewState& State() const { return m_state; }
    const CdLocator& Cd() const { return m_cd; }
    // The program is ending abnormally: nothing may be saved any more.
    bool Aborting() const { return m_bAborting; }

signals:
    // A new picture, or none, is in the document.
    void PictureChanged();
    // On a low-colour display, the palette to realize changed with it.
    void PaletteChanged();
    void SlideShowStarted(bool fullScreen);
    void SlideShowEnded(bool wasFullScreen);

private:
    enum class LoadResult { loaded, failed };
    void Step(Direction direction);
    // The file to load for this step; may move the position (category mode)
    // and sets the current name.
    QString BuildPath(Direction direction);
    LoadResult Load(QString path);
    bool OpenWithRetry(CFile& file, QString& path);
    bool ReadWithRetry(CFile& file, QString& path);
    void AskForCdOrAbort();
    [[noreturn]] void Abort(unsigned iconStyle);
    void AfterLoad();
    QString NameAt(int position) const;
    int WalkCategory(int position, Direction direction) const;

    CquelbyDoc& m_doc;
    Profile m_profile;
    ViewState m_state;
    CdLocator m_cd;
    std::unique_ptr<CollectionCommands> m_collections;
    bool m_bAborting = false;
    bool m_bShowingOpenedFile = false;
};
