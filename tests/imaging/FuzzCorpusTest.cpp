// Runs every file of the fuzzer's corpus (the seeds, the minimised inputs of
// its campaigns and any crashers it found)
// through the same entry as the fuzz target, under the sanitizers of the
// ordinary test build.
#include "DibFuzzTarget.h"
#include "TempEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QDir CorpusDir() {
    return QDir(SourceDir() + QStringLiteral("/fuzz/corpus"));
}

std::vector<std::string> CorpusFiles() {
    std::vector<std::string> names;
    for (const QString& name : CorpusDir().entryList(QDir::Files, QDir::Name))
        names.push_back(name.toStdString());
    return names;
}

class FuzzCorpusTest : public testing::TestWithParam<std::string> {};

TEST_P(FuzzCorpusTest, RunsCleanly) {
    QFile file(CorpusDir().filePath(QString::fromStdString(GetParam())));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // Exact-size heap copy, so that any read past the input is caught.
    std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
    RunDibInput(input.data(), input.size());
}

std::string ParamName(const testing::TestParamInfo<std::string>& info) {
    std::string name;
    for (char c : info.param)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Seeds, FuzzCorpusTest, testing::ValuesIn(CorpusFiles()), ParamName);

TEST(FuzzCorpusPresenceTest, CorpusIsPresent) {
    EXPECT_GE(CorpusFiles().size(), 30u);
}

} // namespace
