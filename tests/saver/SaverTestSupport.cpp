#include "SaverTestSupport.h"

#include "CartoonCycle.h"
#include "PrivateProfile.h"

#include <QFile>
#include <QPainter>

namespace {
const QString kTestSection = QStringLiteral("quelbyscreensaver");
} // namespace

SaverFixture::SaverFixture() : disc(env.Scratch() + QStringLiteral("/disc")) {
    disc.AddCartoons(SomeCartoonNames());
    disc.Insert('E');
}

void SaverFixture::Store(const QString& key, int value) {
    profile.WriteInt(saverkeys::kSection, key, value);
}

void SaverFixture::Store(const QString& key, const QString& value) {
    profile.WriteString(saverkeys::kSection, key, value);
}

void SaverFixture::StoreFavourites(const QStringList& names, int total) {
    const QString section = QStringLiteral("fav");
    profile.WriteInt(section, QStringLiteral("total"),
                     total < 0 ? static_cast<int>(names.size()) : total);
    for (qsizetype i = 0; i < names.size(); ++i)
        profile.WriteString(section, QString::number(i + 1), names[i]);
}

void SaverFixture::SwitchDiagnosticsOn() {
    privateprofile::WriteString(kTestSection, QStringLiteral("test"), QStringLiteral("1"));
}

QString SaverFixture::Record(const QString& key) const {
    return privateprofile::GetString(kTestSection, key, QString());
}

QStringList SaverFixture::RecordKeys() const {
    QStringList keys;
    QFile file(privateprofile::FilePath(QStringLiteral("test.ini")));
    if (!file.open(QIODevice::ReadOnly))
        return keys;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            keys << QString::fromLatin1(line.left(equals));
    }
    return keys;
}

QString SaverFixture::Stored(const QString& key) const {
    return profile.GetString(saverkeys::kSection, key, QStringLiteral("(none)"));
}

QImage SaverFixture::Turn(CartoonCycle& cycle, QSize screen) {
    QImage frame(screen, QImage::Format_RGB32);
    frame.fill(Qt::black);
    QPainter painter(&frame);
    cycle.ShowNextPicture(painter, screen, true);
    return frame;
}

QRect SaverFixture::Drawn(const QImage& frame) {
    QRect drawn;
    for (int y = 0; y < frame.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        for (int x = 0; x < frame.width(); ++x) {
            if ((row[x] & 0xffffff) != 0)
                drawn |= QRect(x, y, 1, 1);
        }
    }
    return drawn;
}

QRgb SaverFixture::ColourOf(const QString& name) {
    const int seed = TestDisc::SeedOf(name);
    return qRgb(seed / 2, 255 - seed, seed);
}
