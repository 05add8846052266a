#pragma once

#include "Drives.h"
#include "MessageRecorder.h"
#include "Profile.h"
#include "SaverSettings.h"
#include "TempEnvironment.h"
#include "TestDisc.h"

#include <QImage>
#include <QRect>
#include <QStringList>

class CartoonCycle;

// A test's own profile, test.ini and copy of the CD (in drive E), the
// messages the saver reports, and ways to set up and look at what it shows.
class SaverFixture {
public:
    SaverFixture();

    // Writes "ScreenSaver" values.
    void Store(const QString& key, int value);
    void Store(const QString& key, const QString& value);
    // "fav": the total, then entries 1 to total.
    void StoreFavourites(const QStringList& names, int total = -1);
    // "test" = 1 in section "quelbyscreensaver" of test.ini.
    void SwitchDiagnosticsOn();
    QString Record(const QString& key) const;
    QStringList RecordKeys() const;
    QString Stored(const QString& key) const;

    // One turn on a black screen of the given size.
    static QImage Turn(CartoonCycle& cycle, QSize screen = QSize(640, 480));
    // The rectangle of pixels that are not black.
    static QRect Drawn(const QImage& frame);
    // The colour the test disc paints a cartoon in.
    static QRgb ColourOf(const QString& name);

    TempEnvironment env;
    TestDisc disc;
    Profile profile = Profile::App();
    MessageRecorder messages;
};

// A disc that notes how each of its files was opened.
class RecordingVolume : public Volume {
public:
    explicit RecordingVolume(std::shared_ptr<Volume> inner) : m_inner(std::move(inner)) {}
    std::optional<QString> Label() const override { return m_inner->Label(); }
    std::unique_ptr<FileSource> Open(const QString& relativePath, unsigned flags,
                                     CFileException& error) const override {
        opened.push_back({relativePath, flags});
        return m_inner->Open(relativePath, flags, error);
    }
    mutable std::vector<std::pair<QString, unsigned>> opened;

private:
    std::shared_ptr<Volume> m_inner;
};
