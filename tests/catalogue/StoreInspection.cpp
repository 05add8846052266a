#include "StoreInspection.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <algorithm>

namespace {
// The names listed in a section, with a breach for each missing or repeated one.
QStringList Listed(const Profile& profile, const QString& section, QStringList& breaches) {
    const int total = profile.GetInt(section, QStringLiteral("total"), 0);
    QStringList names;
    for (int number = 1; number <= total; ++number) {
        const QString entry = QString::number(number);
        const QString name = profile.GetString(section, entry, QStringLiteral("<missing>"));
        if (!profile.Entries(section).contains(entry))
            breaches.append(section + QStringLiteral(": entry ") + entry +
                            QStringLiteral(" missing"));
        else if (names.contains(name))
            breaches.append(section + QStringLiteral(": ") + name +
                            QStringLiteral(" listed twice"));
        names.append(name);
    }
    return names;
}
} // namespace

QStringList BookmarkKeys() {
    QStringList keys = {"mode", "currentTreasury", "imageCounter", "treasury1", "imageMax",
                        "all",  "category",        "categoryShort"};
    keys.sort();
    return keys;
}

QStringList InvariantBreaches(const Profile& profile, const QStringList& otherSections) {
    QStringList breaches;
    Listed(profile, QStringLiteral("fav"), breaches);
    const QStringList bookmarks = Listed(profile, QStringLiteral("bookmark"), breaches);
    for (const QString& name : bookmarks) {
        QStringList keys = profile.Entries(name);
        keys.sort();
        if (keys != BookmarkKeys())
            breaches.append(QStringLiteral("section ") + name + QStringLiteral(" holds ") +
                            keys.join(QLatin1Char(' ')));
    }
    QSet<QString> allowed(bookmarks.cbegin(), bookmarks.cend());
    allowed << QStringLiteral("fav") << QStringLiteral("bookmark");
    for (const QString& other : otherSections)
        allowed << other;
    const QSettings file(profile.FilePath(), QSettings::IniFormat);
    for (const QString& group : file.childGroups()) {
        if (!allowed.contains(Profile::DecodeName(group)))
            breaches.append(QStringLiteral("stray section ") + Profile::DecodeName(group));
    }
    return breaches;
}

QByteArray ProfileBytes(const Profile& profile) {
    QFile file(profile.FilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void PutProfileText(const Profile& profile, const QByteArray& text) {
    const QFileInfo before(profile.FilePath());
    QDir().mkpath(before.absolutePath());
    // A person saves seconds after any program; the file's time says so, as
    // the settings' readers go by it.
    const QDateTime saved =
        before.exists() ? before.lastModified().addSecs(2) : QDateTime::currentDateTime();
    QFile file(profile.FilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    file.write(text);
    file.flush();
    file.setFileTime(std::max(saved, QDateTime::currentDateTime()),
                     QFileDevice::FileModificationTime);
}
