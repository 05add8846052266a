#pragma once

#include "BuiltInPictures.h"
#include "CyclePosition.h"
#include "Picture.h"
#include "Profile.h"

#include <QChar>
#include <QSize>
#include <QString>
#include <optional>

class MessageReporter;
class QPainter;

// The saver's cycle of pictures, the state of its drawing window: what it
// reads when it starts, the next picture of each turn from the CD or among
// the built-in ones, the diagnostic records and what it stores when it ends.
// It draws through the painter a turn gives it and owns no window.
class CartoonCycle {
public:
    static constexpr const char* kTestSection = "quelbyscreensaver";

    // Searches for the CD and reads the settings, the favourites in
    // favourites mode and the diagnostic switch; records "startmemory" in
    // diagnostic mode. Messages go to the reporter.
    CartoonCycle(Profile profile, MessageReporter& reporter);
    ~CartoonCycle();
    CartoonCycle(const CartoonCycle&) = delete;
    CartoonCycle& operator=(const CartoonCycle&) = delete;

    // One turn's picture, drawn on a screen already filled black: the next
    // cartoon from the CD centred at its own size, or the next built-in
    // picture while there is no CD. screen: the size pictures are centred
    // in; hasMainWindow: whether the application has its main window.
    void ShowNextPicture(QPainter& dc, QSize screen, bool hasMainWindow);

    // The exit save: the position reached and what is shown, but only when
    // the user asked for it ("saveOnExit" 1) and the CD was there.
    void SaveOnExit();

    // Looks for the CD among the drives: the first CD-ROM drive whose volume
    // label is the CD's exactly. Found, the CD counts as present and its
    // drive letter is kept; otherwise nothing changes.
    bool FindCD();

    int Delay() const { return m_nDelay; }
    bool IsDiagnostic() const { return m_bDiagnostic; }
    bool IsCdPresent() const { return m_bCdPresent; }
    QChar DriveLetter() const { return m_chDrive; }
    const QString& CurrentName() const { return m_strCurrentName; }
    const CyclePosition& Position() const { return m_position; }
    const BuiltInPictures& BuiltIn() const { return m_builtIn; }
    int Turns() const { return m_nTurns; }
    bool HasPicture() const { return m_picture.HasBitmap(); }
    QSize PictureSize() const { return m_picture.Size(); }
    // Replaces the view time, as the host's -delay does.
    void SetDelay(int seconds) { m_nDelay = seconds; }

    // "E:\quelby\images\t1\1T208HI1.BMP": the drive, the folder of the name's
    // treasury and the name; a name holding "col" lies in the covers' folder.
    static QString PathOf(QChar drive, const QString& name);

private:
    void ShowCartoon(QPainter& dc, QSize screen, bool hasMainWindow, const QString& path);
    void ShowBuiltIn(QPainter& dc, QSize screen);
    // The bitmap of the path's file (none for a file that is no bitmap); no
    // value when the file could not be opened or read.
    std::optional<HDIB> ReadPicture(const QString& path);
    void Record(const QString& key, const QString& value) const;
    void RecordMemory(const QString& key) const;

    Profile m_profile;
    MessageReporter& m_reporter;
    Picture m_picture;
    QString m_strCurrentName;
    bool m_bCdPresent = false;
    // Before the CD is found: the drive of the folder template.
    QChar m_chDrive = QLatin1Char('c');
    BuiltInPictures m_builtIn;
    CyclePosition m_position;
    int m_nSaveOnExit = 1;
    int m_nDelay = 3;
    bool m_bLowColour = true;
    bool m_bDiagnostic = false;
    int m_nTurns = 0;
};
