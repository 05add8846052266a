#include "WallpaperCommand.h"

#include "CquelbyDoc.h"
#include "MessageBox.h"
#include "PrivateProfile.h"
#include "WaitCursor.h"
#include "Wallpaper.h"

#include <QDir>
#include <QFileInfo>

namespace wallpapercommand {

void Run(CquelbyDoc& doc) {
    const QString directory = privateprofile::WindowsDirectory();
    if (directory.isEmpty() || !QFileInfo(directory).isDir()) {
        AfxMessageBox(QStringLiteral("Unable to determine Windows directory"), MB_OK);
        return;
    }
    const QString path = QDir(directory).filePath(QString::fromLatin1(kFileName));
    if (AfxMessageBox(QStringLiteral("Change Windows Wallpaper to Current Image?"), MB_YESNO) !=
        IDYES)
        return;
    switch (doc.WriteWallpaperFile(path)) {
    case CquelbyDoc::WriteResult::written:
        break;
    case CquelbyDoc::WriteResult::reported:
        return;
    case CquelbyDoc::WriteResult::refused:
        AfxMessageBox(doc.HasPicture()
                          ? QStringLiteral("The current image cannot be written as a wallpaper.")
                          : QStringLiteral("There is no image to make the wallpaper."),
                      MB_OK);
        return;
    }
    wallpaper::Result result;
    {
        CWaitCursor wait;
        result = wallpaper::SetDesktopWallpaper(path);
    }
    if (result.outcome == wallpaper::Result::Outcome::failed)
        AfxMessageBox(QStringLiteral("The current image is saved as\n%1\nbut the desktop "
                                     "wallpaper could not be changed (%2).\nYou can choose "
                                     "this file as the wallpaper in the desktop's settings.")
                          .arg(QDir::toNativeSeparators(path), result.problem),
                      MB_OK);
}

} // namespace wallpapercommand
