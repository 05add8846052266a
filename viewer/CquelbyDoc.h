#pragma once

#include "Picture.h"

#include <QObject>
#include <QSize>
#include <QString>

class CFile;
class CFileException;

// The document: the catalogue of cartoon names and the picture now shown
// with its palette. It is never marked modified, so closing never asks to save.
class CquelbyDoc : public QObject {
    Q_OBJECT
public:
    CquelbyDoc();
    ~CquelbyDoc() override;

    // Entries 1 to 743 hold the catalogue; any other entry is empty.
    QString CatalogueEntry(int position) const;

    // The picture now shown (none at first), its palette (none for a picture
    // without a colour table) and its size (1 x 1 until the first picture).
    // Only LoadBitmap and ReleasePicture change them; the picture is lent for
    // painting, copying and writing.
    bool HasPicture() const { return m_picture.HasBitmap(); }
    ::Picture& Picture() { return m_picture; }
    CPalette* Palette() const { return m_picture.Palette(); }
    QSize PictureSize() const { return m_picture.Size(); }

    // Frees the picture and its palette; both become none.
    void ReleasePicture();
    // The one way a picture comes in, for Open and for the forward and back
    // steps: releases the picture held, reads the bitmap file from an open
    // file positioned at its start, then takes its size and builds its
    // palette (a top-down bitmap is dropped). Returns whether the document
    // holds a picture. A CFileException from the file passes to the caller
    // and leaves the document with none.
    bool LoadBitmap(CFile& file);

    bool OnNewDocument();
    bool OnOpenDocument(const QString& pathName);
    bool OnSaveDocument(const QString& pathName);

    // The wallpaper's file, written by the same routine as the save hook.
    // The file is replaced only once the whole picture is written, so a
    // failed write leaves the earlier file (the desktop may show it) whole.
    // A picture with a core header is written behind an information header.
    enum class WriteResult { written, refused, reported };
    // refused: no picture, or one that cannot be written; nothing was shown.
    // reported: the failure went to the user in the framework's message.
    WriteResult WriteWallpaperFile(const QString& pathName);

    // The framework's Save As (proposes a name from the title, asks for a
    // path; a failed write leaves no file and an earlier one whole) and Save (the
    // path a Save As of this run chose, else Save As).
    bool DoSave(const QString& pathName, bool replace = true);
    bool DoFileSave();

    void SetTitle(const QString& title);
    const QString& GetTitle() const { return m_strTitle; }
    void SetPathName(const QString& pathName);
    const QString& GetPathName() const { return m_strPathName; }
    bool IsModified() const { return false; }

    // The framework's report of a failed load or save, by the exception's cause.
    static void ReportSaveLoadException(const QString& pathName, const CFileException* e,
                                        bool saving, const QString& defaultText);

signals:
    void TitleChanged(const QString& title);

private:
    // The save hook's work: writes the bitmap to the path and reports a
    // failure of the file under the name reportedPath.
    WriteResult WriteBitmapTo(const QString& pathName, HDIB& hDIB, const QString& reportedPath);

    ::Picture m_picture;
    QString m_strTitle;
    QString m_strPathName;
    QString m_strSavedAsPath; // the file a successful Save As of this run chose
};
