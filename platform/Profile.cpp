#include "Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {
QString Key(const QString& section, const QString& entry) {
    return Profile::EncodeName(section) + QLatin1Char('/') + Profile::EncodeName(entry);
}

// Makes the change, then merges it into the file under the settings' lock
// file; true only when the file was written.
template <typename Change> bool WriteThrough(const QString& path, Change change) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings settings(path, QSettings::IniFormat);
    change(settings);
    settings.sync();
    return settings.status() == QSettings::NoError;
}
} // namespace

Profile::Profile(QString organisation, QString application)
    : m_organisation(std::move(organisation)), m_application(std::move(application)) {}

Profile Profile::App() {
    return Profile(QCoreApplication::organizationName(), QCoreApplication::applicationName());
}

QString Profile::FilePath() const {
    // Asked each time, so that a changed XDG_CONFIG_HOME takes effect.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config + QLatin1Char('/') + m_organisation + QLatin1Char('/') + m_application +
           QStringLiteral(".ini");
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
    const QSettings settings(FilePath(), QSettings::IniFormat);
    bool ok = false;
    const int value = settings.value(Key(section, entry)).toString().trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

QString Profile::GetString(const QString& section, const QString& entry,
                           const QString& defaultValue) const {
    const QSettings settings(FilePath(), QSettings::IniFormat);
    const QVariant value = settings.value(Key(section, entry));
    if (!value.isValid())
        return defaultValue;
    // A hand-edited value with commas reads back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

bool Profile::WriteInt(const QString& section, const QString& entry, int value) {
    if (section.isEmpty() || entry.isEmpty())
        return false;
    return WriteThrough(FilePath(), [&](QSettings& s) { s.setValue(Key(section, entry), value); });
}

bool Profile::WriteString(const QString& section, const std::optional<QString>& entry,
                          const std::optional<QString>& value) {
    // An empty name would stand for the whole file.
    if (section.isEmpty() || (entry && entry->isEmpty()))
        return false;
    return WriteThrough(FilePath(), [&](QSettings& s) {
        if (!entry)
            s.remove(EncodeName(section));
        else if (!value)
            s.remove(Key(section, *entry));
        else
            s.setValue(Key(section, *entry), *value);
    });
}

QStringList Profile::Entries(const QString& section) const {
    QSettings settings(FilePath(), QSettings::IniFormat);
    settings.beginGroup(EncodeName(section));
    QStringList entries;
    for (const QString& key : settings.childKeys())
        entries.append(DecodeName(key));
    return entries;
}
