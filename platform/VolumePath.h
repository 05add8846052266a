#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Paths below a drive's root, as Windows programs write them.
namespace volumepath {
// The components of "\quelby\images\t1\NAME" (either slash), without empty
// ones and "."; ".." steps back but never above the root. nullopt for a path
// with no file name.
std::optional<QStringList> Split(const QString& relativePath);
// A name as the file system stores it against the name asked for: letter
// case does not count, nor an ISO 9660 version suffix (";1") or the dot that
// ISO 9660 keeps on a name without extension ("README.").
bool SameName(const QString& stored, const QString& wanted);
// The name without its version suffix and ISO 9660's empty extension.
QString Plain(const QString& name);
// What names are matched by: equal keys are the same name.
QString Key(const QString& name);
} // namespace volumepath
