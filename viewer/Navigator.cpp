#include "Navigator.h"

#include "Abort.h"
#include "AppProfile.h"
#include "Catalogue.h"
#include "CquelbyDoc.h"
#include "File.h"
#include "MessageBox.h"
#include "PrivateProfile.h"
#include "Profile.h"
#include "ViewTitles.h"
#include "WaitCursor.h"

namespace {
const QString kUnableToOpen = QStringLiteral("Unable to open file, check CDROM drive");
const QString kUnableToLoad = QStringLiteral("Unable to load file, check CDROM drive");
const QString kInsertCd = QStringLiteral("Please Insert The Quelby CD");
const QString kCdNotFound = QStringLiteral("The Quelby CD was not Found\n\nProgram Aborting!");
constexpr unsigned kOpenFlags = CFile::modeRead | CFile::shareDenyWrite;
} // namespace

Navigator::Navigator(CquelbyDoc& doc) : m_doc(doc) {}

void Navigator::CheckCdAtStart() {
    m_state.m_nDiagnostic =
        privateprofile::GetInt(QStringLiteral("quelby"), QStringLiteral("test"), 0);
    m_cd.SetDiagnostic(m_state.IsDiagnostic());
    m_cd.SetVolumeLabel(QString::fromLatin1(CdLocator::kVolumeLabel));
    if (!m_cd.FindCD()) {
        AfxMessageBox(kInsertCd, MB_OK);
        if (!m_cd.FindCD()) {
            Abort(MB_ICONSTOP);
        }
    }
    m_state.m_nSaveOnExit =
        AppProfile().GetInt(QStringLiteral("cdrom"), QStringLiteral("saveonexit"), 1);
}

bool Navigator::FindCD() {
    return m_cd.FindCD();
}

void Navigator::StepForward() {
    Step(Direction::forward);
}
void Navigator::StepBack() {
    Step(Direction::back);
}

void Navigator::Step(Direction direction) {
    m_doc.ReleasePicture();
    m_bShowingOpenedFile = false;
    int& position = m_state.m_nImageCounter;
    if (direction == Direction::forward) {
        ++position;
        // A position outside the list (a damaged bookmark) restarts the lap.
        if (position > m_state.m_nImageMax || position < m_state.m_nFirstImage)
            position = m_state.m_nFirstImage;
    } else {
        --position;
        if (position <= 0 || position > m_state.m_nImageMax)
            position = m_state.m_nImageMax;
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

QString Navigator::BuildPath(Direction direction) {
    const QChar drive = m_cd.DriveLetter();
    if (m_state.m_bCover) {
        m_state.m_strCurrentName = QString::fromLatin1(ViewState::kCoverName);
        return CoverPath(drive, m_state.m_bLowColour ? 8 : 24);
    }
    if (m_state.m_nMode == ViewMode::category)
        m_state.m_nImageCounter = WalkCategory(m_state.m_nImageCounter, direction);
    const QString name = NameAt(m_state.m_nImageCounter);
    m_state.m_strCurrentName = name;
    return CartoonPath(drive, name);
}

QString Navigator::NameAt(int position) const {
    switch (m_state.m_nMode) {
    case ViewMode::all:
    case ViewMode::category:
        return m_state.m_nCurrentTreasury == 1 ? m_doc.CatalogueEntry(position) : QString();
    case ViewMode::favourites:
        return m_state.Favourite(position);
    }
    return {};
}

int Navigator::WalkCategory(int position, Direction direction) const {
    const auto walk =
        direction == Direction::forward ? WalkDirection::forward : WalkDirection::back;
    // One lap at most: a code that no name holds (a hand-edited bookmark)
    // leaves the position where it is.
    const std::optional<int> found = FindInCategory(
        position, QStringView(m_state.m_strCategoryShort), walk, m_state.m_nImageMax);
    return found.value_or(position);
}

Navigator::LoadResult Navigator::Load(QString path) {
    CFile file;
    if (!OpenWithRetry(file, path))
        return LoadResult::failed;
    return ReadWithRetry(file, path) ? LoadResult::loaded : LoadResult::failed;
}

bool Navigator::OpenWithRetry(CFile& file, QString& path) {
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

bool Navigator::ReadWithRetry(CFile& file, QString& path) {
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

void Navigator::AskForCdOrAbort() {
    AfxMessageBox(kInsertCd, MB_OK);
    if (m_cd.FindCD())
        return;
    Abort(0);
}

void Navigator::Abort(unsigned iconStyle) {
    m_bAborting = true;
    AfxMessageBox(kCdNotFound, MB_OK | iconStyle);
    AfxAbort();
}

void Navigator::AfterLoad() {
    if (!m_doc.HasPicture() && m_state.IsDiagnostic())
        AfxMessageBox(QStringLiteral("Load Failed"), MB_OK);
    viewtitles::UpdateCaptionTexts(m_state);
    if (m_state.m_bLowColour && m_host.realizePalette)
        m_host.realizePalette();
    if (m_host.invalidate)
        m_host.invalidate();
}
