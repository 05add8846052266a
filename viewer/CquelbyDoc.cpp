#include "CquelbyDoc.h"

#include "CSaveFile.h"
#include "Catalogue.h"
#include "DibConvert.h"
#include "DibFile.h"
#include "File.h"
#include "FileDialogs.h"
#include "MessageBox.h"
#include "ViewTitles.h"
#include "WaitCursor.h"

#include <QFile>
#include <QFileInfo>

namespace {
// The framework's texts for the causes it knows; %1 is the file's name.
QString CauseText(CFileException::Cause cause, bool saving) {
    using C = CFileException::Cause;
    switch (cause) {
    case C::fileNotFound:
    case C::badPath:
        return QStringLiteral(
            "%1\nCannot find this file.\nPlease verify that the correct path and file name "
            "are given.");
    case C::diskFull:
        return QStringLiteral("Destination disk drive is full.");
    case C::accessDenied:
        return saving ? QStringLiteral(
                            "Unable to write to %1, it is read-only or opened by someone else.")
                      : QStringLiteral("Unable to read from %1, it is opened by someone else.");
    case C::sharingViolation:
        return QStringLiteral("Unable to access %1, it is opened by someone else.");
    default:
        return {};
    }
}
} // namespace

CquelbyDoc::CquelbyDoc() = default;
CquelbyDoc::~CquelbyDoc() = default;

QString CquelbyDoc::CatalogueEntry(int position) const {
    return CatalogueNameString(position);
}

void CquelbyDoc::ReleasePicture() {
    m_picture.Release();
}

bool CquelbyDoc::LoadBitmap(CFile& file) {
    // Released first, so that the old and the new bitmap are never held at once.
    ReleasePicture();
    // A top-down bitmap is dropped without a word.
    m_picture.Prepare(ReadBitmapFile(file));
    return HasPicture();
}

bool CquelbyDoc::OnNewDocument() {
    return true;
}

bool CquelbyDoc::OnOpenDocument(const QString& pathName) {
    ReleasePicture();
    CFile file;
    CFileException fe;
    if (!file.Open(pathName, CFile::modeRead | CFile::shareDenyWrite, &fe)) {
        ReportSaveLoadException(pathName, &fe, false, QStringLiteral("Failed to open document."));
        return false;
    }
    bool loaded = false;
    {
        CWaitCursor wait;
        try {
            loaded = LoadBitmap(file);
        } catch (const CFileException& e) {
            file.Abort();
            ReportSaveLoadException(pathName, &e, false,
                                    QStringLiteral("Failed to open document."));
            return false;
        }
    }
    if (!loaded)
        return false;
    SetPathName(pathName);
    return true;
}

bool CquelbyDoc::OnSaveDocument(const QString& pathName) {
    return WriteBitmapTo(pathName, m_picture.Dib(), pathName) == WriteResult::written;
}

CquelbyDoc::WriteResult CquelbyDoc::WriteBitmapTo(const QString& pathName, HDIB& hDIB,
                                                  const QString& reportedPath) {
    // Written beside the target and put in its place only when whole: a
    // failed write leaves an earlier file as it was and makes none.
    CSaveFile file;
    CFileException fe;
    if (!file.Open(pathName, &fe)) {
        ReportSaveLoadException(reportedPath, &fe, true, QStringLiteral("Invalid filename."));
        return WriteResult::reported;
    }
    CWaitCursor wait;
    try {
        if (!WriteBitmapFile(hDIB, file))
            return WriteResult::refused;
        file.Commit();
        return WriteResult::written;
    } catch (const CFileException& e) {
        file.Abort();
        ReportSaveLoadException(reportedPath, &e, true, QStringLiteral("Failed to save document."));
        return WriteResult::reported;
    }
}

CquelbyDoc::WriteResult CquelbyDoc::WriteWallpaperFile(const QString& pathName) {
    if (!HasPicture())
        return WriteResult::refused;
    HDIB widened = InfoHeaderCopy(m_picture.Dib()); // none unless the header is a core header
    return WriteBitmapTo(pathName, widened ? widened : m_picture.Dib(), pathName);
}

bool CquelbyDoc::DoSave(const QString& pathName, bool replace) {
    QString newName = pathName;
    if (newName.isEmpty()) {
        newName = m_strPathName;
        if (replace && newName.isEmpty())
            newName = viewtitles::ProposedSaveName(m_strTitle);
        const std::optional<QString> chosen =
            FileDialogs::GetSaveFileName(newName, QStringLiteral("Quelby Files (*.bmp)"));
        if (!chosen)
            return false;
        newName = *chosen;
    }
    CWaitCursor wait;
    if (!OnSaveDocument(newName))
        return false;
    if (replace) {
        SetPathName(newName);
        m_strSavedAsPath = newName;
    }
    return true;
}

bool CquelbyDoc::DoFileSave() {
    // Only a file this run's Save As chose is written without asking: a
    // picture the user opened is never overwritten by what is shown later.
    const QFileInfo info(m_strSavedAsPath);
    if (m_strSavedAsPath.isEmpty() || !info.exists() || !info.isWritable())
        return DoSave(QString());
    return DoSave(m_strSavedAsPath);
}

void CquelbyDoc::SetTitle(const QString& title) {
    m_strTitle = title;
    emit TitleChanged(m_strTitle);
}

void CquelbyDoc::SetPathName(const QString& pathName) {
    m_strPathName = pathName;
    SetTitle(QFileInfo(pathName).fileName());
}

void CquelbyDoc::ReportSaveLoadException(const QString& pathName, const CFileException* e,
                                         bool saving, const QString& defaultText) {
    QString prompt = e ? CauseText(e->m_cause, saving) : QString();
    if (prompt.isEmpty())
        prompt = defaultText;
    AfxMessageBox(prompt.arg(QFileInfo(pathName).fileName()), MB_ICONEXCLAMATION);
}
