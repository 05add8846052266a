#pragma once

#include "ProfileLock.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

// Changes to a profile that reach its file together, as one replacement:
// a reader sees the file as it was before them or with all of them.
class ProfileEdit {
public:
    void SetInt(const QString& section, const QString& entry, int value);
    void SetString(const QString& section, const QString& entry, const QString& value);
    void RemoveEntry(const QString& section, const QString& entry);
    void RemoveSection(const QString& section);
    bool IsEmpty() const { return m_changes.empty(); }

private:
    friend class Profile;
    struct Change {
        QString section;
        std::optional<QString> entry;  // none: the whole section goes
        std::optional<QVariant> value; // none: the entry goes
    };
    std::vector<Change> m_changes;
};

// The application's profile (CWinApp's GetProfileInt, GetProfileString,
// WriteProfileInt, WriteProfileString) kept as an INI file in the user's
// config folder: <config>/<organisation>/<application>.ini. Every write is on
// disk before it returns; writes of two processes to different keys of the
// same file merge without loss. Any section name of 1 to 200 characters
// reads back identical.
//
// A command that reads values and then writes on what it read (add a
// favourite, save a bookmark) holds Lock() across the whole step; every write
// takes the same lock, so no other program's write lands inside the step, and
// the step's reads see every write another program completed before it.
class Profile {
public:
    // The names both programs give the application: the profile's root and
    // key, and the caption of message boxes. Both share one profile, so that
    // the saver reads the viewer's favourites.
    static constexpr const char* kOrganisation = "Vanto Corp";
    static constexpr const char* kApplication = "Quelby";
    // Sets those names on QCoreApplication.
    static void NameApplication();

    Profile(QString organisation, QString application);
    // The program's profile, under the names its main set on QCoreApplication.
    static Profile App();

    // The stored integer; the default when the entry is missing or not a number.
    int GetInt(const QString& section, const QString& entry, int defaultValue) const;
    QString GetString(const QString& section, const QString& entry,
                      const QString& defaultValue = {}) const;
    // False when the value did not reach the disk.
    bool WriteInt(const QString& section, const QString& entry, int value);
    // No value deletes the entry; no entry deletes the whole section.
    bool WriteString(const QString& section, const std::optional<QString>& entry,
                     const std::optional<QString>& value);
    // Every change of the edit in one replacement of the file, under the
    // lock; false, with the file as it was, when it could not be written or
    // a change names an empty section or entry.
    bool Write(const ProfileEdit& edit);
    // What to tell the user when a command's settings did not reach the
    // file: the file, and why it cannot be written now.
    QString UnsavedMessage() const;
    // The names of a section's entries, sorted.
    QStringList Entries(const QString& section) const;
    // Every entry of a section with its value as GetString gives it, read at once.
    QMap<QString, QString> Values(const QString& section) const;
    QString FilePath() const;

    // Waits until no other program is in a step on this profile, then holds
    // the profile until the guard is released. Nests on one thread.
    ProfileLock Lock() const;

    // How a section or entry name is stored: '%', '/' and '\' percent-encoded,
    // since the settings file treats slashes as group separators.
    static QString EncodeName(const QString& name);
    static QString DecodeName(const QString& stored);

private:
    QString m_organisation;
    QString m_application;
};
