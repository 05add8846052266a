#include "Profile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// A hand-edited value with commas reads back as a list.
QString Text(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

QString Key(const QString& section, const QString& entry) {
    return Profile::EncodeName(section) + QLatin1Char('/') + Profile::EncodeName(entry);
}

// QSettings decides whether the file changed since it last read it by its
// size and modification time in milliseconds, and a clock tick is coarser
// than that: two writes of one size within a tick would look alike, and a
// reader that had the first would keep it. So each write leaves the file a
// time later than the one it replaced; a step's reads then see every write
// that came before the step. The larger steps serve file systems that keep
// times in whole seconds or in two-second units.
void StampLaterThan(const QString& path, const QDateTime& previous) {
    for (const qint64 step : {1, 1000, 2000}) {
        if (QFileInfo(path).lastModified() > previous)
            return;
        const qint64 ms = previous.toMSecsSinceEpoch() + step;
        if (ms < 0)
            return;
        const timespec times[2] = {{0, UTIME_OMIT}, {ms / 1000, (ms % 1000) * 1000000}};
        if (::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) != 0)
            return;
    }
}

// QSettings opens the file itself, and opening a FIFO would wait for a writer
// for ever: a profile that is there but not an ordinary file is not used.
bool Usable(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return errno == ENOENT;
    return S_ISREG(st.st_mode);
}

QString Key(const std::optional<QString>& entry, const QString& section) {
    return entry ? Key(section, *entry) : Profile::EncodeName(section);
}
} // namespace

Profile::Profile(QString organisation, QString application)
    : m_organisation(std::move(organisation)), m_application(std::move(application)) {}

void Profile::NameApplication() {
    QCoreApplication::setOrganizationName(QString::fromLatin1(kOrganisation));
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplication));
}

Profile Profile::App() {
    return Profile(QCoreApplication::organizationName(), QCoreApplication::applicationName());
}

QString Profile::FilePath() const {
    // Asked each time, so that a changed XDG_CONFIG_HOME takes effect.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config + QLatin1Char('/') + m_organisation + QLatin1Char('/') + m_application +
           QStringLiteral(".ini");
}

ProfileLock Profile::Lock() const {
    // Not the settings' own "<file>.lock", which every sync takes and drops.
    const QString path = FilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    return ProfileLock(path + QStringLiteral(".lock-step"));
}

QString Profile::EncodeName(const QString& name) {
    QString stored;
    stored.reserve(name.size());
    for (const QChar c : name) {
        if (c == QLatin1Char('%'))
            stored += QStringLiteral("%25");
        else if (c == QLatin1Char('/'))
            stored += QStringLiteral("%2F");
        else if (c == QLatin1Char('\\'))
            stored += QStringLiteral("%5C");
        else
            stored += c;
    }
    return stored;
}

QString Profile::DecodeName(const QString& stored) {
    QString name;
    name.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        bool ok = false;
        const int code = stored[i] == QLatin1Char('%') && i + 2 < stored.size()
                             ? stored.mid(i + 1, 2).toInt(&ok, 16)
                             : 0;
        if (ok) {
            name += QChar(code);
            i += 2;
        } else {
            name += stored[i];
        }
    }
    return name;
}

int Profile::GetInt(const QString& section, const QString& entry, int defaultValue) const {
    if (!Usable(FilePath()))
        return defaultValue;
    const QSettings settings(FilePath(), QSettings::IniFormat);
    bool ok = false;
    const int value = settings.value(Key(section, entry)).toString().trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

QString Profile::GetString(const QString& section, const QString& entry,
                           const QString& defaultValue) const {
    if (!Usable(FilePath()))
        return defaultValue;
    const QSettings settings(FilePath(), QSettings::IniFormat);
    const QVariant value = settings.value(Key(section, entry));
    return value.isValid() ? Text(value) : defaultValue;
}

void ProfileEdit::SetInt(const QString& section, const QString& entry, int value) {
    m_changes.push_back({section, entry, QVariant(value)});
}

void ProfileEdit::SetString(const QString& section, const QString& entry, const QString& value) {
    m_changes.push_back({section, entry, QVariant(value)});
}

void ProfileEdit::RemoveEntry(const QString& section, const QString& entry) {
    m_changes.push_back({section, entry, std::nullopt});
}

void ProfileEdit::RemoveSection(const QString& section) {
    m_changes.push_back({section, std::nullopt, std::nullopt});
}

bool Profile::WriteInt(const QString& section, const QString& entry, int value) {
    ProfileEdit edit;
    edit.SetInt(section, entry, value);
    return Write(edit);
}

bool Profile::WriteString(const QString& section, const std::optional<QString>& entry,
                          const std::optional<QString>& value) {
    ProfileEdit edit;
    if (!entry)
        edit.RemoveSection(section);
    else if (!value)
        edit.RemoveEntry(section, *entry);
    else
        edit.SetString(section, *entry, *value);
    return Write(edit);
}

bool Profile::Write(const ProfileEdit& edit) {
    // An empty name would stand for the whole file.
    for (const ProfileEdit::Change& change : edit.m_changes) {
        if (change.section.isEmpty() || (change.entry && change.entry->isEmpty()))
            return false;
    }
    const QString path = FilePath();
    const ProfileLock lock = Lock(); // also makes the folder
    if (!Usable(path))
        return false;
    const QFileInfo before(path);
    const std::optional<QDateTime> previous =
        before.exists() ? std::optional(before.lastModified()) : std::nullopt;
    // QSettings merges the changes into the file as it is now and replaces
    // the file whole, once, when it syncs.
    QSettings settings(path, QSettings::IniFormat);
    for (const ProfileEdit::Change& change : edit.m_changes) {
        const QString key = Key(change.entry, change.section);
        if (change.value)
            settings.setValue(key, *change.value);
        else
            settings.remove(key);
    }
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return false;
    if (previous)
        StampLaterThan(path, *previous);
    return true;
}

QString Profile::UnsavedMessage() const {
    const QString path = FilePath();
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const QByteArray file = QFile::encodeName(path);
    QString reason = QStringLiteral("the disk may be full");
    if (!Usable(path))
        reason = QStringLiteral("it is not an ordinary file");
    // The file is replaced by a new one made in its folder.
    else if (::access(folder.constData(), W_OK) != 0 ||
             (::access(file.constData(), F_OK) == 0 && ::access(file.constData(), W_OK) != 0))
        reason = QString::fromLocal8Bit(std::strerror(errno));
    return QStringLiteral("The settings could not be saved in %1: %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

QStringList Profile::Entries(const QString& section) const {
    if (!Usable(FilePath()))
        return {};
    QSettings settings(FilePath(), QSettings::IniFormat);
    settings.beginGroup(EncodeName(section));
    QStringList entries;
    for (const QString& key : settings.childKeys())
        entries.append(DecodeName(key));
    return entries;
}

QMap<QString, QString> Profile::Values(const QString& section) const {
    if (section.isEmpty() || !Usable(FilePath()))
        return {};
    QSettings settings(FilePath(), QSettings::IniFormat);
    settings.beginGroup(EncodeName(section));
    QMap<QString, QString> values;
    for (const QString& key : settings.childKeys())
        values.insert(DecodeName(key), Text(settings.value(key)));
    return values;
}
