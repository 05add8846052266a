#include "CueSheet.h"

#include <QList>
#include <optional>

namespace {
constexpr std::size_t kMaxTracks = 99;
constexpr int kFramesPerSecond = 75;

struct TrackType {
    const char* name;
    std::uint32_t stride;
    int mode;
};
constexpr TrackType kDataTypes[] = {
    {"MODE1/2048", 2048, 1}, {"MODE1/2352", 2352, 1}, {"MODE2/2048", 2048, 2},
    {"MODE2/2336", 2336, 2}, {"MODE2/2352", 2352, 2}, {"CDI/2336", 2336, 2},
    {"CDI/2352", 2352, 2},
};

// FILE "name" TYPE, or FILE name TYPE for a name without blanks.
std::optional<QByteArray> FileName(const QByteArray& rest) {
    if (rest.startsWith('"')) {
        const qsizetype close = rest.lastIndexOf('"');
        if (close <= 1)
            return std::nullopt;
        return rest.mid(1, close - 1);
    }
    const qsizetype blank = rest.indexOf(' ');
    const QByteArray name = blank < 0 ? rest : rest.left(blank);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

// mm:ss:ff as a count of sectors.
std::optional<std::uint64_t> Frames(const QByteArray& time) {
    const QList<QByteArray> parts = time.split(':');
    if (parts.size() != 3)
        return std::nullopt;
    bool ok[3] = {};
    const int minutes = parts[0].toInt(&ok[0]);
    const int seconds = parts[1].toInt(&ok[1]);
    const int frames = parts[2].toInt(&ok[2]);
    if (!ok[0] || !ok[1] || !ok[2] || minutes < 0 || minutes > 9999 || seconds < 0 ||
        seconds >= 60 || frames < 0 || frames >= kFramesPerSecond)
        return std::nullopt;
    return (std::uint64_t(minutes) * 60 + std::uint64_t(seconds)) * kFramesPerSecond +
           std::uint64_t(frames);
}
} // namespace

std::vector<CueTrack> CueDataTracks(const QByteArray& sheet) {
    std::vector<CueTrack> tracks;
    std::optional<QByteArray> file;
    std::optional<CueTrack> track; // the data track whose INDEX 01 is awaited
    for (qsizetype at = 0; at < sheet.size() && tracks.size() < kMaxTracks;) {
        qsizetype end = sheet.indexOf('\n', at);
        if (end < 0)
            end = sheet.size();
        const QByteArrayView line = QByteArrayView(sheet).sliced(at, end - at).trimmed();
        at = end + 1;
        const qsizetype blank = line.indexOf(' ');
        const QByteArrayView word = blank < 0 ? line : line.first(blank);
        const QByteArrayView rest = blank < 0 ? QByteArrayView() : line.sliced(blank + 1).trimmed();
        if (word.compare("FILE", Qt::CaseInsensitive) == 0) {
            file = FileName(rest.toByteArray());
            track.reset();
        } else if (word.compare("TRACK", Qt::CaseInsensitive) == 0) {
            track.reset();
            const QList<QByteArray> fields = rest.toByteArray().simplified().split(' ');
            for (const TrackType& known : kDataTypes) {
                if (file && fields.size() == 2 &&
                    QByteArrayView(fields[1]).compare(known.name, Qt::CaseInsensitive) == 0)
                    track = CueTrack{*file, known.stride, known.mode, 0};
            }
        } else if (word.compare("INDEX", Qt::CaseInsensitive) == 0 && track) {
            const QList<QByteArray> fields = rest.toByteArray().simplified().split(' ');
            if (fields.size() != 2 || fields[0].toInt() != 1)
                continue;
            if (const auto frames = Frames(fields[1])) {
                track->start = *frames * track->stride;
                tracks.push_back(*track);
            }
            track.reset();
        }
    }
    return tracks;
}
