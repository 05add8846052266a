#pragma once

#include <QString>
#include <vector>

// An optical file system that the system has mounted.
struct OpticalMount {
    QString mountPoint;
    QString source; // the device or image, e.g. "/dev/sr0", "/dev/loop3"
    QString fsType; // "iso9660" or "udf"
};

// The iso9660 and udf mounts listed in a mountinfo file, in its order; none
// when the file cannot be read. Lines that do not parse are skipped.
std::vector<OpticalMount> ReadOpticalMounts(const QString& mountInfoPath);
// One mountinfo line; an empty fsType when it is not a mount line.
OpticalMount ParseMountInfoLine(const QString& line);
