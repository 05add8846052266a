#include "TestDisc.h"

#include "Catalogue.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace {
void Put16(QByteArray& b, int at, quint16 v) {
    qToLittleEndian(v, b.data() + at);
}
void Put32(QByteArray& b, int at, quint32 v) {
    qToLittleEndian(v, b.data() + at);
}
} // namespace

TestDisc::TestDisc(const QString& root) : m_root(root) {
    QDir(m_root).mkpath(QStringLiteral("quelby/images/t1"));
    QDir(m_root).mkpath(QStringLiteral("quelby/images/col"));
    QFile cover(m_root + QStringLiteral("/quelby/images/col/splash24.bmp"));
    cover.open(QIODevice::WriteOnly);
    cover.write(MakeBmp(64, 48, 200));
    QFile cover8(m_root + QStringLiteral("/quelby/images/col/splash.bmp"));
    cover8.open(QIODevice::WriteOnly);
    cover8.write(MakeBmp(64, 48, 201, true));
}

QByteArray TestDisc::MakeBmp(int width, int height, int seed, bool eightBit) {
    const int bpp = eightBit ? 8 : 24;
    const int row = ((width * bpp + 31) / 32) * 4;
    const int table = eightBit ? 1024 : 0;
    const int bits = row * height;
    QByteArray b(14 + 40 + table + bits, '\0');
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<quint32>(b.size()));
    Put32(b, 10, static_cast<quint32>(14 + 40 + table));
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<quint32>(width));
    Put32(b, 22, static_cast<quint32>(height));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<quint16>(bpp));
    Put32(b, 34, static_cast<quint32>(bits));
    for (int i = 0; i < table / 4; ++i)
        b[54 + 4 * i] = b[55 + 4 * i] = b[56 + 4 * i] = static_cast<char>(i);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            char* p = b.data() + 54 + table + y * row + x * (bpp / 8);
            if (eightBit) {
                p[0] = static_cast<char>(seed);
            } else {
                p[0] = static_cast<char>(seed);
                p[1] = static_cast<char>(255 - seed);
                p[2] = static_cast<char>(seed / 2);
            }
        }
    }
    return b;
}

int TestDisc::SeedOf(const QString& name) {
    return static_cast<int>(qHash(name) % 180) + 10;
}

QString TestDisc::FilePath(const QString& name) const {
    return m_root + QStringLiteral("/quelby/images/t") + name.left(1) + QStringLiteral("/") + name;
}

void TestDisc::AddCartoon(const QString& name, const QByteArray& bytes) {
    QFile file(FilePath(name));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes.isNull() ? MakeBmp(40, 30, SeedOf(name)) : bytes);
}

void TestDisc::AddCartoons(const QStringList& names) {
    for (const QString& name : names)
        AddCartoon(name);
}

std::shared_ptr<Volume> TestDisc::MakeVolume(const QString& label) const {
    return MakeFolderVolume(m_root, label);
}

void TestDisc::Insert(char letter) const {
    DriveTable::SetCurrent(DriveTable({Drive{'B', DriveType::fixed, MakeVolume()},
                                       Drive{'C', DriveType::cdrom, nullptr},
                                       Drive{letter, DriveType::cdrom, MakeVolume()}}));
}

void TestDisc::InsertNothing() {
    DriveTable::SetCurrent(DriveTable({Drive{'D', DriveType::cdrom, nullptr}}));
}

QStringList SomeCartoonNames() {
    QStringList names;
    for (int position : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 742, 743})
        names << CatalogueNameString(position);
    return names;
}
