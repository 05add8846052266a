#pragma once

#include <QChar>
#include <QString>

// Where the Quelby CD is: the drive letter of the last successful search. A
// failed search keeps the letter it had.
class CdLocator {
public:
    // Discovers the drives afresh and searches their roots in order, CD-ROM drives only, for the
    // exact (case-sensitive) label; the first match wins. In diagnostic mode
    // the root found is recorded as "lastdriveletter" in test.ini.
    bool FindCD();

    // Null until the first successful search.
    QChar DriveLetter() const { return m_driveLetter; }
    void SetDiagnostic(bool on) { m_diagnostic = on; }

private:
    QChar m_driveLetter;
    bool m_diagnostic = false;
};
