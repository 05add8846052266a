#pragma once

#include <QString>

// GetPrivateProfileIntA and WritePrivateProfileStringA on a file named
// without a path, which lives in the Windows directory stand-in.
namespace privateprofile {
// The "Windows directory": <data>/Vanto Corp (XDG_DATA_HOME), created on demand.
QString WindowsDirectory();
// The value's leading decimal digits (after blanks, with an optional sign) give
// the integer; a missing section or key, or no digits, gives the default.
int GetInt(const QString& section, const QString& key, int defaultValue,
           const QString& fileName = QStringLiteral("test.ini"));
QString GetString(const QString& section, const QString& key, const QString& defaultValue,
                  const QString& fileName = QStringLiteral("test.ini"));
bool WriteString(const QString& section, const QString& key, const QString& value,
                 const QString& fileName = QStringLiteral("test.ini"));
} // namespace privateprofile
