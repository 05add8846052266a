#include "BookmarkStore.h"

#include "Categories.h"
#include "NumberedList.h"

#include <QMap>
#include <algorithm>

using namespace selectionkeys;

namespace {
const QString& kSection = profilesections::kBookmarks;
const QString& kTotalEntry = profilesections::kTotalEntry;
const QString kMissingName = QStringLiteral("error");
// "all" is always written as 7 and carries nothing the viewer reads.
constexpr int kAllValue = 7;
// A mode read from a section that lacks one.
constexpr int kNoMode = 10;

QString EntryName(qint64 number) {
    return QString::number(number);
}

// As Profile::GetInt reads a value.
int IntOf(const QMap<QString, QString>& values, const QString& key, int defaultValue) {
    bool ok = false;
    const int value = values.value(key).trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}
} // namespace

const Selection BookmarkStore::kMissing{
    ViewMode::all,       1, 1, kAllValue, 0, kCatalogueSize, kInitialCategoryNumber,
    QStringLiteral("AL")};

BookmarkStore::BookmarkStore(Profile profile) : m_profile(std::move(profile)) {}

int BookmarkStore::Total() const {
    return NumberedList::StoredTotal(m_profile, kSection);
}

QStringList BookmarkStore::Names() const {
    const NumberedList list(m_profile, kSection);
    return list.Entries(std::min<qint64>(list.Total(), list.Highest()), kMissingName);
}

bool BookmarkStore::Exists(const QString& name) const {
    // An empty name would read the file's general section.
    return !name.isEmpty() && m_profile.GetInt(name, kMode, kNoMode) != kNoMode;
}

BookmarkStore::SaveResult BookmarkStore::Save(const QString& name, const Selection& bookmark) {
    if (name.isEmpty() || profilesections::IsReserved(name))
        return SaveResult::refused;
    const ProfileLock lock = m_profile.Lock();
    const NumberedList list(m_profile, kSection);
    ProfileEdit edit;
    if (!list.Find(name, list.Total())) {
        if (list.Total() >= NumberedList::kHighestNumber)
            return SaveResult::refused;
        const int total = list.Total() + 1;
        edit.SetInt(kSection, kTotalEntry, total);
        edit.SetString(kSection, EntryName(total), name);
    }
    edit.SetInt(name, kMode, static_cast<int>(bookmark.mode));
    edit.SetInt(name, kCurrentTreasury, bookmark.currentTreasury);
    edit.SetInt(name, kImageCounter, bookmark.imageCounter);
    edit.SetInt(name, kTreasury1, bookmark.treasury1);
    edit.SetInt(name, kImageMax, bookmark.imageMax);
    edit.SetInt(name, kAll, kAllValue);
    edit.SetInt(name, kCategory, bookmark.category);
    edit.SetString(name, kCategoryShort, bookmark.categoryShort);
    return m_profile.Write(edit) ? SaveResult::saved : SaveResult::unsaved;
}

Selection BookmarkStore::Load(const QString& name) const {
    const Selection& missing = kMissing;
    if (name.isEmpty())
        return missing;
    const QMap<QString, QString> values = m_profile.Values(name);
    Selection bookmark = missing;
    bookmark.mode = static_cast<ViewMode>(IntOf(values, kMode, static_cast<int>(missing.mode)));
    bookmark.currentTreasury = IntOf(values, kCurrentTreasury, missing.currentTreasury);
    bookmark.imageCounter = IntOf(values, kImageCounter, missing.imageCounter);
    bookmark.treasury1 = IntOf(values, kTreasury1, missing.treasury1);
    bookmark.imageMax = IntOf(values, kImageMax, missing.imageMax);
    bookmark.category = IntOf(values, kCategory, missing.category);
    bookmark.categoryShort = values.value(kCategoryShort, missing.categoryShort);
    return bookmark;
}

ListRemoval BookmarkStore::Delete(const QString& name) {
    if (name.isEmpty())
        return {false, false, Total()};
    const ProfileLock lock = m_profile.Lock();
    const NumberedList list(m_profile, kSection);
    const int total = list.Total();
    const std::optional<qint64> found = list.Find(name, total);
    if (!found)
        return {false, false, total};
    ProfileEdit edit;
    if (!profilesections::IsReserved(name))
        edit.RemoveSection(name);
    const int remaining = total - 1; // found, so the total was at least 1
    edit.SetInt(kSection, kTotalEntry, remaining);
    edit.RemoveEntry(kSection, EntryName(*found));
    // The last entry fills the hole; a hand-edited list may lack it.
    const std::optional<QString> last = list.Entry(total);
    if (remaining != 0 && *found != total && last) {
        edit.RemoveEntry(kSection, EntryName(total));
        edit.SetString(kSection, EntryName(*found), *last);
    }
    if (!m_profile.Write(edit))
        return {true, false, total};
    return {true, true, remaining};
}
