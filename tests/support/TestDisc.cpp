#include "TestDisc.h"

#include "BitmapBuilder.h"
#include "Catalogue.h"
#include "File.h"
#include "FileSource.h"

#include <QDir>
#include <QFile>

TestDisc::TestDisc(const QString& root) : m_root(root) {
    QDir(m_root).mkpath(QStringLiteral("quelby/images/t1"));
    QDir(m_root).mkpath(QStringLiteral("quelby/images/col"));
    QFile cover(m_root + QStringLiteral("/quelby/images/col/splash24.bmp"));
    cover.open(QIODevice::WriteOnly);
    cover.write(BmpFile(64, 48, 200));
    QFile cover8(m_root + QStringLiteral("/quelby/images/col/splash.bmp"));
    cover8.open(QIODevice::WriteOnly);
    cover8.write(BmpFile(64, 48, 201, true));
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
    file.write(bytes.isNull() ? BmpFile(40, 30, SeedOf(name)) : bytes);
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
