#pragma once

#include <QString>
#include <optional>

// The application's profile (CWinApp's GetProfileInt, GetProfileString,
// WriteProfileInt, WriteProfileString) kept as an INI file in the user's
// config folder: <config>/<organisation>/<application>.ini. Every write is on
// disk before it returns; writes of two processes to different keys of the
// same file merge without loss. Any section name of 1 to 200 characters
// reads back identical.
class Profile {
public:
    Profile(QString organisation, QString application);

    int GetInt(const QString& section, const QString& entry, int defaultValue) const;
    QString GetString(const QString& section, const QString& entry, const QString& defaultValue = {}) const;
    bool WriteInt(const QString& section, const QString& entry, int value);
    // No value deletes the entry; no entry deletes the whole section.
    bool WriteString(const QString& section, const std::optional<QString>& entry,
                     const std::optional<QString>& value);
    QString FilePath() const;

private:
    QString m_organisation;
    QString m_application;
};
