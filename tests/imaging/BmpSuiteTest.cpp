#include "Dib.h"
#include "DibFile.h"
#include "DibRenderer.h"
#include "File.h"
#include "Picture.h"
#include "TempEnvironment.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

struct SuiteEntry {
    std::string file;  // relative to the corpus folder, e.g. "g/pal8.bmp"
    std::string check; // "pixels", "rejected" or "no-crash"
    std::vector<std::string> expected;
    int tolerance = 0;
    bool pastBlock = false;
};

QString CorpusDir() {
    return SourceDir() + QStringLiteral("/tests/data/bmpsuite");
}

std::vector<SuiteEntry> LoadManifest() {
    QFile file(CorpusDir() + QStringLiteral("/manifest.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    std::vector<SuiteEntry> entries;
    for (const QJsonValue& value : QJsonDocument::fromJson(file.readAll()).array()) {
        const QJsonObject object = value.toObject();
        SuiteEntry entry{object["file"].toString().toStdString(),
                         object["check"].toString().toStdString(),
                         {},
                         object["tolerance"].toInt(),
                         object["project"].toObject()["past_block"].toBool()};
        for (const QJsonValue& expected : object["expected"].toArray())
            entry.expected.push_back(expected.toObject()["png"].toString().toStdString());
        entries.push_back(entry);
    }
    return entries;
}

// The programs' own steps: the reader on an open file, then the picture's
// preparation (size check and palette).
bool ReadAndPrepare(const QString& path, Picture& picture) {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return false;
    return picture.Prepare(ReadBitmapFile(file)) == Picture::Preparation::held;
}

struct Outcome {
    bool held = false; // read and prepared
    QSize size;
    int lines = 0;
    QImage image;
};

Outcome ReadPreparePaint(const SuiteEntry& entry) {
    Outcome outcome;
    Picture picture;
    if (!ReadAndPrepare(CorpusDir() + "/" + QString::fromStdString(entry.file), picture))
        return outcome;
    const QSize size = picture.Size();
    outcome.held = true;
    outcome.size = size;
    // Paint into a picture-sized image, capped so that an absurd header
    // cannot make the test itself allocate gigabytes.
    outcome.image = QImage(size.boundedTo(QSize(1024, 1024)), QImage::Format_ARGB32);
    if (outcome.image.isNull())
        return outcome; // nothing to paint on: a zero width or height
    outcome.image.fill(Qt::transparent);
    QPainter painter(&outcome.image);
    GlobalLockGuard lock(picture.Dib());
    const QRect whole(QPoint(0, 0), size);
    outcome.lines = DrawDib(painter, whole, lock.Data(), lock.Size(), whole);
    return outcome;
}

// Largest per-channel difference; transparent pixels compare as 0,0,0,0.
int Difference(const QImage& actual, const QImage& expected) {
    int worst = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            QRgb a = actual.pixel(x, y), e = expected.pixel(x, y);
            a = qAlpha(a) ? a : 0;
            e = qAlpha(e) ? e : 0;
            for (int shift = 0; shift < 32; shift += 8)
                worst =
                    std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((e >> shift) & 0xFF)));
        }
    }
    return worst;
}

class BmpSuiteTest : public testing::TestWithParam<SuiteEntry> {};

TEST_P(BmpSuiteTest, MatchesManifest) {
    const SuiteEntry& entry = GetParam();
    const Outcome outcome = ReadPreparePaint(entry);
    if (entry.check == "rejected") {
        EXPECT_TRUE(!outcome.held || outcome.lines == 0);
    } else if (entry.check == "pixels") {
        ASSERT_TRUE(outcome.held);
        EXPECT_EQ(outcome.lines, outcome.size.height());
        int best = 256;
        for (const std::string& png : entry.expected) {
            const QImage expected(CorpusDir() + "/" + QString::fromStdString(png));
            ASSERT_FALSE(expected.isNull()) << png;
            if (expected.size() == outcome.image.size())
                best = std::min(best, Difference(outcome.image,
                                                 expected.convertToFormat(QImage::Format_ARGB32)));
        }
        EXPECT_LE(best, entry.tolerance);
    } else if (entry.pastBlock) {
        // Trusting this header would read past the block: nothing is painted.
        EXPECT_EQ(outcome.lines, 0);
    }
}

std::string ParamName(const testing::TestParamInfo<SuiteEntry>& info) {
    std::string name;
    for (char c : info.param.file.substr(0, info.param.file.rfind('.')))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Corpus, BmpSuiteTest, testing::ValuesIn(LoadManifest()), ParamName);

TEST(BmpSuiteManifestTest, CorpusIsPresent) {
    // Without the corpus the table above would be empty and prove nothing.
    EXPECT_GE(LoadManifest().size(), 90u) << CorpusDir().toStdString();
}

} // namespace
