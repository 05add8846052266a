#include "TestDisc.h"

#include "Catalogue.h"
#include "File.h"
#include "FileSource.h"

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

namespace {
class FailingSource : public FileSource {
public:
    FailingSource(std::unique_ptr<FileSource> inner, QString name, std::function<void()> onRead)
        : m_inner(std::move(inner)), m_name(std::move(name)), m_onRead(std::move(onRead)) {}
    std::uint64_t Length() const override { return m_inner->Length(); }
    std::uint64_t Position() const override { return m_inner->Position(); }
    void SetPosition(std::uint64_t position) override { m_inner->SetPosition(position); }
    std::uint32_t Read(void*, std::uint32_t) override {
        if (m_onRead)
            m_onRead();
        throw CFileException(CFileException::Cause::hardIO, m_name);
    }
    void Write(const void* buffer, std::uint32_t count) override { m_inner->Write(buffer, count); }
    void Close() override { m_inner->Close(); }

private:
    std::unique_ptr<FileSource> m_inner;
    QString m_name;
    std::function<void()> m_onRead;
};
} // namespace

FaultyVolume::FaultyVolume(std::shared_ptr<Volume> inner, QStringList failing,
                           std::function<void()> onRead)
    : m_inner(std::move(inner)), m_failing(std::move(failing)), m_onRead(std::move(onRead)) {}

std::optional<QString> FaultyVolume::Label() const {
    return m_inner->Label();
}

std::unique_ptr<FileSource> FaultyVolume::Open(const QString& relativePath, unsigned flags,
                                               CFileException& error) const {
    auto source = m_inner->Open(relativePath, flags, error);
    const QString name = relativePath.section(QLatin1Char('\\'), -1);
    if (source && m_failing.contains(name, Qt::CaseInsensitive))
        return std::make_unique<FailingSource>(std::move(source), relativePath, m_onRead);
    return source;
}
