#pragma once

#include <QString>
#include <QStringList>

// Test media: folders of files turned into ISO 9660 images with genisoimage.
namespace isomaker {
bool Available();
// Writes files (relative path -> contents) below folder.
void WriteFiles(const QString& folder, const QList<QPair<QString, QByteArray>>& files);
// genisoimage -quiet -V label [options] -o image folder; false when it fails.
bool MakeIso(const QString& folder, const QString& image, const QString& label,
             const QStringList& options = {});
// Bytes that tell their own offset, so a misplaced read shows.
QByteArray Pattern(int size, int seed);
} // namespace isomaker
