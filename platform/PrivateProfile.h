#pragma once

#include <QString>
#include <optional>

// GetPrivateProfileIntA and WritePrivateProfileStringA on a file named
// without a path, which lives in the Windows directory stand-in. Sections and
// keys are found regardless of case; writes keep every other line as it was.
namespace privateprofile {
// The "Windows directory": <data>/Vanto Corp (XDG_DATA_HOME), created on demand.
QString WindowsDirectory();
// The file a name stands for: an absolute path as it is, else in the Windows directory.
QString FilePath(const QString& fileName);
// As Windows: a missing key (or an empty value) gives the default; otherwise
// the value's leading decimal number (after blanks, with an optional sign),
// 0 when it starts with no digits ("12abc" gives 12, "abc" gives 0).
int GetInt(const QString& section, const QString& key, int defaultValue,
           const QString& fileName = QStringLiteral("test.ini"));
// The value with surrounding blanks and one pair of matching quotes removed.
QString GetString(const QString& section, const QString& key, const QString& defaultValue,
                  const QString& fileName = QStringLiteral("test.ini"));
// Sets key=value in the section, creating file and section as needed; false
// when the file could not be written, or when something stands in its place
// that cannot be read whole (a FIFO, an unreadable file), which stays as it was.
bool WriteString(const QString& section, const QString& key, const QString& value,
                 const QString& fileName = QStringLiteral("test.ini"));
// WritePrivateProfileStringA with NULL arguments: no value deletes the key,
// no key deletes the section.
bool Write(const QString& section, const std::optional<QString>& key,
           const std::optional<QString>& value,
           const QString& fileName = QStringLiteral("test.ini"));
} // namespace privateprofile
