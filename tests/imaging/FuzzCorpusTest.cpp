// Runs every file of the fuzzers' corpora (the seeds, the minimised inputs of
// their campaigns and any crashers they found) through the same entries as
// the fuzz targets, under the sanitizers of the ordinary test build.
#include "DibFuzzTarget.h"
#include "DiscFuzzTarget.h"
#include "TempEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

struct CorpusFile {
    std::string corpus; // folder below fuzz/
    std::string name;
};

std::vector<CorpusFile> CorpusFiles(const std::string& corpus) {
    std::vector<CorpusFile> files;
    const QDir folder(SourceDir() + QStringLiteral("/fuzz/") + QString::fromStdString(corpus));
    for (const QString& name : folder.entryList(QDir::Files, QDir::Name))
        files.push_back({corpus, name.toStdString()});
    return files;
}

class FuzzCorpusTest : public testing::TestWithParam<CorpusFile> {};

TEST_P(FuzzCorpusTest, RunsCleanly) {
    QFile file(SourceDir() + QStringLiteral("/fuzz/%1/%2")
                                 .arg(QString::fromStdString(GetParam().corpus),
                                      QString::fromStdString(GetParam().name)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // Exact-size heap copy, so that any read past the input is caught.
    std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
    if (GetParam().corpus == "corpus")
        RunDibInput(input.data(), input.size());
    else
        RunDiscInput(input.data(), input.size());
}

std::string ParamName(const testing::TestParamInfo<CorpusFile>& info) {
    std::string name;
    for (char c : info.param.name)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Bitmaps, FuzzCorpusTest, testing::ValuesIn(CorpusFiles("corpus")),
                         ParamName);
INSTANTIATE_TEST_SUITE_P(Discs, FuzzCorpusTest, testing::ValuesIn(CorpusFiles("disc-corpus")),
                         ParamName);

// Without the corpora the tables above would be empty and prove nothing.
TEST(FuzzCorpusPresenceTest, CorporaArePresent) {
    EXPECT_GE(CorpusFiles("corpus").size(), 30u);
    EXPECT_GE(CorpusFiles("disc-corpus").size(), 10u);
}

} // namespace
