#pragma once

#include "Drives.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// A copy of the Quelby CD made in a test's scratch folder: the cover in both
// forms and the cartoons asked for, each a small valid BMP whose pixels are
// its name's own colour, so a test can tell which picture is shown.
class TestDisc {
public:
    explicit TestDisc(const QString& root);

    // An 8-bit bitmap with a 256-entry grey palette, or a 24-bit one.
    static QByteArray MakeBmp(int width, int height, int seed, bool eightBit = false);
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
