#include "PrivateProfile.h"

#include "ByteSource.h"
#include "IniLines.h"
#include "Profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <cstdint>

namespace privateprofile {
namespace {
// The file's lines; an empty file when there is none. nullopt when something
// is there that cannot be read as a whole (a FIFO, a device, an unreadable
// or outsized file): writing then would replace what could not be read.
std::optional<IniLines> Load(const QString& fileName) {
    constexpr std::uint64_t kLargest = 16 * 1024 * 1024;
    const QString path = FilePath(fileName);
    if (!QFileInfo::exists(path))
        return IniLines(QByteArray());
    const auto bytes = ReadSmallFile(path, kLargest);
    if (!bytes)
        return std::nullopt;
    return IniLines(*bytes);
}

bool Save(const QString& fileName, const IniLines& ini) {
    const QString path = FilePath(fileName);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = ini.Bytes();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// RtlUnicodeStringToInteger in base 10, as GetPrivateProfileInt uses it.
int LeadingInteger(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i)
        value = value * 10u + static_cast<std::uint32_t>(text[i].unicode() - '0');
    if (negative)
        value = 0u - value;
    return static_cast<int>(value);
}
} // namespace

QString WindowsDirectory() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString folder = data + QLatin1Char('/') + QLatin1String(Profile::kOrganisation);
    QDir().mkpath(folder);
    return folder;
}

QString FilePath(const QString& fileName) {
    if (QFileInfo(fileName).isAbsolute())
        return fileName;
    return WindowsDirectory() + QLatin1Char('/') + fileName;
}

QString GetString(const QString& section, const QString& key, const QString& defaultValue,
                  const QString& fileName) {
    const auto ini = Load(fileName);
    return ini ? ini->Value(section, key).value_or(defaultValue) : defaultValue;
}

int GetInt(const QString& section, const QString& key, int defaultValue, const QString& fileName) {
    const auto ini = Load(fileName);
    const auto value = ini ? ini->Value(section, key) : std::nullopt;
    if (!value || value->isEmpty())
        return defaultValue;
    return LeadingInteger(*value);
}

bool Write(const QString& section, const std::optional<QString>& key,
           const std::optional<QString>& value, const QString& fileName) {
    auto ini = Load(fileName);
    if (!ini)
        return false;
    if (!key)
        return !ini->RemoveSection(section) || Save(fileName, *ini);
    if (!value)
        return !ini->RemoveKey(section, *key) || Save(fileName, *ini);
    ini->Set(section, *key, *value);
    return Save(fileName, *ini);
}

bool WriteString(const QString& section, const QString& key, const QString& value,
                 const QString& fileName) {
    return Write(section, key, value, fileName);
}
} // namespace privateprofile
