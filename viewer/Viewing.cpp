#include "Viewing.h"

#include "Abort.h"
#include "Catalogue.h"
#include "CollectionCommands.h"
#include "CquelbyDoc.h"
#include "File.h"
#include "MessageBox.h"
#include "PrivateProfile.h"
#include "ViewTitles.h"
#include "ViewerSettings.h"
#include "WaitCursor.h"

#include <QFileInfo>

namespace {
const QString kUnableToOpen = QStringLiteral("Unable to open file, check CDROM drive");
const QString kUnableToLoad = QStringLiteral("Unable to load file, check CDROM drive");
const QString kInsertCd = QStringLiteral("Please Insert The Quelby CD");
const QString kCdNotFound = QStringLiteral("The Quelby CD was not Found\n\nProgram Aborting!");
constexpr unsigned kOpenFlags = CFile::modeRead | CFile::shareDenyWrite;
} // namespace

Viewing::Viewing(CquelbyDoc& doc, Profile profile)
    : m_doc(doc), m_profile(std::move(profile)),
      m_collections(std::make_unique<CollectionCommands>(
          m_state, [this] { StepForward(); }, m_profile)) {}

Viewing::~Viewing() = default;

void Viewing::CheckCdAtStart() {
    m_state.m_nDiagnostic =
        privateprofile::GetInt(viewersettings::kTestSection, viewersettings::kDiagnostic, 0);
    m_cd.SetDiagnostic(m_state.IsDiagnostic());
    if (!m_cd.FindCD()) {
        AfxMessageBox(kInsertCd, MB_OK);
        if (!m_cd.FindCD()) {
            Abort(MB_ICONSTOP);
        }
    }
    m_state.m_nSaveOnExit = viewersettings::ReadSaveOnExit(m_profile);
}

void Viewing::SetLowColour(bool low) {
    m_state.m_bLowColour = low ? 1 : 0;
}

void Viewing::StepForward() {
    Step(Direction::forward);
}
void Viewing::StepBack() {
    Step(Direction::back);
}

void Viewing::ShowCover() {
    m_state.m_bCover = 1;
    StepForward();
}

void Viewing::ShowOpenedFile(bool opened) {
    m_bShowingOpenedFile = opened;
    Refresh();
}

void Viewing::Refresh() {
    emit PictureChanged();
}

void Viewing::Step(Direction direction) {
    m_doc.ReleasePicture();
    m_bShowingOpenedFile = false;
    int& position = m_state.m_selection.imageCounter;
    const int last = m_state.m_selection.imageMax;
    if (direction == Direction::forward) {
        ++position;
        // A position outside the list (a damaged bookmark) restarts the lap.
        if (position > last || position < kFirstPosition)
            position = kFirstPosition;
    } else {
        --position;
        if (position <= 0 || position > last)
            position = last;
    }
    if (Load(BuildPath(direction)) == LoadResult::failed)
        return;
    AfterLoad();
    if (direction == Direction::forward && m_state.m_bCover) {
        // The cover takes no position: the next step shows the one after it.
        m_state.m_bCover = 0;
        m_state.m_bMoved = 0;
        --position;
    } else {
        m_state.m_bMoved = 1;
    }
}

QString Viewing::BuildPath(Direction direction) {
    const QChar drive = m_cd.DriveLetter();
    if (m_state.m_bCover) {
        m_state.m_strCurrentName = QString::fromLatin1(ViewState::kCoverName);
        return CoverPath(drive, m_state.m_bLowColour ? 8 : 24);
    }
    Selection& s = m_state.m_selection;
    if (s.mode == ViewMode::category)
        s.imageCounter = WalkCategory(s.imageCounter, direction);
    const QString name = NameAt(s.imageCounter);
    m_state.m_strCurrentName = name;
    return CartoonPath(drive, name);
}

QString Viewing::NameAt(int position) const {
    switch (m_state.m_selection.mode) {
    case ViewMode::all:
    case ViewMode::category:
        return m_state.m_selection.currentTreasury == 1 ? m_doc.CatalogueEntry(position)
                                                        : QString();
    case ViewMode::favourites:
        return m_state.Favourite(position);
    }
    return {};
}

int Viewing::WalkCategory(int position, Direction direction) const {
    const auto walk =
        direction == Direction::forward ? WalkDirection::forward : WalkDirection::back;
    // One lap at most: a code that no name holds (a hand-edited bookmark)
    // leaves the position where it is.
    const std::optional<int> found =
        FindInCategory(position, QStringView(m_state.m_selection.categoryShort), walk,
                       m_state.m_selection.imageMax);
    return found.value_or(position);
}

Viewing::LoadResult Viewing::Load(QString path) {
    CFile file;
    if (!OpenWithRetry(file, path))
        return LoadResult::failed;
    return ReadWithRetry(file, path) ? LoadResult::loaded : LoadResult::failed;
}

bool Viewing::OpenWithRetry(CFile& file, QString& path) {
    if (file.Open(path, kOpenFlags))
        return true;
    if (!m_cd.FindCD()) {
        // The CD is gone: ask for it, and open the file again where it is now.
        AskForCdOrAbort();
        path[0] = m_cd.DriveLetter();
        if (file.Open(path, kOpenFlags))
            return true;
    }
    AfxMessageBox(kUnableToOpen, MB_OK);
    return false;
}

bool Viewing::ReadWithRetry(CFile& file, QString& path) {
    for (int attempt = 0;; ++attempt) {
        try {
            CWaitCursor wait;
            m_doc.LoadBitmap(file);
            file.Close();
            return true;
        } catch (const CFileException&) {
            file.Abort();
            m_doc.ReleasePicture();
        }
        if (attempt > 0 || m_cd.FindCD())
            break;
        AskForCdOrAbort();
        path[0] = m_cd.DriveLetter();
        if (!file.Open(path, kOpenFlags)) {
            AfxMessageBox(kUnableToOpen, MB_OK);
            return false;
        }
    }
    AfxMessageBox(kUnableToLoad, MB_OK);
    return false;
}

void Viewing::AskForCdOrAbort() {
    AfxMessageBox(kInsertCd, MB_OK);
    if (m_cd.FindCD())
        return;
    Abort(0);
}

void Viewing::Abort(unsigned iconStyle) {
    m_bAborting = true;
    AfxMessageBox(kCdNotFound, MB_OK | iconStyle);
    AfxAbort();
}

void Viewing::AfterLoad() {
    if (!m_doc.HasPicture() && m_state.IsDiagnostic())
        AfxMessageBox(QStringLiteral("Load Failed"), MB_OK);
    viewtitles::UpdateCaptionTexts(m_state);
    if (m_state.m_bLowColour)
        emit PaletteChanged();
    emit PictureChanged();
}

bool Viewing::Browse() {
    return m_collections->Browse();
}
void Viewing::AddFavourite() {
    m_collections->AddFavourite();
}
void Viewing::RemoveFavourite() {
    m_collections->RemoveFavourite();
}
void Viewing::SaveBookmark() {
    m_collections->SaveBookmark();
}
bool Viewing::LoadBookmark() {
    return m_collections->LoadBookmark();
}
void Viewing::Show(const Selection& selection) {
    m_collections->Show(selection);
}

void Viewing::ToggleSaveOnExit() {
    m_state.m_nSaveOnExit = m_state.m_nSaveOnExit == 1 ? 0 : 1;
}

void Viewing::BeginSlideShow(bool fullScreen) {
    m_state.m_bSlideShow = 1;
    m_state.m_bFullScreen = fullScreen ? 1 : 0;
    emit SlideShowStarted(fullScreen);
}

void Viewing::EndSlideShow() {
    const bool wasFullScreen = m_state.m_bFullScreen == 1;
    m_state.m_bSlideShow = 0;
    m_state.m_bFullScreen = 0;
    emit SlideShowEnded(wasFullScreen);
}

void Viewing::ExitWork() {
    if (m_bAborting || AfxIsAborting())
        return;
    if (m_state.m_nSaveOnExit == 1 && m_state.m_bMoved == 1)
        SaveBookmark();
    if (m_state.m_nSaveOnExit == 1)
        m_state.m_bMoved = 0;
    // The choice is kept for the next start; the bookmark, if any, reported
    // its own failure.
    if (!m_profile.WriteInt(viewersettings::kSection, viewersettings::kSaveOnExit,
                            m_state.m_nSaveOnExit))
        ReportUnsavedSettings(m_profile);
}

bool Viewing::CanAddFavourite() const {
    return m_state.m_selection.mode != ViewMode::favourites && !m_state.IsCoverShown();
}
bool Viewing::CanRemoveFavourite() const {
    return m_state.m_selection.mode == ViewMode::favourites;
}
bool Viewing::CanSaveBookmark() const {
    return !m_state.IsCoverShown();
}
bool Viewing::CanLoadBookmark() const {
    return m_collections->Bookmarks().Total() != 0;
}

QString Viewing::DocumentTitle() const {
    return m_bShowingOpenedFile ? QFileInfo(m_doc.GetPathName()).fileName()
                                : viewtitles::DocumentTitle(m_state);
}

void Viewing::RecordBadPicture() const {
    if (m_state.IsDiagnostic())
        privateprofile::WriteString(viewersettings::kTestSection, m_state.m_strCurrentName,
                                    viewersettings::kBadPicture);
}
