#include "CartoonCycle.h"

#include "Clock.h"
#include "DeviceContext.h"
#include "DibFile.h"
#include "Drives.h"
#include "FavouriteStore.h"
#include "File.h"
#include "MessageReporter.h"
#include "Paint.h"
#include "PrivateProfile.h"
#include "SaverPaint.h"

#include <QPainter>

namespace {

constexpr unsigned kOpenFlags = CFile::modeRead | CFile::shareDenyWrite;
const QString kTestSection = QString::fromLatin1(CartoonCycle::kTestSection);
// Where the diagnostic texts stand on the screen.
constexpr QPoint kTurnCountAt(10, 10);
constexpr QPoint kPathAt(10, 50);

CyclePosition ReadPosition(const Profile& profile) {
    const Selection stored = ReadSelection(profile);
    QStringList favourites;
    if (stored.mode == ViewMode::favourites)
        favourites = FavouriteStore(profile).Names(kFavouriteListSize);
    return CyclePosition(stored, favourites);
}

// TextOut in the context's colours: black on an opaque white cell whose
// top-left corner is the point.
void TextOut(QPainter& dc, QPoint at, const QString& text) {
    dc.save();
    dc.setBackgroundMode(Qt::OpaqueMode);
    dc.setBackground(Qt::white);
    dc.setPen(Qt::black);
    dc.drawText(at + QPoint(0, dc.fontMetrics().ascent()), text);
    dc.restore();
}

} // namespace

CartoonCycle::CartoonCycle(Profile profile, MessageReporter& reporter)
    : m_profile(std::move(profile)), m_reporter(reporter), m_position(ReadPosition(m_profile)) {
    FindCD();
    m_nSaveOnExit = ReadSaveOnExit(m_profile);
    m_nDelay = ReadDelay(m_profile);
    m_bLowColour = CDC::IsLowColourScreen();
    m_bDiagnostic = privateprofile::GetInt(kTestSection, QStringLiteral("test"), 0) == 1;
    if (m_bDiagnostic)
        RecordMemory(QStringLiteral("startmemory"));
}

CartoonCycle::~CartoonCycle() = default;

bool CartoonCycle::FindCD() {
    // The drives are discovered afresh: a disc inserted or an image mounted
    // while the saver runs is found.
    const std::optional<QString> root =
        DriveTable::Refresh().FindCdRoot(QString::fromLatin1(kCdVolumeLabel));
    if (!root)
        return false;
    m_bCdPresent = true;
    m_chDrive = root->at(0);
    return true;
}

QString CartoonCycle::PathOf(QChar drive, const QString& name) {
    if (!name.contains(QLatin1String("col")))
        return CartoonPath(drive, QStringView(name));
    QString path = QString::fromLatin1(kCoverFolderTemplate.data(),
                                       static_cast<qsizetype>(kCoverFolderTemplate.size()));
    path[0] = drive;
    return path + name;
}

void CartoonCycle::ShowNextPicture(QPainter& dc, QSize screen, bool hasMainWindow) {
    m_picture.Release();
    m_strCurrentName = m_position.Next();
    const QString path = PathOf(m_chDrive, m_strCurrentName);
    if (m_bDiagnostic) {
        Record(QStringLiteral("lastfile"), path);
        ++m_nTurns;
        Record(QStringLiteral("total"), QString::number(m_nTurns));
        TextOut(dc, kTurnCountAt, QString::number(m_nTurns));
        TextOut(dc, kPathAt, path);
    }
    if (m_bCdPresent)
        ShowCartoon(dc, screen, hasMainWindow, path);
    else
        ShowBuiltIn(dc, screen);
}

std::optional<HDIB> CartoonCycle::ReadPicture(const QString& path) {
    CFile file;
    if (!file.Open(path, kOpenFlags)) {
        Record(QStringLiteral("openfailed"), path);
        return std::nullopt;
    }
    try {
        HDIB hDIB = ReadBitmapFile(file);
        file.Close();
        return hDIB;
    } catch (const CFileException&) {
        Record(QStringLiteral("loadfailed"), path);
        file.Abort();
        return std::nullopt;
    }
}

void CartoonCycle::ShowCartoon(QPainter& dc, QSize screen, bool hasMainWindow,
                               const QString& path) {
    std::optional<HDIB> read = ReadPicture(path);
    if (!read)
        return;
    if (m_picture.Prepare(std::move(*read)) == Picture::Preparation::droppedTopDown)
        m_reporter.AppMessage(QStringLiteral("ERROR"));
    if (m_bLowColour) {
        CDC windowDc; // the window's own context, taken to realize the palette
        RealizePicturePalette(windowDc, m_picture, PaletteSelection::background, {});
    }
    if (m_picture.HasBitmap()) {
        CDC turnDc(dc);
        if (PaintSaverBitmap(turnDc, m_picture, screen, hasMainWindow, m_reporter) == 0) {
            Record(m_strCurrentName, QStringLiteral("screensaverbad"));
            return;
        }
    } else {
        Record(QStringLiteral("m_hDIB==NULL"), path);
    }
    RecordMemory(QStringLiteral("currentmemory"));
}

void CartoonCycle::ShowBuiltIn(QPainter& dc, QSize screen) {
    const BuiltInPictures::Turn turn = m_builtIn.Next();
    const QImage bitmap = BuiltInPictures::Load(turn.bitmapId);
    if (turn.searchForCd)
        FindCD();
    BuiltInPictures::Draw(dc, screen, bitmap, turn.notice);
}

void CartoonCycle::SaveOnExit() {
    m_picture.Release();
    if (m_nSaveOnExit == 1 && m_bCdPresent &&
        !WriteSettings(m_profile, ExitSaveWrites(m_position.Stored())))
        m_reporter.AppMessage(m_profile.UnsavedMessage());
}

void CartoonCycle::Record(const QString& key, const QString& value) const {
    if (m_bDiagnostic && !key.isEmpty())
        privateprofile::WriteString(kTestSection, key, value);
}

void CartoonCycle::RecordMemory(const QString& key) const {
    Record(key, QString::number(AvailablePhysicalMemory()));
}
