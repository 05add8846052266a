#include "FavouriteStore.h"

#include "NumberedList.h"
#include "Selection.h"

#include <algorithm>

namespace {
const QString& kSection = profilesections::kFavourites;
const QString& kTotalEntry = profilesections::kTotalEntry;
const QString kMissing = QStringLiteral("error");
// What an entry past the end receives when the entries move down.
const QString kFiller = QStringLiteral("empty");

QString EntryName(qint64 number) {
    return QString::number(number);
}
} // namespace

FavouriteStore::FavouriteStore(Profile profile) : m_profile(std::move(profile)) {}

int FavouriteStore::Total() const {
    return NumberedList::StoredTotal(m_profile, kSection);
}

QStringList FavouriteStore::Names(int limit) const {
    const NumberedList list(m_profile, kSection);
    return list.Entries(std::min(list.Total(), limit), kMissing);
}

FavouriteStore::AddResult FavouriteStore::Add(const QString& name) {
    const ProfileLock lock = m_profile.Lock();
    const NumberedList list(m_profile, kSection);
    // The last entry that holds a name: the total, unless a hand wrote one
    // that leaves names behind it (the filler a removal leaves is no name).
    const qint64 last = std::max<qint64>(list.Total(), list.Highest(kFiller));
    if (list.Find(name, last))
        return AddResult::alreadySaved;
    if (last >= NumberedList::kHighestNumber)
        return AddResult::full;
    ProfileEdit edit;
    edit.SetInt(kSection, kTotalEntry, static_cast<int>(last + 1));
    edit.SetString(kSection, EntryName(last + 1), name);
    return m_profile.Write(edit) ? AddResult::added : AddResult::unsaved;
}

ListRemoval FavouriteStore::Remove(const QString& name) {
    const ProfileLock lock = m_profile.Lock();
    const NumberedList list(m_profile, kSection);
    std::optional<qint64> found = list.Find(name, list.Total());
    if (!found && name == kMissing)
        found = list.FirstMissing(list.Total());
    if (!found)
        return {false, false, list.Total()};
    // Entries found+1 to total+1 move down one. Past the highest entry the
    // section holds every entry is missing, so the move stops one beyond it
    // whatever total a hand may have written.
    ProfileEdit edit;
    const qint64 last = std::min<qint64>(qint64{list.Total()} + 1, list.Highest() + 1);
    for (qint64 number = *found; number <= last; ++number)
        edit.SetString(kSection, EntryName(number), list.Entry(number + 1, kFiller));
    const int total = list.Total() - 1; // found, so the total was at least 1
    edit.SetInt(kSection, kTotalEntry, total);
    if (!m_profile.Write(edit))
        return {true, false, list.Total()};
    return {true, true, total};
}
