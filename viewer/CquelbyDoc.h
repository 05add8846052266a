#pragma once

#include "Dib.h"
#include "Palette.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <memory>

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

    // Frees the picture and its palette; both become none.
    void ReleasePicture();
    // Picture size and palette right after a read; drops a top-down bitmap.
    void PrepareBitmap();

    bool OnNewDocument();
    bool OnOpenDocument(const QString& pathName);
    bool OnSaveDocument(const QString& pathName);

    // The framework's Save As (proposes a name from the title, asks for a
    // path, deletes the file it made when the write fails) and Save (the
    // document's path once one is known, else Save As).
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

    HDIB m_hDIB;
    std::unique_ptr<CPalette> m_pPalette;
    QSize m_sizeDoc{1, 1};

signals:
    void TitleChanged(const QString& title);

private:
    QString m_strTitle;
    QString m_strPathName;
    bool m_bSaveCreatedFile = false; // the last OnSaveDocument created or truncated its file
};
