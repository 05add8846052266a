#pragma once

#include <QByteArray>
#include <QStringList>
#include <optional>

// A Windows-style INI file as its lines, so that a change touches only the
// line it concerns: comments, order, other sections and the line ending stay.
// Section and key names match regardless of case; the first match counts.
class IniLines {
public:
    explicit IniLines(const QByteArray& bytes);

    std::optional<QString> Value(const QString& section, const QString& key) const;
    void Set(const QString& section, const QString& key, const QString& value);
    bool RemoveKey(const QString& section, const QString& key);
    bool RemoveSection(const QString& section);
    QByteArray Bytes() const;

private:
    struct Section {
        qsizetype header; // the "[name]" line
        qsizetype end;    // one past its last line
    };
    std::optional<Section> FindSection(const QString& name) const;
    std::optional<qsizetype> FindKey(const Section& section, const QString& key) const;

    QStringList m_lines;
    QString m_eol = QStringLiteral("\r\n");
};
