#pragma once

#include "Drives.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

// A copy of the Quelby CD made in a test's scratch folder: the cover in both
// forms and the cartoons asked for, each a small valid BMP whose pixels are
// its name's own colour, so a test can tell which picture is shown.
class TestDisc {
public:
    explicit TestDisc(const QString& root);

    void AddCartoon(const QString& name, const QByteArray& bytes = {});
    void AddCartoons(const QStringList& names);
    // The colour every pixel of the picture written for a name has.
    static int SeedOf(const QString& name);
    QString FilePath(const QString& name) const;

    std::shared_ptr<Volume> MakeVolume(const QString& label = QStringLiteral("QUELBY_CDH")) const;
    // Installs a drive table holding this disc in drive `letter` behind an
    // empty CD drive C and a fixed drive B.
    void Insert(char letter = 'D') const;
    static void InsertNothing();

    const QString& Root() const { return m_root; }

private:
    QString m_root;
};

// The first cartoons of the catalogue, the last one and a few others.
QStringList SomeCartoonNames();

// A disc whose files of the given names open but fail while being read (a
// scratched disc, or one taken out during the read); onRead runs first.
class FaultyVolume : public Volume {
public:
    FaultyVolume(std::shared_ptr<Volume> inner, QStringList failing,
                 std::function<void()> onRead = {});
    std::optional<QString> Label() const override;
    std::unique_ptr<FileSource> Open(const QString& relativePath, unsigned flags,
                                     CFileException& error) const override;
    void StopFailing() { m_failing.clear(); }

private:
    std::shared_ptr<Volume> m_inner;
    QStringList m_failing;
    std::function<void()> m_onRead;
};
