#pragma once

#include <QChar>
#include <QString>

// Where the Quelby CD is: the label sought and the drive letter of the last
// successful search. A failed search keeps the letter it had.
class CdLocator {
public:
    static constexpr const char* kVolumeLabel = "QUELBY_CDH";

    // Discovers the drives afresh and searches their roots in order, CD-ROM drives only, for the
    // exact (case-sensitive) label; the first match wins. In diagnostic mode
    // the root found is recorded as "lastdriveletter" in test.ini.
    bool FindCD();

    QChar DriveLetter() const { return m_driveLetter; }
    bool HasDriveLetter() const { return !m_driveLetter.isNull(); }
    void SetDriveLetter(QChar letter) { m_driveLetter = letter; }
    const QString& VolumeLabel() const { return m_volumeLabel; }
    void SetVolumeLabel(const QString& label) { m_volumeLabel = label; }
    void SetDiagnostic(bool on) { m_diagnostic = on; }

private:
    QString m_volumeLabel = QString::fromLatin1(kVolumeLabel);
    QChar m_driveLetter; // unset until the first successful search
    bool m_diagnostic = false;
};
