#include "Selection.h"

#include "Drives.h"

bool profilesections::IsReserved(const QString& name) {
    return name == kViewer || name == kFavourites || name == kBookmarks || name == kSaver ||
           name == DriveTable::kDrivesSection;
}
